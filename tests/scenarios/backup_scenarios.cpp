// The backup taken when the introduction is left: the question before an existing one is
// replaced, and "Reset Connection Settings".

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include "support/check.h"

using scenario::ExpectScreen;
using scenario::Machine;
using scenario::ReadDword;
using scenario::ReadText;
using scenario::Screen;

namespace {

const char* const kOverwriteQuestion =
    "Now, your old connection settings saved as backup will be overwritten with the current "
    "settings.\nDo you want to proceed?";
const char* const kRestoreFailed = "Failed to reset your connection settings.";
const char* const kRestoredMessage =
    "Ovik Quarnel has reset your system to the backup settings.\n"
    "Please, restart your computer in order to feel the change.";

std::uint32_t BackupTtl(WizardDriver& d) {
  std::uint32_t ttl = 0;
  if (!ReadDword(d.registry(), kHkeyCurrentUser, scenario::kBackupKey, "DefaultTTL", &ttl)) {
    return 0;
  }
  return ttl;
}

}  // namespace

SCENARIO(an_existing_backup_is_replaced_only_on_yes) {
  d.Run(Machine("winxp", {"scenario_nt_machine.reg", "scenario_nt_backup.reg"}),
        [](WizardDriver& d) {
          const Screen step1 = scenario::WalkScreens(true, false)[0];
          CHECK(d.Enabled(kFrame, IDC_RESET_SETTINGS));

          d.AnswerNextMessageBox(kIdNo);
          d.Click(kFrame, IDC_Next);
          REQUIRE_EQ(d.MessageBoxesSeen().size(), std::size_t{1});
          const SeenMessageBox question = d.MessageBoxesSeen()[0];
          CHECK_EQ(question.text, std::string(kOverwriteQuestion));
          CHECK_EQ(question.caption, std::string("Quarnel"));
          if (question.style != -1) CHECK_EQ(question.style, 36);
          ExpectScreen(d, scenario::kIntroduction, "after No");
          CHECK(d.Enabled(kFrame, IDC_RESET_SETTINGS));
          CHECK_EQ(BackupTtl(d), 32u);

          d.AnswerNextMessageBox(kIdYes);
          d.Click(kFrame, IDC_Next);
          CHECK_EQ(scenario::CountBoxes(d, kOverwriteQuestion), 2);
          ExpectScreen(d, step1, "after Yes");
          CHECK_EQ(BackupTtl(d), 128u);

          // Back on the introduction the question comes again: the backup still exists.
          d.Click(kFrame, IDC_Back);
          CHECK(d.Enabled(kFrame, IDC_RESET_SETTINGS));
          d.AnswerNextMessageBox(kIdYes);
          d.Click(kFrame, IDC_Next);
          CHECK_EQ(scenario::CountBoxes(d, kOverwriteQuestion), 3);
          ExpectScreen(d, step1, "after the second Yes");
        });
}

SCENARIO(without_a_backup_reset_is_off_and_nothing_is_asked) {
  d.Run(Machine("win98", {"scenario_9x_machine.reg"}), [](WizardDriver& d) {
    CHECK(!d.Enabled(kFrame, IDC_RESET_SETTINGS));
    CHECK(d.Visible(kFrame, IDC_RESET_SETTINGS));
    d.Click(kFrame, IDC_Next);
    CHECK(d.MessageBoxesSeen().empty());
    ExpectScreen(d, scenario::WalkScreens(false, false)[0], "step 1");
    // Taking the backup does not turn Reset on.
    CHECK(scenario::KeyExists(d.registry(), kHkeyCurrentUser, scenario::kBackupKey));
    d.Click(kFrame, IDC_Back);
    CHECK(!d.Enabled(kFrame, IDC_RESET_SETTINGS));
    d.Click(kFrame, IDC_Next);
    CHECK(d.MessageBoxesSeen().empty());
  });
}

