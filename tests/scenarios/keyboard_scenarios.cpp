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
      // No page takes it from the modem step: the frame's own order wraps round to its first
      // button there, Review Changes.
      {"modem step", 9, {kFrame, IDC_REVIEW_CHANGES}},
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

SCENARIO(enter_presses_the_frame_button_the_focus_was_moved_to) {
  struct Row {
    const char* name;
    int nextPresses;  // from the introduction
    int button;
    int expectedScreen;  // index into the walk after Enter; -1: the wizard has closed
  };
  const Row rows[] = {
      {"Exit on the introduction", 0, IDCANCEL, -1},
      {"Exit on step 2", 2, IDCANCEL, -1},
      {"Back on step 2", 2, IDC_Back, 0},
      {"Next on step 2", 2, IDC_Next, 2},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.name);
    d.Run(Machine("winxp", {"scenario_nt_machine.reg"}), [&row](WizardDriver& d) {
      const std::vector<Screen> screens = scenario::WalkScreens(true, false);
      for (int i = 0; i < row.nextPresses; ++i) d.Click(kFrame, IDC_Next);
      // Moved there the way Tab moves it, the button becomes the default one.
      d.Focus(kFrame, row.button);
      d.Key(kVkReturn);
      CHECK(d.MessageBoxesSeen().empty());
      if (row.expectedScreen < 0) {
        CHECK(d.Finished());
        return;
      }
      REQUIRE(!d.Finished());
      ExpectScreen(d, screens[static_cast<std::size_t>(row.expectedScreen)], "after Enter");
    });
  }
}

SCENARIO(enter_in_a_page_after_exit_had_the_focus_is_proceed) {
  d.Run(Machine("win2k"), [](WizardDriver& d) {
    const std::vector<Screen> screens = scenario::WalkScreens(true, false);
    d.Click(kFrame, IDC_Next);
    // Exit looks like the default button while it has the focus; a control of the page does
    // not take that over, and Enter there is Proceed again.
    d.Focus(kFrame, IDCANCEL);
    d.Focus(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN);
    d.Key(kVkReturn);
    REQUIRE(!d.Finished());
    ExpectScreen(d, screens[1], "Enter on the connection page");
    CHECK(d.MessageBoxesSeen().empty());
  });
}

SCENARIO(typing_nothing_empties_a_field) {
  d.Run(Machine("winxp", {"scenario_nt_machine.reg"}), [](WizardDriver& d) {
    const std::vector<Screen> screens = scenario::WalkScreens(true, false);
    d.Click(kFrame, IDC_Next);
    d.Click(kFrame, IDC_Next);
    REQUIRE(d.Visible(IDD_STEP_MTU, IDC_MTU_EDIT));
    struct Row {
      int field;
      const char* before;  // typed first; nullptr: the field as the page filled it
    };
    const Row rows[] = {
        {IDC_MTU_EDIT, nullptr}, {IDC_MSS_EDIT, "1460"}, {IDC_MSS_EDIT, ""},  // already empty
    };
    for (const Row& row : rows) {
      check::Scope scope("field " + std::to_string(row.field) + " holding " +
                         (row.before ? row.before : "its value"));
      if (row.before != nullptr) d.Type(IDD_STEP_MTU, row.field, row.before);
      if (row.before == nullptr) CHECK(!d.Text(IDD_STEP_MTU, row.field).empty());
      d.Type(IDD_STEP_MTU, row.field, "");
      CHECK_EQ(d.Text(IDD_STEP_MTU, row.field), std::string());
      const FocusedControl focus = d.Focused();
      CHECK_EQ(focus.dialog, IDD_STEP_MTU);
      CHECK_EQ(focus.id, row.field);
    }
    ExpectScreen(d, screens[1], "after emptying the fields");
    CHECK(d.MessageBoxesSeen().empty());
  });
}
