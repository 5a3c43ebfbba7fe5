// Walking the wizard forward and back in each Windows family, with and without a modem step.

#include <string>
#include <vector>

#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include <gtest/gtest.h>

using scenario::ExpectScreen;
using scenario::Machine;
using scenario::Screen;

namespace {

struct Family {
  const char* name;
  const char* windowsVersion;
  bool modem;
};

// Forward to the last step, back to the introduction, and forward again: a counter that went
// wrong on the way back shows as a wrong screen on the second way out.
void WalkThereAndBack(WizardDriver& d, const std::vector<Screen>& screens) {
  ExpectScreen(d, scenario::kIntroduction, "start");
  for (int pass = 1; pass <= 2; ++pass) {
    const std::string label = "pass " + std::to_string(pass) + ", ";
    for (std::size_t i = 0; i < screens.size(); ++i) {
      d.Click(kFrame, IDC_Next);
      ExpectScreen(d, screens[i], label + "forward to " + screens[i].title);
    }
    for (std::size_t i = screens.size() - 1; i > 0; --i) {
      d.Click(kFrame, IDC_Back);
      ExpectScreen(d, screens[i - 1], label + "back to " + screens[i - 1].title);
    }
    d.Click(kFrame, IDC_Back);
    ExpectScreen(d, scenario::kIntroduction, label + "back to the introduction");
  }
  EXPECT_FALSE(d.Finished());
  EXPECT_TRUE(d.MessageBoxesSeen().empty());
  d.Click(kFrame, IDCANCEL);
  EXPECT_TRUE(d.Finished());
}

}  // namespace

SCENARIO(every_screen_forward_and_back_in_each_family) {
  const Family families[] = {
      {"NT family, no modem", "winxp", false},
      {"NT family, modem", "winxp", true},
      {"9x family, no modem", "win98", false},
      {"9x family, modem", "win98", true},
  };
  for (const Family& family : families) {
    SCOPED_TRACE(family.name);
    const bool nt = scenario::IsNtVersion(family.windowsVersion);
    std::vector<std::string> fixtures = {nt ? "scenario_nt_machine.reg"
                                            : "scenario_9x_machine.reg"};
    if (family.modem) fixtures.push_back(nt ? "scenario_nt_modem.reg" : "scenario_9x_modem.reg");
    const std::vector<Screen> screens = scenario::WalkScreens(nt, family.modem);
    d.Run(Machine(family.windowsVersion, fixtures),
          [&screens](WizardDriver& d) { WalkThereAndBack(d, screens); });
  }
}

SCENARIO(each_windows_version_walks_its_family) {
  const char* const versions[] = {"win95", "win98", "winme", "nt40", "win2k", "winxp"};
  for (const char* version : versions) {
    SCOPED_TRACE(version);
    const bool nt = scenario::IsNtVersion(version);
    const std::vector<Screen> screens = scenario::WalkScreens(nt, false);
    d.Run(Machine(version), [&screens](WizardDriver& d) { WalkThereAndBack(d, screens); });
  }
}

SCENARIO(back_on_step_one_restores_the_introduction) {
  d.Run(Machine("winxp", {"scenario_nt_machine.reg"}), [](WizardDriver& d) {
    d.Click(kFrame, IDC_Next);
    d.Click(kFrame, IDC_Back);
    ExpectScreen(d, scenario::kIntroduction, "after Back");
    const FocusedControl focus = d.Focused();
    EXPECT_EQ(focus.dialog, kFrame);
    EXPECT_EQ(focus.id, IDC_Next);
    // Without a backup at start there is still nothing to ask, though one was taken.
    EXPECT_FALSE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
    d.Click(kFrame, IDC_Next);
    ExpectScreen(d, scenario::WalkScreens(true, false)[0], "step 1 again");
    EXPECT_TRUE(d.MessageBoxesSeen().empty());
  });
}

SCENARIO(connection_choice_survives_back_and_next) {
  d.Run(Machine("win2k", {"scenario_nt_machine.reg"}), [](WizardDriver& d) {
    d.Click(kFrame, IDC_Next);
    EXPECT_TRUE(d.Checked(IDD_STEP_CONNECTION, IDC_step2_RADIO_DialUp));
    d.Click(IDD_STEP_CONNECTION, IDC_step2_RADIO_DSL);
    d.Click(kFrame, IDC_Next);
    EXPECT_EQ(d.Text(IDD_STEP_MTU, IDC_MTU_EDIT), std::string("1492"));
    EXPECT_EQ(d.Text(IDD_STEP_MTU, IDC_MSS_EDIT), std::string("1452"));
    d.Click(kFrame, IDC_Back);
    EXPECT_TRUE(d.Checked(IDD_STEP_CONNECTION, IDC_step2_RADIO_DSL));
    EXPECT_FALSE(d.Checked(IDD_STEP_CONNECTION, IDC_step2_RADIO_DialUp));
    d.Click(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN);
    d.Click(kFrame, IDC_Next);
    EXPECT_EQ(d.Text(IDD_STEP_MTU, IDC_MTU_EDIT), std::string("1500"));
    EXPECT_EQ(d.Text(IDD_STEP_MTU, IDC_MSS_EDIT), std::string("1460"));
  });
}

SCENARIO(a_modem_found_once_stays_found) {
  // Dial-up finds the modem; choosing LAN afterwards does not take the modem step away.
  d.Run(Machine("winme", {"scenario_9x_machine.reg", "scenario_9x_modem.reg"}),
        [](WizardDriver& d) {
          const std::vector<Screen> screens = scenario::WalkScreens(false, true);
          d.Click(kFrame, IDC_Next);
          d.Click(kFrame, IDC_Next);
          d.Click(kFrame, IDC_Back);
          d.Click(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN);
          for (std::size_t i = 1; i < screens.size(); ++i) {
            d.Click(kFrame, IDC_Next);
            ExpectScreen(d, screens[i], std::string("forward to ") + screens[i].title);
          }
        });
}

SCENARIO(connection_page_texts) {
  WizardSetup setup = Machine("win95");
  setup.languageFiles = {{"Test",
                          "[Quarnel]\r\n"
                          "IDC_step2_RADIO_LAN=Local network\r\n"
                          "IDC_static_step2_Explain=First line**Third line\r\n"}};
  setup.language = "Test";
  d.Run(setup, [](WizardDriver& d) {
    d.Click(kFrame, IDC_Next);
    EXPECT_EQ(d.Caption(), std::string("Step 1 of 6 : Choose Connection Type"));
    EXPECT_EQ(d.Text(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN), std::string("Local network"));
    EXPECT_EQ(d.Text(IDD_STEP_CONNECTION, IDC_static_step2_Explain),
              std::string("First line\n\nThird line"));
    EXPECT_EQ(d.Text(IDD_STEP_CONNECTION, IDC_step2_RADIO_DialUp),
              std::string("Dial Up Connection (&Modem)."));
    EXPECT_EQ(d.Text(IDD_STEP_CONNECTION, IDC_step2_RADIO_CableModem),
              std::string("&Cable Modem."));
    EXPECT_EQ(d.Text(IDD_STEP_CONNECTION, IDC_step2_RADIO_DSL),
              std::string("&Digital Subscriber Line (DSL)."));
  });
}