SCENARIO(reset_restores_the_backup_once) {
  d.Run(Machine("win2k", {"scenario_nt_machine.reg", "scenario_nt_backup.reg"}),
        [](WizardDriver& d) {
          Registry& registry = d.registry();
          REQUIRE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
          d.AnswerNextMessageBox(kIdOk);
          d.Click(kFrame, IDC_RESET_SETTINGS);
          const std::vector<SeenMessageBox> boxes = d.MessageBoxesSeen();
          REQUIRE_EQ(boxes.size(), std::size_t{1});
          CHECK_EQ(boxes[0].text, std::string(kRestoredMessage));
          CHECK_EQ(boxes[0].caption, std::string("Quarnel"));
          if (boxes[0].style != -1) CHECK_EQ(boxes[0].style, 0);
          CHECK(!d.Enabled(kFrame, IDC_RESET_SETTINGS));
          ExpectScreen(d, scenario::kIntroduction, "after the reset");

          // The backup's value went back; what the backup did not hold was removed.
          std::uint32_t ttl = 0;
          CHECK(ReadDword(registry, kHkeyLocalMachine, scenario::kTcpipNt, "DefaultTTL", &ttl));
          CHECK_EQ(ttl, 32u);
          CHECK(!scenario::ValueExists(registry, kHkeyLocalMachine, scenario::kTcpipNt,
                                       "TcpWindowSize"));
          CHECK(!scenario::ValueExists(registry, kHkeyCurrentUser, scenario::kInternetSettings,
                                       "MaxConnectionsPerServer"));
          CHECK(!scenario::KeyExists(registry, kHkeyCurrentUser, scenario::kBackupKey));

          // No backup any more, so the next Proceed asks nothing and takes a new one.
          d.Click(kFrame, IDC_Next);
          CHECK_EQ(d.MessageBoxesSeen().size(), std::size_t{1});
          ExpectScreen(d, scenario::WalkScreens(true, false)[0], "step 1");
          CHECK_EQ(BackupTtl(d), 32u);
        });
}

// A restore that cannot finish keeps the backup, the user's only copy of the original settings:
// Reset stays offered and the next Proceed asks before the backup is replaced.
SCENARIO(a_backup_kept_by_a_failed_reset_is_not_replaced_unasked) {
  d.Run(Machine("win98", {"scenario_9x_backup_no_tcpip.reg"}), [](WizardDriver& d) {
    REQUIRE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
    d.AnswerNextMessageBox(kIdOk);
    d.Click(kFrame, IDC_RESET_SETTINGS);
    const std::vector<SeenMessageBox> boxes = d.MessageBoxesSeen();
    REQUIRE_EQ(boxes.size(), std::size_t{1});
    CHECK_EQ(boxes[0].text, std::string(kRestoreFailed));
    CHECK(d.Enabled(kFrame, IDC_RESET_SETTINGS));
    ExpectScreen(d, scenario::kIntroduction, "after the failed reset");

    d.AnswerNextMessageBox(kIdNo);
    d.Click(kFrame, IDC_Next);
    CHECK_EQ(scenario::CountBoxes(d, kOverwriteQuestion), 1);
    ExpectScreen(d, scenario::kIntroduction, "after No");
    std::string ttl;
    CHECK(ReadText(d.registry(), kHkeyCurrentUser, scenario::kBackupKey, "DefaultTTL", &ttl));
    CHECK_EQ(ttl, std::string("32"));
  });
}

// The backup saved as a .reg file and merged with regedit on the same Windows puts back what the
// machine had before Finish, the modem's port limit included. Where regedit cannot delete
// (95, 98, Me, NT 4.0) the file names the values Finish added, and the user deletes them.
SCENARIO(saved_backup_merged_with_regedit_brings_back_the_machine) {
  struct Row {
    const char* version;
    std::vector<std::string> fixtures;
    int connection;
  };
  const Row rows[] = {
      {"winxp", {"scenario_nt_machine.reg"}, IDC_step2_RADIO_LAN},
      {"win2k", {"scenario_nt_machine.reg", "scenario_nt_modem.reg"}, IDC_step2_RADIO_DialUp},
      {"nt40", {"scenario_nt_machine.reg"}, IDC_step2_RADIO_DSL},
      {"win98", {"scenario_9x_machine.reg", "scenario_9x_modem.reg"}, IDC_step2_RADIO_DialUp},
      {"win95", {"scenario_9x_machine.reg"}, IDC_step2_RADIO_CableModem},
      {"winme", {"scenario_9x_machine.reg"}, IDC_step2_RADIO_LAN},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.version);
    const std::string file = d.ScratchFile(std::string(row.version) + ".reg");
    std::string before;
    d.Run(Machine(row.version, row.fixtures), [&](WizardDriver& d) {
      before = scenario::MachineState(d.registry());
      d.Click(kFrame, IDC_Next);
      d.Click(IDD_STEP_CONNECTION, row.connection);
      for (int i = 0; i < 12 && !d.Visible(kFrame, IDC_REVIEW_CHANGES); ++i) {
        d.Click(kFrame, IDC_Next);
      }
      d.AnswerNextMessageBox(kIdOk);
      d.Click(kFrame, IDC_Next);
      CHECK(d.Finished());
    });
    CHECK_NE(scenario::MachineState(d.registry()), before);

    WizardSetup again = Machine(row.version);
    again.keepRegistry = true;
    d.Run(again, [&file](WizardDriver& d) {
      d.AnswerNextSaveDialog(file);
      d.SystemMenu(IDM_SAVE_BACKUP);
      CHECK(d.MessageBoxesSeen().empty());
      d.Click(kFrame, IDCANCEL);
      CHECK(d.Finished());
    });
    REQUIRE(d.MergeRegFile(file));
    // What the file asks to delete by hand, deleted as the user would.
    std::ifstream in(scenario::LocalPath(file), std::ios::binary);
    std::string line, key;
    int byHand = 0;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > 2 && line[0] == '[') key = line.substr(1, line.size() - 2);
      const std::size_t quote = line.find('"');
      if (line.rfind("; ", 0) != 0 || quote == std::string::npos || key.empty()) continue;
      const std::size_t slash = key.find('\\');
      const RegKey hive =
          key.compare(0, slash, "HKEY_CURRENT_USER") == 0 ? kHkeyCurrentUser : kHkeyLocalMachine;
      ScopedKey open(d.registry());
      REQUIRE_EQ(open.Open(hive, key.substr(slash + 1).c_str()), kRegOk);
      const std::string name = line.substr(quote + 1, line.size() - quote - 2);
      CHECK_EQ(d.registry().DeleteValue(open.get(), name.c_str()), kRegOk);
      ++byHand;
    }
    const bool regeditDeletes =
        std::string(row.version) == "winxp" || std::string(row.version) == "win2k";
    CHECK_EQ(byHand == 0, regeditDeletes);
    CHECK_EQ(scenario::MachineState(d.registry()), before);
  }
}

