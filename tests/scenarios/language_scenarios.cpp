// Language files that touch the Proceed button's captions (a caption never decides where the
// wizard is), and the language chooser.

#include <string>
#include <utility>
#include <vector>

#include "app/version.h"
#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include <gtest/gtest.h>

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
    EXPECT_EQ(d.Text(kFrame, IDC_Back), std::string("< &Back"));
    EXPECT_EQ(d.Text(kFrame, IDCANCEL), std::string("E&xit"));
    EXPECT_EQ(d.Text(kFrame, IDC_RESET_SETTINGS), std::string("&Reset Connection Settings"));
    EXPECT_EQ(d.Text(kFrame, IDC_Language), std::string("Language"));
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
    SCOPED_TRACE(row.name);
    const WizardSetup setup = WithLanguage(Machine(row.windowsVersion, row.fixtures), row.entries);
    const bool nt = scenario::IsNtVersion(row.windowsVersion);
    d.Run(setup, [&row, nt](WizardDriver& d) {
      const std::vector<Screen> screens = scenario::WalkScreens(nt, row.modem);
      for (const Screen& screen : screens) {
        d.Click(kFrame, IDC_Next);
        SCOPED_TRACE(screen.title);
        EXPECT_FALSE(d.Finished());
        EXPECT_TRUE(d.MessageBoxesSeen().empty());
        EXPECT_EQ(d.Caption(), std::string(screen.title));
        EXPECT_TRUE(d.Visible(screen.page, 0));
        EXPECT_EQ(d.Text(kFrame, IDC_Next), std::string("Go"));
      }
      // Only the last step finishes.
      d.AnswerNextMessageBox(kIdOk);
      d.Click(kFrame, IDC_Next);
      EXPECT_TRUE(d.Finished());
      EXPECT_EQ(scenario::CountBoxes(d, kFinishedMessage), 1);
    });
  }
}

namespace {

// Two languages with flags; the stored name in other letter case.
WizardSetup TwoLanguages(const std::string& version, const std::string& stored) {
  WizardSetup setup = Machine(version);
  setup.languageFiles = {
      {"Deutsch",
       "[Quarnel]\r\nIDC_Next=&Weiter\r\n18=Ovik Quarnel (Deutsch)\r\n"
       "20=&Weiter >\r\n21=Schritt 1 von 8 : Verbindungsart\r\n"
       "30=Schritt 1 von 6 : Verbindungsart\r\nIDC_step2_RADIO_LAN=&LAN-Verbindung\r\n"
       "IDOK=Schlie\xDF"
       "en\r\nIDC_STATIC2=Fassung\r\n"},
      {"Fran\xE7"
       "ais",
       "[Quarnel]\r\nIDC_Next=&Continuer\r\n18=Ovik Quarnel (fran\xE7"
       "ais)\r\n20=&Suivant >\r\n21=\xC9tape 1 sur 8 : Type de connexion\r\n"
       "30=\xC9tape 1 sur 6 : Type de connexion\r\nIDC_Language=Langue\r\n"
       "IDC_REVIEW_CHANGES=&Revoir...\r\n"},
  };
  setup.flags = {"Deutsch",
                 "Fran\xE7"
                 "ais"};
  setup.language = stored;
  return setup;
}

int IndexOf(const std::vector<ListItem>& items, const std::string& text) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].text == text) return static_cast<int>(i);
  }
  return -1;
}

// Chooses an item as the user does with the keyboard: the box takes the focus, then Home and
// Down move the selection one item at a time, each move a selection change.
void ChooseLanguage(WizardDriver& d, const std::string& name) {
  const int target = IndexOf(d.ListItems(kFrame, IDC_LANGUAGE_LIST), name);
  ASSERT_TRUE(target >= 0);
  d.Focus(kFrame, IDC_LANGUAGE_LIST);
  d.Key(kVkHome);
  for (int i = 0; i < target; ++i) d.Key(kVkDown);
  ASSERT_EQ(d.ListSelection(kFrame, IDC_LANGUAGE_LIST), target);
}

}  // namespace

