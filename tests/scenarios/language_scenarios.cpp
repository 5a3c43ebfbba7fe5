// Language files that touch the Proceed button's captions, which the frame also uses to tell
// the last step.

#include <string>
#include <utility>
#include <vector>

#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include "support/check.h"

using scenario::ExpectScreen;
using scenario::Machine;
using scenario::Screen;

namespace {

const char* const kFinishedMessage =
    "Congratulation, Ovik Quarnel has boosted your internet connections.\n"
    "Please, restart your computer in order to feel the change.";

WizardSetup WithLanguage(WizardSetup setup, const std::string& entries) {
  setup.languageFiles = {{"Test", "[Quarnel]\r\n" + entries}};
  setup.language = "Test";
  return setup;
}

}  // namespace

SCENARIO(a_language_file_with_only_next_changes_only_next) {
  const WizardSetup setup = WithLanguage(Machine("winxp"), "20=Weiter >\r\n");
  d.Run(setup, [](WizardDriver& d) {
    std::vector<Screen> screens = scenario::WalkScreens(true, false);
    ExpectScreen(d, scenario::kIntroduction, "introduction");
    CHECK_EQ(d.Text(kFrame, IDC_Back), std::string("< &Back"));
    CHECK_EQ(d.Text(kFrame, IDCANCEL), std::string("E&xit"));
    CHECK_EQ(d.Text(kFrame, IDC_RESET_SETTINGS), std::string("&Reset Connection Settings"));
    CHECK_EQ(d.Text(kFrame, IDC_Language), std::string("Language"));
    for (std::size_t i = 0; i < screens.size(); ++i) {
      if (std::string(screens[i].proceed) == "&Next >") screens[i].proceed = "Weiter >";
      d.Click(kFrame, IDC_Next);
      ExpectScreen(d, screens[i], std::string("forward to ") + screens[i].title);
    }
    // Leaving the last step turns its "Finish" back into the translated "Next".
    d.Click(kFrame, IDC_Back);
    ExpectScreen(d, screens[screens.size() - 2], "back from the last step");
  });
}

SCENARIO(next_worded_like_finish_does_not_finish_early) {
  struct Row {
    const char* name;
    const char* windowsVersion;
    std::vector<std::string> fixtures;
    const char* entries;
    bool modem;
  };
  const Row rows[] = {
      {"Next equals Finish, NT family", "winxp", {}, "20=Go\r\n10=Go\r\n", false},
      {"Next equals Finish, NT family with a modem",
       "win2k",
       {"scenario_nt_modem.reg"},
       "20=Go\r\n10=Go\r\n",
       true},
      {"Next equals Finish, 9x family with a modem",
       "win98",
       {"scenario_9x_modem.reg"},
       "20=Go\r\n10=Go\r\n",
       true},
      {"Proceed and Next equal Finish", "win95", {}, "IDC_Next=Go\r\n20=Go\r\n10=Go\r\n", false},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.name);
    const WizardSetup setup = WithLanguage(Machine(row.windowsVersion, row.fixtures), row.entries);
    const bool nt = scenario::IsNtVersion(row.windowsVersion);
    d.Run(setup, [&row, nt](WizardDriver& d) {
      const std::vector<Screen> screens = scenario::WalkScreens(nt, row.modem);
      for (const Screen& screen : screens) {
        d.Click(kFrame, IDC_Next);
        check::Scope step(screen.title);
        CHECK(!d.Finished());
        CHECK(d.MessageBoxesSeen().empty());
        CHECK_EQ(d.Caption(), std::string(screen.title));
        CHECK(d.Visible(screen.page, 0));
        CHECK_EQ(d.Text(kFrame, IDC_Next), std::string("Go"));
      }
      // Only the last step finishes.
      d.AnswerNextMessageBox(kIdOk);
      d.Click(kFrame, IDC_Next);
      CHECK(d.Finished());
      CHECK_EQ(scenario::CountBoxes(d, kFinishedMessage), 1);
    });
  }
}