// Restore Windows Defaults asks first, takes the backup when there is none, deletes every value
// the wizard manages and reports as Finish does; the modem keeps its port speed, and Reset
// brings back what the machine had.
SCENARIO(restore_windows_defaults_deletes_what_the_wizard_manages) {
  struct Row {
    const char* language;
    WizardSetup setup;
    const char* tcpip;
  };
  const Row rows[] = {
      {"English", Machine("winxp", {"scenario_nt_machine.reg"}), scenario::kTcpipNt},
      {"German",
       scenario::InShippedLanguage(
           Machine("win95", {"scenario_9x_machine.reg", "scenario_9x_modem.reg"}), "German"),
       scenario::kTcpip9x},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.language);
    d.Run(row.setup, [&row](WizardDriver& d) {
      const std::string before = scenario::MachineState(d.registry());
      const std::string modem =
          scenario::Snapshot(d.registry(), kHkeyLocalMachine, scenario::kModem9x);
      CHECK(!d.Enabled(kFrame, IDC_RESET_SETTINGS));
      d.AnswerNextMessageBox(kIdNo);
      d.SystemMenu(IDM_RESTORE_DEFAULTS);
      CHECK_EQ(scenario::MachineState(d.registry()), before);

      d.AnswerNextMessageBox(kIdYes);
      d.AnswerNextMessageBox(kIdOk);
      d.SystemMenu(IDM_RESTORE_DEFAULTS);
      const std::vector<SeenMessageBox> boxes = d.MessageBoxesSeen();
      REQUIRE_EQ(boxes.size(), std::size_t{3});
      CHECK_EQ(boxes[0].text, scenario::ShippedText(row.language, "168"));
      if (boxes[0].style != -1)
        CHECK_EQ(boxes[0].style, static_cast<int>(kMbYesNo | kMbIconQuestion));
      CHECK_EQ(boxes[2].text, scenario::ShippedText(row.language, "41"));
      Registry& registry = d.registry();
      CHECK(!scenario::ValueExists(registry, kHkeyLocalMachine, row.tcpip, "DefaultTTL"));
      CHECK(!scenario::ValueExists(registry, kHkeyCurrentUser, scenario::kInternetSettings,
                                   "MaxConnectionsPerServer"));
      CHECK(!scenario::ValueExists(registry, kHkeyLocalMachine, scenario::kInterfaceNt, "MTU"));
      CHECK_EQ(scenario::Snapshot(registry, kHkeyLocalMachine, scenario::kModem9x), modem);
      // The backup it took is what Reset brings back.
      REQUIRE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
      d.AnswerNextMessageBox(kIdOk);
      d.Click(kFrame, IDC_RESET_SETTINGS);
      CHECK_EQ(scenario::MachineState(registry), before);
    });
  }
}
