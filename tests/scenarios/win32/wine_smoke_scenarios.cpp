// The driver's own checks against the real program: each kind of action and observation once,
// so a fault in the driver shows here before it confuses a shared scenario. They rely only on
// what the frame and the system's controls do, and hold on the headless backend as well.
#include <string>

#include "resources/resource.h"
#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include "support/check.h"

using scenario::Machine;

SCENARIO(wine_driver_starts_reads_and_exits) {
  d.Run(Machine("winxp"), [](WizardDriver& d) {
    CHECK_EQ(d.Caption(), std::string("Ovik Quarnel"));
    CHECK_EQ(d.Text(kFrame, IDC_Next), std::string("&Proceed"));
    CHECK(d.Visible(kFrame, IDC_Next));
    CHECK(!d.Enabled(kFrame, IDC_Back));
    CHECK(!d.Visible(IDD_STEP_CONNECTION, 0));
    CHECK(!d.Finished());
    d.Click(kFrame, IDCANCEL);
    CHECK(d.Finished());
    CHECK(d.MessageBoxesSeen().empty());
  });
}

SCENARIO(wine_driver_types_as_a_user) {
  d.Run(Machine("win2k", {"scenario_nt_machine.reg"}), [](WizardDriver& d) {
    d.Click(kFrame, IDC_Next);
    d.Click(kFrame, IDC_Next);
    REQUIRE(d.Visible(IDD_STEP_MTU, IDC_MTU_EDIT));
    // The field takes digits only; what it held before is replaced.
    d.Type(IDD_STEP_MTU, IDC_MTU_EDIT, "1a4b9c2");
    CHECK_EQ(d.Text(IDD_STEP_MTU, IDC_MTU_EDIT), std::string("1492"));
    FocusedControl focus = d.Focused();
    CHECK_EQ(focus.dialog, IDD_STEP_MTU);
    CHECK_EQ(focus.id, IDC_MTU_EDIT);
    d.Type(IDD_STEP_MTU, IDC_MTU_EDIT, "");
    CHECK_EQ(d.Text(IDD_STEP_MTU, IDC_MTU_EDIT), std::string());
    // A control of a hidden page cannot be clicked.
    d.Click(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN);
    CHECK(!d.Checked(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN));
    focus = d.Focused();
    CHECK_EQ(focus.dialog, IDD_STEP_MTU);
    CHECK_EQ(focus.id, IDC_MTU_EDIT);
  });
}

SCENARIO(wine_driver_shift_tab_and_the_about_box) {
  d.Run(Machine("win98"), [](WizardDriver& d) {
    // On the introduction Reset and Back are disabled: the language box is Proceed's only
    // neighbour before it.
    d.Focus(kFrame, IDC_Next);
    d.Key(kVkTab, true);
    FocusedControl focus = d.Focused();
    CHECK_EQ(focus.dialog, kFrame);
    CHECK_EQ(focus.id, IDC_LANGUAGE_LIST);
    d.Key(kVkTab);
    focus = d.Focused();
    CHECK_EQ(focus.dialog, kFrame);
    CHECK_EQ(focus.id, IDC_Next);

    d.SystemMenuAbout();
    CHECK_EQ(d.Text(IDD_ABOUT, 0), std::string("Ovik Quarnel"));
    CHECK(d.Visible(IDD_ABOUT, IDOK));
    CHECK(d.Visible(IDD_ABOUT, IDC_ABOUT_VERSION));
    // The box is gone again and the wizard goes on where it was.
    CHECK(!d.Finished());
    CHECK(d.MessageBoxesSeen().empty());
    focus = d.Focused();
    CHECK_EQ(focus.dialog, kFrame);
    CHECK_EQ(focus.id, IDC_Next);
    d.Click(kFrame, IDC_Next);
    CHECK(d.Visible(IDD_STEP_CONNECTION, 0));
  });
}
