// The driver's own checks against the real program: each kind of action and observation once,
// so a fault in the driver shows here before it confuses a shared scenario. They rely only on
// what the frame and the system's controls do, and hold on the headless backend as well.
#include <string>

#include "resources/resource.h"
#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include <gtest/gtest.h>

using scenario::Machine;

SCENARIO(wine_driver_starts_reads_and_exits) {
  d.Run(Machine("winxp"), [](WizardDriver& d) {
    EXPECT_EQ(d.Caption(), std::string("Ovik Quarnel"));
    EXPECT_EQ(d.Text(kFrame, IDC_Next), std::string("&Proceed"));
    EXPECT_TRUE(d.Visible(kFrame, IDC_Next));
    EXPECT_FALSE(d.Enabled(kFrame, IDC_Back));
    EXPECT_FALSE(d.Visible(IDD_STEP_CONNECTION, 0));
    EXPECT_FALSE(d.Finished());
    d.Click(kFrame, IDCANCEL);
    EXPECT_TRUE(d.Finished());
    EXPECT_TRUE(d.MessageBoxesSeen().empty());
  });
}

SCENARIO(wine_driver_types_as_a_user) {
  d.Run(Machine("win2k", {"scenario_nt_machine.reg"}), [](WizardDriver& d) {
    d.Click(kFrame, IDC_Next);
    d.Click(kFrame, IDC_Next);
    ASSERT_TRUE(d.Visible(IDD_STEP_MTU, IDC_MTU_EDIT));
    // The field takes digits only; what it held before is replaced.
    d.Type(IDD_STEP_MTU, IDC_MTU_EDIT, "1a4b9c2");
    EXPECT_EQ(d.Text(IDD_STEP_MTU, IDC_MTU_EDIT), std::string("1492"));
    FocusedControl focus = d.Focused();
    EXPECT_EQ(focus.dialog, IDD_STEP_MTU);
    EXPECT_EQ(focus.id, IDC_MTU_EDIT);
    d.Type(IDD_STEP_MTU, IDC_MTU_EDIT, "");
    EXPECT_EQ(d.Text(IDD_STEP_MTU, IDC_MTU_EDIT), std::string());
    // A control of a hidden page cannot be clicked.
    d.Click(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN);
    EXPECT_FALSE(d.Checked(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN));
    focus = d.Focused();
    EXPECT_EQ(focus.dialog, IDD_STEP_MTU);
    EXPECT_EQ(focus.id, IDC_MTU_EDIT);
  });
}

SCENARIO(wine_driver_shift_tab_and_the_about_box) {
  d.Run(Machine("win98"), [](WizardDriver& d) {
    // On the introduction Reset and Back are disabled: the language box is Proceed's only
    // neighbour before it.
    d.Focus(kFrame, IDC_Next);
    d.Key(kVkTab, true);
    FocusedControl focus = d.Focused();
    EXPECT_EQ(focus.dialog, kFrame);
    EXPECT_EQ(focus.id, IDC_LANGUAGE_LIST);
    d.Key(kVkTab);
    focus = d.Focused();
    EXPECT_EQ(focus.dialog, kFrame);
    EXPECT_EQ(focus.id, IDC_Next);

    d.SystemMenuAbout();
    EXPECT_EQ(d.Text(IDD_ABOUT, 0), std::string("Ovik Quarnel"));
    EXPECT_TRUE(d.Visible(IDD_ABOUT, IDOK));
    EXPECT_TRUE(d.Visible(IDD_ABOUT, IDC_ABOUT_VERSION));
    // The box is gone again and the wizard goes on where it was.
    EXPECT_FALSE(d.Finished());
    EXPECT_TRUE(d.MessageBoxesSeen().empty());
    focus = d.Focused();
    EXPECT_EQ(focus.dialog, kFrame);
    EXPECT_EQ(focus.id, IDC_Next);
    d.Click(kFrame, IDC_Next);
    EXPECT_TRUE(d.Visible(IDD_STEP_CONNECTION, 0));
  });
}
