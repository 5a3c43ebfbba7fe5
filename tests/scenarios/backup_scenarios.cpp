// The backup taken when the introduction is left: the question before an existing one is
// replaced, and "Reset Connection Settings".

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include <gtest/gtest.h>

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
          EXPECT_TRUE(d.Enabled(kFrame, IDC_RESET_SETTINGS));

          d.AnswerNextMessageBox(kIdNo);
          d.Click(kFrame, IDC_Next);
          ASSERT_EQ(d.MessageBoxesSeen().size(), std::size_t{1});
          const SeenMessageBox question = d.MessageBoxesSeen()[0];
          EXPECT_EQ(question.text, std::string(kOverwriteQuestion));
          EXPECT_EQ(question.caption, std::string("Quarnel"));
          if (question.style != -1) {
            EXPECT_EQ(question.style, 36);
          }
          ExpectScreen(d, scenario::kIntroduction, "after No");
          EXPECT_TRUE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
          EXPECT_EQ(BackupTtl(d), 32u);

          d.AnswerNextMessageBox(kIdYes);
          d.Click(kFrame, IDC_Next);
          EXPECT_EQ(scenario::CountBoxes(d, kOverwriteQuestion), 2);
          ExpectScreen(d, step1, "after Yes");
          EXPECT_EQ(BackupTtl(d), 128u);

          // Back on the introduction the question comes again: the backup still exists.
          d.Click(kFrame, IDC_Back);
          EXPECT_TRUE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
          d.AnswerNextMessageBox(kIdYes);
          d.Click(kFrame, IDC_Next);
          EXPECT_EQ(scenario::CountBoxes(d, kOverwriteQuestion), 3);
          ExpectScreen(d, step1, "after the second Yes");
        });
}

SCENARIO(without_a_backup_reset_is_off_and_nothing_is_asked) {
  d.Run(Machine("win98", {"scenario_9x_machine.reg"}), [](WizardDriver& d) {
    EXPECT_FALSE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
    EXPECT_TRUE(d.Visible(kFrame, IDC_RESET_SETTINGS));
    d.Click(kFrame, IDC_Next);
    EXPECT_TRUE(d.MessageBoxesSeen().empty());
    ExpectScreen(d, scenario::WalkScreens(false, false)[0], "step 1");
    // Taking the backup does not turn Reset on.
    EXPECT_TRUE(scenario::KeyExists(d.registry(), kHkeyCurrentUser, scenario::kBackupKey));
    d.Click(kFrame, IDC_Back);
    EXPECT_FALSE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
    d.Click(kFrame, IDC_Next);
    EXPECT_TRUE(d.MessageBoxesSeen().empty());
  });
}

SCENARIO(reset_restores_the_backup_once) {
  d.Run(
      Machine("win2k", {"scenario_nt_machine.reg", "scenario_nt_backup.reg"}), [](WizardDriver& d) {
        Registry& registry = d.registry();
        ASSERT_TRUE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
        d.AnswerNextMessageBox(kIdOk);
        d.Click(kFrame, IDC_RESET_SETTINGS);
        const std::vector<SeenMessageBox> boxes = d.MessageBoxesSeen();
        ASSERT_EQ(boxes.size(), std::size_t{1});
        EXPECT_EQ(boxes[0].text, std::string(kRestoredMessage));
        EXPECT_EQ(boxes[0].caption, std::string("Quarnel"));
        if (boxes[0].style != -1) {
          EXPECT_EQ(boxes[0].style, 0);
        }
        EXPECT_FALSE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
        ExpectScreen(d, scenario::kIntroduction, "after the reset");

        // The backup's value went back; what the backup did not hold was removed.
        std::uint32_t ttl = 0;
        EXPECT_TRUE(ReadDword(registry, kHkeyLocalMachine, scenario::kTcpipNt, "DefaultTTL", &ttl));
        EXPECT_EQ(ttl, 32u);
        EXPECT_FALSE(scenario::ValueExists(registry, kHkeyLocalMachine, scenario::kTcpipNt,
                                           "TcpWindowSize"));
        EXPECT_FALSE(scenario::ValueExists(registry, kHkeyCurrentUser, scenario::kInternetSettings,
                                           "MaxConnectionsPerServer"));
        EXPECT_FALSE(scenario::KeyExists(registry, kHkeyCurrentUser, scenario::kBackupKey));

        // No backup any more, so the next Proceed asks nothing and takes a new one.
        d.Click(kFrame, IDC_Next);
        EXPECT_EQ(d.MessageBoxesSeen().size(), std::size_t{1});
        ExpectScreen(d, scenario::WalkScreens(true, false)[0], "step 1");
        EXPECT_EQ(BackupTtl(d), 32u);
      });
}

