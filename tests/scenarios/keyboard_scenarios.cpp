// Enter, Esc and Tab: what they do on the frame and inside the pages, and how the keyboard
// passes between the frame's buttons and the visible page.

#include <string>
#include <vector>

#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include <gtest/gtest.h>

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
    EXPECT_EQ(focus.dialog, kFrame);
    EXPECT_EQ(focus.id, IDC_Next);
    EXPECT_TRUE(d.MessageBoxesSeen().empty());
  });
}

SCENARIO(esc_and_enter_inside_a_page_do_nothing) {
  d.Run(Machine("win98"), [](WizardDriver& d) {
    const std::vector<Screen> screens = scenario::WalkScreens(false, false);
    d.Click(kFrame, IDC_Next);
    d.Focus(IDD_STEP_CONNECTION, IDC_step2_RADIO_DialUp);
    d.Key(kVkEscape);
    EXPECT_FALSE(d.Finished());
    ExpectScreen(d, screens[0], "Esc on the connection page");

    d.Click(kFrame, IDC_Next);
    d.Focus(IDD_STEP_MTU, IDC_MTU_EDIT);
    d.Key(kVkReturn);
    ExpectScreen(d, screens[1], "Enter in the MTU field");
    d.Key(kVkEscape);
    EXPECT_FALSE(d.Finished());
    ExpectScreen(d, screens[1], "Esc in the MTU field");
    const FocusedControl focus = d.Focused();
    EXPECT_EQ(focus.dialog, IDD_STEP_MTU);
    EXPECT_EQ(focus.id, IDC_MTU_EDIT);
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
    SCOPED_TRACE(row.where);
    d.Run(Machine("winxp", {"scenario_nt_modem.reg"}), [&row](WizardDriver& d) {
      for (int i = 0; i < row.nextPresses; ++i) d.Click(kFrame, IDC_Next);
      d.Focus(kFrame, IDCANCEL);
      d.Key(kVkTab);
      const FocusedControl focus = d.Focused();
      EXPECT_EQ(focus.dialog, row.expected.dialog);
      EXPECT_EQ(focus.id, row.expected.id);
    });
  }
  // The wizard comes up with the keyboard on the frame, although the pages are made after it is
  // shown; on the introduction Tab stays among the frame's controls.
  d.Run(Machine("winxp"), [](WizardDriver& d) {
    EXPECT_EQ(d.Focused().dialog, kFrame);
    EXPECT_EQ(d.Focused().id, IDC_LANGUAGE_LIST);
    d.Focus(kFrame, IDCANCEL);
    d.Key(kVkTab);
    EXPECT_EQ(d.Focused().dialog, kFrame);
    EXPECT_TRUE(d.Focused().id != IDCANCEL);
  });
  // The language list may come after the rest of the frame; it keeps its place in the tab order.
  d.Run(Machine("winxp", {"scenario_nt_machine.reg", "scenario_nt_backup.reg"}),
        [](WizardDriver& d) {
          EXPECT_EQ(d.Focused().id, IDC_RESET_SETTINGS);
          d.Key(kVkTab);
          EXPECT_EQ(d.Focused().id, IDC_LANGUAGE_LIST);
        });
}

SCENARIO(tab_on_a_pages_last_control_goes_to_the_frame) {
  d.Run(Machine("winme"), [](WizardDriver& d) {
    d.Click(kFrame, IDC_Next);
    // Every control of the connection page hands over.
    d.Focus(IDD_STEP_CONNECTION, IDC_step2_RADIO_DialUp);
    d.Key(kVkTab);
    EXPECT_EQ(d.Focused().dialog, kFrame);

    d.Click(kFrame, IDC_Next);
    d.Focus(IDD_STEP_MTU, IDC_MTU_EDIT);
    d.Key(kVkTab);
    EXPECT_EQ(d.Focused().dialog, IDD_STEP_MTU);
    EXPECT_EQ(d.Focused().id, IDC_MSS_EDIT);
    d.Key(kVkTab);
    EXPECT_EQ(d.Focused().dialog, kFrame);
    // Shift makes no difference on the hand-off control.
    d.Focus(IDD_STEP_MTU, IDC_MSS_EDIT);
    d.Key(kVkTab, true);
    EXPECT_EQ(d.Focused().dialog, kFrame);
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
    SCOPED_TRACE(row.name);
    d.Run(Machine("winxp", {"scenario_nt_machine.reg"}), [&row](WizardDriver& d) {
      const std::vector<Screen> screens = scenario::WalkScreens(true, false);
      for (int i = 0; i < row.nextPresses; ++i) d.Click(kFrame, IDC_Next);
      // Moved there the way Tab moves it, the button becomes the default one.
      d.Focus(kFrame, row.button);
      d.Key(kVkReturn);
      EXPECT_TRUE(d.MessageBoxesSeen().empty());
      if (row.expectedScreen < 0) {
        EXPECT_TRUE(d.Finished());
        return;
      }
      ASSERT_FALSE(d.Finished());
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
    ASSERT_FALSE(d.Finished());
    ExpectScreen(d, screens[1], "Enter on the connection page");
    EXPECT_TRUE(d.MessageBoxesSeen().empty());
  });
}

SCENARIO(typing_nothing_empties_a_field) {
  d.Run(Machine("winxp", {"scenario_nt_machine.reg"}), [](WizardDriver& d) {
    const std::vector<Screen> screens = scenario::WalkScreens(true, false);
    d.Click(kFrame, IDC_Next);
    d.Click(kFrame, IDC_Next);
    ASSERT_TRUE(d.Visible(IDD_STEP_MTU, IDC_MTU_EDIT));
    struct Row {
      int field;
      const char* before;  // typed first; nullptr: the field as the page filled it
    };
    const Row rows[] = {
        {IDC_MTU_EDIT, nullptr}, {IDC_MSS_EDIT, "1460"}, {IDC_MSS_EDIT, ""},  // already empty
    };
    for (const Row& row : rows) {
      SCOPED_TRACE("field " + std::to_string(row.field) + " holding " +
                   (row.before ? row.before : "its value"));
      if (row.before != nullptr) d.Type(IDD_STEP_MTU, row.field, row.before);
      if (row.before == nullptr) {
        EXPECT_FALSE(d.Text(IDD_STEP_MTU, row.field).empty());
      }
      d.Type(IDD_STEP_MTU, row.field, "");
      EXPECT_EQ(d.Text(IDD_STEP_MTU, row.field), std::string());
      const FocusedControl focus = d.Focused();
      EXPECT_EQ(focus.dialog, IDD_STEP_MTU);
      EXPECT_EQ(focus.id, row.field);
    }
    ExpectScreen(d, screens[1], "after emptying the fields");
    EXPECT_TRUE(d.MessageBoxesSeen().empty());
  });
}

// Tab, Shift+Tab, Alt letters, Space and Enter only, with a refused entry on every checked
// field: Finish is reached only with valid values. On 98 a huge MSS caps the receive window.
SCENARIO(a_keyboard_walk_finishes_only_with_valid_values) {
  for (const char* version : {"winxp", "win2k", "win98"}) {
    SCOPED_TRACE(version);
    const bool nt = scenario::IsNtVersion(version);
    const std::string window = nt ? "292000" : "1073741823";
    d.Run(Machine(version, {nt ? "scenario_nt_machine.reg" : "scenario_9x_machine.reg"}),
          [&](WizardDriver& d) {
            // From Next, Tab passes Exit into the page: typed there, refused by Tab or Alt+N.
            const auto refuse = [&d](int page, int field, const char* typed, bool tab) {
              d.Key(kVkTab), d.Key(kVkTab), d.Type(page, field, typed);
              d.AnswerNextMessageBox(kIdOk);
              tab ? d.Key(kVkTab) : d.Mnemonic('n');
              EXPECT_TRUE(d.Visible(page, 0) && d.Focused().id == field);
            };
            d.Mnemonic('p'), d.Mnemonic('l'), d.Key(kVkReturn);
            d.Key(kVkTab), d.Key(kVkTab), d.Key(kVkTab);
            EXPECT_EQ(d.Focused().id, IDC_MSS_EDIT);
            d.Type(IDD_STEP_MTU, IDC_MSS_EDIT, nt ? "1460" : "7000000");
            d.Mnemonic('n'), d.Key(kVkSpace);
            refuse(IDD_STEP_RWIN, IDC_MULTIPLIER_EDIT, "0", false);
            if (nt) d.Type(IDD_STEP_RWIN, IDC_MULTIPLIER_EDIT, "050");
            EXPECT_EQ(d.Text(IDD_STEP_RWIN, IDC_RWIN_EDIT), window);
            d.Key(kVkTab), d.Mnemonic('n');
            refuse(IDD_STEP_TTL, IDC_TTL_EDIT, "300", false);
            d.Mnemonic('q');  // nobody's letter, with the focus where the refusal left it
            d.Type(IDD_STEP_TTL, IDC_TTL_EDIT, "100");
            d.Mnemonic('n');
            if (nt) {
              d.Mnemonic('n');
              refuse(IDD_STEP_SYN, IDC_SYN_EDIT, "3", true);
              d.Type(IDD_STEP_SYN, IDC_SYN_EDIT, "1");
              d.Mnemonic('n');
            }
            d.Mnemonic('n');  // "Finish" has no letter
            ASSERT_EQ(d.Text(kFrame, IDC_Next), std::string("Finish"));
            d.Key(kVkTab, true), d.Key(kVkTab);
            EXPECT_EQ(d.Focused().id, IDC_Next);
            d.AnswerNextMessageBox(kIdOk);
            d.Key(kVkSpace);
            EXPECT_TRUE(d.Finished() && d.MessageBoxesSeen().size() == (nt ? 4u : 3u));
          });
    const std::string written[][2] = {{"DefaultTTL", "100"},
                                      {nt ? "TcpWindowSize" : "DefaultRcvWindow", window},
                                      {"GlobalMaxTcpWindowSize", window},
                                      {nt ? "SYNAttackProtect" : "DefaultTTL", nt ? "1" : "100"}};
    for (const auto& value : written) {
      std::uint32_t number = 0;
      std::string text;
      const char* name = value[0].c_str();
      EXPECT_TRUE(nt ? scenario::ReadDword(d.registry(), kHkeyLocalMachine, scenario::kTcpipNt,
                                           name, &number) &&
                           (text = std::to_string(number), true)
                     : scenario::ReadText(d.registry(), kHkeyLocalMachine, scenario::kTcpip9x, name,
                                          &text));
      EXPECT_EQ(text, value[1]);
    }
  }
}