SCENARIO(the_chooser_lists_the_languages_and_switches_at_once) {
  const std::string french =
      "Fran\xE7"
      "ais";
  for (const char* version : {"winxp", "win98"}) {
    SCOPED_TRACE(version);
    const bool nt = scenario::IsNtVersion(version);
    d.Run(TwoLanguages(version,
                       "FRAN\xC7"
                       "AIS"),
          [&](WizardDriver& d) {
            const std::vector<ListItem> items = d.ListItems(kFrame, IDC_LANGUAGE_LIST);
            ASSERT_EQ(items.size(), std::size_t{2});
            // Both have flags: the pictures are numbered in the order the items came.
            EXPECT_EQ(items[0].image, 0);
            EXPECT_EQ(items[1].image, 1);
            EXPECT_TRUE(IndexOf(items, "Deutsch") >= 0);
            EXPECT_EQ(d.ListSelection(kFrame, IDC_LANGUAGE_LIST), IndexOf(items, french));
            EXPECT_EQ(d.Text(kFrame, IDC_Next), std::string("&Continuer"));
            // Controls made after the first paint come in the stored language as well.
            EXPECT_EQ(d.Text(kFrame, IDC_Language), std::string("Langue"));
            EXPECT_EQ(d.Text(kFrame, IDC_REVIEW_CHANGES), std::string("&Revoir..."));

            ChooseLanguage(d, "Deutsch");
            EXPECT_EQ(d.Caption(), std::string("Ovik Quarnel (Deutsch)"));
            EXPECT_EQ(d.Text(kFrame, IDC_Next), std::string("&Weiter"));
            // Only what the file holds changes; the rest stays English.
            EXPECT_EQ(d.Text(kFrame, IDCANCEL), std::string("E&xit"));
            std::string stored;
            EXPECT_TRUE(scenario::ReadText(d.registry(), kHkeyCurrentUser, "Software\\Ovik Quarnel",
                                           "Language", &stored));
            EXPECT_EQ(stored, std::string("Deutsch"));

            d.SystemMenuAbout();
            EXPECT_EQ(d.Text(IDD_ABOUT, IDOK), std::string("Schlie\xDF"
                                                           "en"));
            EXPECT_EQ(d.Text(IDD_ABOUT, IDC_STATIC2), std::string("Fassung"));

            d.Click(kFrame, IDC_Next);
            EXPECT_EQ(d.Caption(), std::string(nt ? "Schritt 1 von 8 : Verbindungsart"
                                                  : "Schritt 1 von 6 : Verbindungsart"));
            // The page, made after the change, is shown for the first time in the new language.
            EXPECT_EQ(d.Text(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN),
                      std::string("&LAN-Verbindung"));
            EXPECT_TRUE(d.MessageBoxesSeen().empty());
          });
    // Started again, the wizard comes up in the language chosen last time.
    d.Run(TwoLanguages(version, "Deutsch"), [](WizardDriver& d) {
      const std::vector<ListItem> items = d.ListItems(kFrame, IDC_LANGUAGE_LIST);
      EXPECT_EQ(d.ListSelection(kFrame, IDC_LANGUAGE_LIST), IndexOf(items, "Deutsch"));
      EXPECT_EQ(d.Text(kFrame, IDC_Next), std::string("&Weiter"));
    });
  }
}

SCENARIO(languages_without_a_flag_or_gone) {
  struct Row {
    const char* name;
    std::vector<std::string> flags;
    const char* stored;
    std::vector<ListItem> expected;  // in the box's order
    int selected;
  };
  const Row rows[] = {
      // The one without a picture goes to the end, whatever the order the search found them in.
      {"one flag missing", {"Beta"}, "alpha", {{"Beta", 0}, {"Alpha", -1}}, 1},
      {"no flags", {}, "Beta", {{"Alpha", -1}, {"Beta", -1}}, -2},
      {"stored language deleted", {"Alpha", "Beta"}, "Gamma", {}, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    WizardSetup setup = Machine("winxp");
    setup.languageFiles = {{"Alpha", "[Quarnel]\r\nIDC_Next=&Alpha\r\n"},
                           {"Beta", "[Quarnel]\r\nIDC_Next=&Beta\r\n"}};
    setup.flags = row.flags;
    setup.language = row.stored;
    d.Run(setup, [&row](WizardDriver& d) {
      const std::vector<ListItem> items = d.ListItems(kFrame, IDC_LANGUAGE_LIST);
      ASSERT_EQ(items.size(), std::size_t{2});
      if (!row.expected.empty()) {
        for (std::size_t i = 0; i < items.size(); ++i) {
          EXPECT_EQ(items[i].text, row.expected[i].text);
          EXPECT_EQ(items[i].image, row.expected[i].image);
        }
      } else {
        EXPECT_EQ(items[0].image + items[1].image, 1);
      }
      // -2: whichever place the search gave the stored one.
      const int selected = row.selected == -2 ? IndexOf(items, row.stored) : row.selected;
      EXPECT_EQ(d.ListSelection(kFrame, IDC_LANGUAGE_LIST), selected);
      if (selected < 0) {
        EXPECT_EQ(d.Text(kFrame, IDC_Next), std::string("&Proceed"));
      }
    });
  }
}

// The About box reads its two lines from the program's version resource, each named by its
// field's template text.
SCENARIO(the_about_box_shows_the_version_resource) {
  d.Run(Machine("win98"), [](WizardDriver& d) {
    d.SystemMenuAbout();
    EXPECT_EQ(d.Text(IDD_ABOUT, IDC_ABOUT_VERSION), std::string(QUARNEL_VERSION_TEXT));
    EXPECT_EQ(d.Text(IDD_ABOUT, IDC_ABOUT_COPYRIGHT), std::string(QUARNEL_COPYRIGHT_TEXT));
    EXPECT_EQ(d.Text(IDD_ABOUT, IDOK), std::string("OK"));
    EXPECT_EQ(d.Text(IDD_ABOUT, IDC_STATIC2), std::string("Version"));
  });
}