// A restore that cannot finish keeps the backup, the user's only copy of the original settings:
// Reset stays offered and the next Proceed asks before the backup is replaced.
SCENARIO(a_backup_kept_by_a_failed_reset_is_not_replaced_unasked) {
  d.Run(Machine("win98", {"scenario_9x_backup_no_tcpip.reg"}), [](WizardDriver& d) {
    ASSERT_TRUE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
    d.AnswerNextMessageBox(kIdOk);
    d.Click(kFrame, IDC_RESET_SETTINGS);
    const std::vector<SeenMessageBox> boxes = d.MessageBoxesSeen();
    ASSERT_EQ(boxes.size(), std::size_t{1});
    EXPECT_EQ(boxes[0].text, std::string(kRestoreFailed));
    EXPECT_TRUE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
    ExpectScreen(d, scenario::kIntroduction, "after the failed reset");

    d.AnswerNextMessageBox(kIdNo);
    d.Click(kFrame, IDC_Next);
    EXPECT_EQ(scenario::CountBoxes(d, kOverwriteQuestion), 1);
    ExpectScreen(d, scenario::kIntroduction, "after No");
    std::string ttl;
    EXPECT_TRUE(ReadText(d.registry(), kHkeyCurrentUser, scenario::kBackupKey, "DefaultTTL", &ttl));
    EXPECT_EQ(ttl, std::string("32"));
  });
}

