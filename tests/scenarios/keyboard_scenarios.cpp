// Enter, Esc and Tab: what they do on the frame and inside the pages, and how the keyboard
// passes between the frame's buttons and the visible page.

#include <string>
#include <vector>

#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include "support/check.h"

using scenario::ExpectScreen;
using scenario::Machine;
using scenario::Screen;

SCENARIO(enter_on_the_connection_page_presses_next) {
  d.Run(Machine("winxp"), [](WizardDriver& d) {
    const std::vector<Screen> screens = scenario::WalkScreens(true, false);
    // Enter on the frame's default button leaves the introduction.
    d.Focus(kFrame, IDC_Next);
    d.Key(kVkReturn);
    ExpectScreen(d, screens[0], "Enter on the introduction");

    d.Focus(IDD_STEP_CONNECTION, IDC_step2_RADIO_DialUp);
    d.Key(kVkReturn);
    ExpectScreen(d, screens[1], "Enter on the connection page");
    const FocusedControl focus = d.Focused();
    CHECK_EQ(focus.dialog, kFrame);
    CHECK_EQ(focus.id, IDC_Next);
    CHECK(d.MessageBoxesSeen().empty());
  });
}

SCENARIO(esc_and_enter_inside_a_page_do_nothing) {
  d.Run(Machine("win98"), [](WizardDriver& d) {
    const std::vector<Screen> screens = scenario::WalkScreens(false, false);
    d.Click(kFrame, IDC_Next);
    d.Focus(IDD_STEP_CONNECTION, IDC_step2_RADIO_DialUp);
    d.Key(kVkEscape);
    CHECK(!d.Finished());
    ExpectScreen(d, screens[0], "Esc on the connection page");

    d.Click(kFrame, IDC_Next);
    d.Focus(IDD_STEP_MTU, IDC_MTU_EDIT);
    d.Key(kVkReturn);
    ExpectScreen(d, screens[1], "Enter in the MTU field");
    d.Key(kVkEscape);
    CHECK(!d.Finished());
    ExpectScreen(d, screens[1], "Esc in the MTU field");
    const FocusedControl focus = d.Focused();
    CHECK_EQ(focus.dialog, IDD_STEP_MTU);
    CHECK_EQ(focus.id, IDC_MTU_EDIT);
  });
}

SCENARIO(tab_on_exit_goes_into_the_visible_page) {
  struct Row {
    const char* where;
    int nextPresses;  // from the introduction
    FocusedControl expected;
  };
  // The NT family with a modem, so every page gets its turn.
  const Row rows[] = {
      {"step 1", 1, {IDD_STEP_CONNECTION, IDC_step2_RADIO_DialUp}},
      {"step 2", 2, {IDD_STEP_MTU, IDC_MTU_EDIT}},
      {"step 6", 6, {IDD_STEP_KEEPALIVE, IDC_KEEPALIVE_TIME_EDIT}},
      {"step 7", 7, {IDD_STEP_SYN, IDC_SYN_EDIT}},
      {"step 8", 8, {IDD_STEP_ICMP, IDC_chk_ICMP}},
      // No page takes it from the modem step: the frame's own order wraps round to Back.
      {"modem step", 9, {kFrame, IDC_Back}},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.where);
    d.Run(Machine("winxp", {"scenario_nt_modem.reg"}), [&row](WizardDriver& d) {
      for (int i = 0; i < row.nextPresses; ++i) d.Click(kFrame, IDC_Next);
      d.Focus(kFrame, IDCANCEL);
      d.Key(kVkTab);
      const FocusedControl focus = d.Focused();
      CHECK_EQ(focus.dialog, row.expected.dialog);
      CHECK_EQ(focus.id, row.expected.id);
    });
  }
  // On the introduction Tab stays among the frame's controls.
  d.Run(Machine("winxp"), [](WizardDriver& d) {
    d.Focus(kFrame, IDCANCEL);
    d.Key(kVkTab);
    CHECK_EQ(d.Focused().dialog, kFrame);
    CHECK(d.Focused().id != IDCANCEL);
  });
}

SCENARIO(tab_on_a_pages_last_control_goes_to_the_frame) {
  d.Run(Machine("winme"), [](WizardDriver& d) {
    d.Click(kFrame, IDC_Next);
    // Every control of the connection page hands over.
    d.Focus(IDD_STEP_CONNECTION, IDC_step2_RADIO_DialUp);
    d.Key(kVkTab);
    CHECK_EQ(d.Focused().dialog, kFrame);

    d.Click(kFrame, IDC_Next);
    d.Focus(IDD_STEP_MTU, IDC_MTU_EDIT);
    d.Key(kVkTab);
    CHECK_EQ(d.Focused().dialog, IDD_STEP_MTU);
    CHECK_EQ(d.Focused().id, IDC_MSS_EDIT);
    d.Key(kVkTab);
    CHECK_EQ(d.Focused().dialog, kFrame);
    // Shift makes no difference on the hand-off control.
    d.Focus(IDD_STEP_MTU, IDC_MSS_EDIT);
    d.Key(kVkTab, true);
    CHECK_EQ(d.Focused().dialog, kFrame);
  });
}