// Review Changes stands in Reset's place on the step that shows Finish, and there only; it
// lists what Finish writes and writes nothing itself. The backup saved as a .reg file and merged
// with regedit on the same Windows puts back what the machine had before Finish, the modem's port
// limit included. Where regedit cannot delete (95, 98, Me, NT 4.0) the file names the values
// Finish added, and the user deletes them.
SCENARIO(review_finish_then_the_saved_backup_merged_with_regedit_brings_back_the_machine) {
  struct Row {
    const char* version;
    std::vector<std::string> fixtures;
    int connection;
    const char* language;             // shipped language file, or null for none
    std::vector<std::string> review;  // lines Review Changes must list
  };
  const Row rows[] = {
      {"winxp",
       {"scenario_nt_machine.reg"},
       IDC_step2_RADIO_LAN,
       nullptr,
       {"Tcpip\\Parameters  DefaultTTL  128 -> 64", "Tcpip\\Parameters  SackOpts  not set -> 1",
        "Tcpip\\Parameters  EnablePMTUDiscovery  1  unchanged",
        "Tcpip\\Parameters  MTU (adapter {7A6A2F51-3C1E-4F0B-9D2A-0C5E8B1D4F60})  1500  unchanged",
        "Internet Settings  MaxConnectionsPerServer  2 -> 20"}},
      {"win2k",
       {"scenario_nt_machine.reg", "scenario_nt_modem.reg"},
       IDC_step2_RADIO_DialUp,
       nullptr,
       {}},
      {"nt40", {"scenario_nt_machine.reg"}, IDC_step2_RADIO_DSL, nullptr, {}},
      {"win98",
       {"scenario_9x_machine.reg", "scenario_9x_modem.reg"},
       IDC_step2_RADIO_DialUp,
       "German",
       {"Class\\Modem  Properties (Modem 0000)  115200 -> 921600",
        "VxD\\MSTCP  DefaultTTL  32 -> 64", "VxD\\MSTCP  DefaultRcvWindow  8760 -> 64320"}},
      {"win95", {"scenario_9x_machine.reg"}, IDC_step2_RADIO_CableModem, nullptr, {}},
      {"winme", {"scenario_9x_machine.reg"}, IDC_step2_RADIO_LAN, nullptr, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.version);
    const std::string file = d.ScratchFile(std::string(row.version) + ".reg");
    std::string before;
    WizardSetup setup = Machine(row.version, row.fixtures);
    if (row.language != nullptr) setup = scenario::InShippedLanguage(setup, row.language);
    d.Run(setup, [&](WizardDriver& d) {
      before = scenario::MachineState(d.registry());
      EXPECT_FALSE(d.Visible(kFrame, IDC_REVIEW_CHANGES));
      d.Click(kFrame, IDC_Next);
      d.Click(IDD_STEP_CONNECTION, row.connection);
      for (int i = 0; i < 12 && !d.Visible(kFrame, IDC_REVIEW_CHANGES); ++i) {
        d.Click(kFrame, IDC_Next);
      }
      ASSERT_TRUE(d.Visible(kFrame, IDC_REVIEW_CHANGES));
      if (!row.review.empty()) {
        EXPECT_EQ(d.Text(kFrame, IDC_Next),
                  scenario::ShippedText(row.language != nullptr ? row.language : "English", "10"));
        const std::string lines = d.ReviewChanges();
        for (const std::string& line : row.review) {
          SCOPED_TRACE(line);
          EXPECT_TRUE(lines.find(line + "\r\n") != std::string::npos);
        }
        EXPECT_EQ(scenario::MachineState(d.registry()), before);
        EXPECT_TRUE(d.MessageBoxesSeen().empty());
        d.Click(kFrame, IDC_Back);
        EXPECT_FALSE(d.Visible(kFrame, IDC_REVIEW_CHANGES));
        d.Click(kFrame, IDC_Next);
      }
      d.AnswerNextMessageBox(kIdOk);
      d.Click(kFrame, IDC_Next);
      EXPECT_TRUE(d.Finished());
    });
    EXPECT_NE(scenario::MachineState(d.registry()), before);

    WizardSetup again = Machine(row.version);
    again.keepRegistry = true;
    d.Run(again, [&file](WizardDriver& d) {
      d.AnswerNextSaveDialog(file);
      d.SystemMenu(IDM_SAVE_BACKUP);
      EXPECT_TRUE(d.MessageBoxesSeen().empty());
      d.Click(kFrame, IDCANCEL);
      EXPECT_TRUE(d.Finished());
    });
    ASSERT_TRUE(d.MergeRegFile(file));
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
      ASSERT_EQ(open.Open(hive, key.substr(slash + 1).c_str()), kRegOk);
      const std::string name = line.substr(quote + 1, line.size() - quote - 2);
      EXPECT_EQ(d.registry().DeleteValue(open.get(), name.c_str()), kRegOk);
      ++byHand;
    }
    const bool regeditDeletes =
        std::string(row.version) == "winxp" || std::string(row.version) == "win2k";
    EXPECT_EQ(byHand == 0, regeditDeletes);
    EXPECT_EQ(scenario::MachineState(d.registry()), before);
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
    SCOPED_TRACE(row.language);
    d.Run(row.setup, [&row](WizardDriver& d) {
      const std::string before = scenario::MachineState(d.registry());
      const std::string modem =
          scenario::Snapshot(d.registry(), kHkeyLocalMachine, scenario::kModem9x);
      EXPECT_FALSE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
      d.AnswerNextMessageBox(kIdNo);
      d.SystemMenu(IDM_RESTORE_DEFAULTS);
      EXPECT_EQ(scenario::MachineState(d.registry()), before);

      d.AnswerNextMessageBox(kIdYes);
      d.AnswerNextMessageBox(kIdOk);
      d.SystemMenu(IDM_RESTORE_DEFAULTS);
      const std::vector<SeenMessageBox> boxes = d.MessageBoxesSeen();
      ASSERT_EQ(boxes.size(), std::size_t{3});
      EXPECT_EQ(boxes[0].text, scenario::ShippedText(row.language, "168"));
      if (boxes[0].style != -1) {
        EXPECT_EQ(boxes[0].style, static_cast<int>(kMbYesNo | kMbIconQuestion));
      }
      EXPECT_EQ(boxes[2].text, scenario::ShippedText(row.language, "41"));
      Registry& registry = d.registry();
      EXPECT_FALSE(scenario::ValueExists(registry, kHkeyLocalMachine, row.tcpip, "DefaultTTL"));
      EXPECT_FALSE(scenario::ValueExists(registry, kHkeyCurrentUser, scenario::kInternetSettings,
                                         "MaxConnectionsPerServer"));
      EXPECT_FALSE(
          scenario::ValueExists(registry, kHkeyLocalMachine, scenario::kInterfaceNt, "MTU"));
      EXPECT_EQ(scenario::Snapshot(registry, kHkeyLocalMachine, scenario::kModem9x), modem);
      // The backup it took is what Reset brings back.
      ASSERT_TRUE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
      d.AnswerNextMessageBox(kIdOk);
      d.Click(kFrame, IDC_RESET_SETTINGS);
      EXPECT_EQ(scenario::MachineState(registry), before);
    });
  }
}
