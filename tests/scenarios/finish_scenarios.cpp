// What leaving the wizard writes: Finish writes the chosen values and says so; Exit, Esc and the
// close box write nothing beyond the backup taken when the introduction was left.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/wizard_app.h"
#include "fakes/fixed_version.h"
#include "fakes/ini_profile_reader.h"
#include "fakes/recorded_message_boxes.h"

#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include <gtest/gtest.h>
#include "support/store_fixture.h"

using scenario::Machine;
using scenario::ReadDword;
using scenario::ReadText;

namespace {

const char* const kFinishedMessage =
    "Congratulation, Ovik Quarnel has boosted your internet connections.\n"
    "Please, restart your computer in order to feel the change.";

// Next until the Proceed button reads "Finish".
void GoToFinish(WizardDriver& d) {
  for (int i = 0; i < 12 && d.Text(kFrame, IDC_Next) != "Finish"; ++i) d.Click(kFrame, IDC_Next);
  ASSERT_EQ(d.Text(kFrame, IDC_Next), std::string("Finish"));
}

void PressFinish(WizardDriver& d) {
  d.AnswerNextMessageBox(kIdOk);
  d.Click(kFrame, IDC_Next);
  EXPECT_TRUE(d.Finished());
  const std::vector<SeenMessageBox> boxes = d.MessageBoxesSeen();
  ASSERT_EQ(boxes.size(), std::size_t{1});
  EXPECT_EQ(boxes[0].text, std::string(kFinishedMessage));
  EXPECT_EQ(boxes[0].caption, std::string("Quarnel"));
  if (boxes[0].style != -1) {
    EXPECT_EQ(boxes[0].style, 0);
  }
}

void RefuseTtl(WizardDriver& d) { d.Type(IDD_STEP_TTL, IDC_TTL_EDIT, "300"); }

struct DwordValue {
  RegKey hive;
  const char* path;
  const char* name;
  std::uint32_t value;
};

void ExpectDwords(Registry& registry, const std::vector<DwordValue>& expected) {
  for (const DwordValue& v : expected) {
    SCOPED_TRACE(std::string(v.path) + "\\" + v.name);
    std::uint32_t value = 0;
    ASSERT_TRUE(ReadDword(registry, v.hive, v.path, v.name, &value));
    EXPECT_EQ(value, v.value);
  }
}

}  // namespace

SCENARIO(finish_on_the_nt_icmp_step_writes_the_chosen_values) {
  d.Run(Machine("winxp", {"scenario_nt_machine.reg"}), [](WizardDriver& d) {
    d.Click(kFrame, IDC_Next);
    d.Click(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN);
    GoToFinish(d);
    EXPECT_TRUE(d.Visible(IDD_STEP_ICMP, 0));
    // The box as it stands when Finish is pressed is what gets written.
    d.Click(IDD_STEP_ICMP, IDC_chk_ICMP);
    PressFinish(d);
  });
  Registry& registry = d.registry();
  const std::vector<DwordValue> written = {
      {kHkeyLocalMachine, scenario::kTcpipNt, "SackOpts", 1},
      {kHkeyLocalMachine, scenario::kTcpipNt, "Tcp1323Opts", 1},
      {kHkeyLocalMachine, scenario::kTcpipNt, "TcpMaxDupAcks", 2},
      {kHkeyLocalMachine, scenario::kTcpipNt, "DefaultTTL", 64},
      {kHkeyLocalMachine, scenario::kTcpipNt, "DefaultReceiveWindow", 8192},
      {kHkeyLocalMachine, scenario::kTcpipNt, "TcpWindowSize", 256960},
      {kHkeyLocalMachine, scenario::kTcpipNt, "GlobalMaxTcpWindowSize", 256960},
      {kHkeyLocalMachine, scenario::kTcpipNt, "EnablePMTUBHDetect", 0},
      {kHkeyLocalMachine, scenario::kTcpipNt, "EnablePMTUDiscovery", 1},
      {kHkeyLocalMachine, scenario::kTcpipNt, "KeepAliveTime", 7200000},
      {kHkeyLocalMachine, scenario::kTcpipNt, "KeepAliveInterval", 1000},
      {kHkeyLocalMachine, scenario::kTcpipNt, "SYNAttackProtect", 2},
      {kHkeyLocalMachine, scenario::kTcpipNt, "EnableICMPRedirect", 1},
      {kHkeyLocalMachine, scenario::kInterfaceNt, "MTU", 1500},
      {kHkeyLocalMachine, scenario::kInterfaceNt, "MSS", 1460},
      {kHkeyCurrentUser, scenario::kInternetSettings, "MaxConnectionsPer1_0Server", 20},
      {kHkeyCurrentUser, scenario::kInternetSettings, "MaxConnectionsPerServer", 20},
      // The backup holds what the machine had before.
      {kHkeyCurrentUser, scenario::kBackupKey, "DefaultTTL", 128},
      {kHkeyCurrentUser, scenario::kBackupKey, "TcpWindowSize", 8760},
      {kHkeyCurrentUser, scenario::kBackupKey, "MaxConnectionsPerServer", 2},
  };
  ExpectDwords(registry, written);
  EXPECT_FALSE(
      scenario::ValueExists(registry, kHkeyCurrentUser, scenario::kBackupKey, "KeepAliveTime"));
}

SCENARIO(finish_on_the_9x_keep_alive_step_writes_texts) {
  d.Run(Machine("win98", {"scenario_9x_machine.reg"}), [](WizardDriver& d) {
    GoToFinish(d);
    EXPECT_TRUE(d.Visible(IDD_STEP_KEEPALIVE, 0));
    EXPECT_EQ(d.Caption(), std::string("Step 6 of 6 : Keep Alive Settings"));
    PressFinish(d);
  });
  Registry& registry = d.registry();
  struct TextValue {
    const char* name;
    const char* text;
  };
  // Dial-up, the first choice: MSS 536, window 536 x 30 x 4.
  const TextValue written[] = {
      {"SackOpts", "1"},
      {"Tcp1323Opts", "1"},
      {"DefaultTTL", "64"},
      {"DefaultRcvWindow", "64320"},
      {"GlobalMaxTcpWindowSize", "64320"},
      {"PMTUBlackHoleDetect", "0"},
      {"PMTUDiscovery", "1"},
      {"KeepAliveTime", "7200000"},
      {"KeepAliveInterval", "1000"},
  };
  for (const TextValue& v : written) {
    SCOPED_TRACE(v.name);
    std::string text;
    ASSERT_TRUE(ReadText(registry, kHkeyLocalMachine, scenario::kTcpip9x, v.name, &text));
    EXPECT_EQ(text, std::string(v.text));
  }
  const char* const neverOn9x[] = {"SYNAttackProtect", "EnableICMPRedirect", "TcpMaxDupAcks",
                                   "TcpWindowSize", "DefaultReceiveWindow"};
  for (const char* name : neverOn9x) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(scenario::ValueExists(registry, kHkeyLocalMachine, scenario::kTcpip9x, name));
  }
  ExpectDwords(registry,
               {{kHkeyCurrentUser, scenario::kInternetSettings, "MaxConnectionsPer1_0Server", 4},
                {kHkeyCurrentUser, scenario::kInternetSettings, "MaxConnectionsPerServer", 8}});
}

SCENARIO(finish_on_the_modem_step_raises_the_port_limit) {
  struct Row {
    const char* windowsVersion;
    const char* machine;
    const char* modem;
    const char* modemKey;
  };
  const Row rows[] = {
      {"win98", "scenario_9x_machine.reg", "scenario_9x_modem.reg", scenario::kModem9x},
      {"nt40", "scenario_nt_machine.reg", "scenario_nt_modem.reg", scenario::kModemNt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.windowsVersion);
    d.Run(Machine(row.windowsVersion, {row.machine, row.modem}), [](WizardDriver& d) {
      GoToFinish(d);
      EXPECT_TRUE(d.Visible(IDD_STEP_MODEM, 0));
      EXPECT_EQ(d.Caption(), std::string("Boost the Modem"));
      PressFinish(d);
    });
    scenario::ExpectPortLimitLifted(d.registry(), row.modemKey);
  }
}

SCENARIO(leaving_without_finish_writes_only_the_backup) {
  struct Way {
    const char* name;
    int stepsIn;  // Next presses after the introduction's Proceed
    void (*leave)(WizardDriver& d);
  };
  const Way ways[] = {
      {"Exit on step 1", 0, [](WizardDriver& d) { d.Click(kFrame, IDCANCEL); }},
      {"Exit on the last step", 7, [](WizardDriver& d) { d.Click(kFrame, IDCANCEL); }},
      {"Esc on the Back button", 3,
       [](WizardDriver& d) {
         d.Focus(kFrame, IDC_Back);
         d.Key(kVkEscape);
       }},
      {"the close box", 5, [](WizardDriver& d) { d.CloseBox(); }},
      // Whatever a field holds: no message, nothing written.
      {"Exit with a refused TTL", 4,
       [](WizardDriver& d) { RefuseTtl(d), d.Click(kFrame, IDCANCEL); }},
      {"the close box with a refused TTL", 4, [](WizardDriver& d) { RefuseTtl(d), d.CloseBox(); }},
      {"Alt+X with a refused SYN level", 6,
       [](WizardDriver& d) { d.Type(IDD_STEP_SYN, IDC_SYN_EDIT, "3"), d.Mnemonic('x'); }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    d.Run(Machine("winxp", {"scenario_nt_machine.reg"}), [&way](WizardDriver& d) {
      Registry& registry = d.registry();
      const std::string tcpip = scenario::Snapshot(registry, kHkeyLocalMachine, scenario::kTcpipNt);
      const std::string browser =
          scenario::Snapshot(registry, kHkeyCurrentUser, scenario::kInternetSettings);
      EXPECT_FALSE(tcpip.empty());
      EXPECT_FALSE(scenario::KeyExists(registry, kHkeyCurrentUser, scenario::kBackupKey));

      d.Click(kFrame, IDC_Next);
      for (int i = 0; i < way.stepsIn; ++i) d.Click(kFrame, IDC_Next);
      way.leave(d);
      EXPECT_TRUE(d.Finished());
      EXPECT_TRUE(d.MessageBoxesSeen().empty());
      EXPECT_EQ(scenario::Snapshot(registry, kHkeyLocalMachine, scenario::kTcpipNt), tcpip);
      EXPECT_EQ(scenario::Snapshot(registry, kHkeyCurrentUser, scenario::kInternetSettings),
                browser);
    });
    std::uint32_t ttl = 0;
    EXPECT_TRUE(
        ReadDword(d.registry(), kHkeyCurrentUser, scenario::kBackupKey, "DefaultTTL", &ttl));
    EXPECT_EQ(ttl, 128u);
  }
}

namespace {

// One value as Finish must leave it: type and exact bytes.
struct Written {
  RegKey hive;
  const char* path;
  const char* name;
  std::uint32_t type;
  std::string bytes;
};

// A 9x text as its registry keeps it, terminator included.
std::string Text9x(const char* text) { return std::string(text) + '\0'; }

const char* const kNetTrans = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0003";

// What the walk below chooses: DSL (dial-up where a modem is to be found), MTU 1400, MSS 1360,
// discovery off and black-hole detection on, multiplier 50 (RWIN 272000), TTL 100, browser
// connections 8 and 6, keep-alive 60000 and 2000, SYN level 1, ICMP redirects on.
std::vector<Written> ChosenValues(bool nt) {
  const RegKey hklm = kHkeyLocalMachine;
  std::vector<Written> values = {
      {kHkeyCurrentUser, scenario::kInternetSettings, "MaxConnectionsPer1_0Server", kRegDword,
       DwordBytes(8)},
      {kHkeyCurrentUser, scenario::kInternetSettings, "MaxConnectionsPerServer", kRegDword,
       DwordBytes(6)},
  };
  if (nt) {
    const char* const p = scenario::kTcpipNt;
    const std::vector<Written> tcpip = {
        {hklm, p, "SackOpts", kRegDword, DwordBytes(1)},
        {hklm, p, "Tcp1323Opts", kRegDword, DwordBytes(1)},
        {hklm, p, "TcpMaxDupAcks", kRegDword, DwordBytes(2)},
        {hklm, p, "DefaultTTL", kRegDword, DwordBytes(100)},
        {hklm, p, "DefaultReceiveWindow", kRegDword, DwordBytes(8192)},
        {hklm, p, "TcpWindowSize", kRegDword, DwordBytes(272000)},
        {hklm, p, "GlobalMaxTcpWindowSize", kRegDword, DwordBytes(272000)},
        {hklm, p, "EnablePMTUBHDetect", kRegDword, DwordBytes(1)},
        {hklm, p, "EnablePMTUDiscovery", kRegDword, DwordBytes(0)},
        {hklm, p, "KeepAliveTime", kRegDword, DwordBytes(60000)},
        {hklm, p, "KeepAliveInterval", kRegDword, DwordBytes(2000)},
        {hklm, p, "SYNAttackProtect", kRegDword, DwordBytes(1)},
        {hklm, p, "EnableICMPRedirect", kRegDword, DwordBytes(1)},
        {hklm, scenario::kInterfaceNt, "MTU", kRegDword, DwordBytes(1400)},
        {hklm, scenario::kInterfaceNt, "MSS", kRegDword, DwordBytes(1360)},
    };
    values.insert(values.end(), tcpip.begin(), tcpip.end());
  } else {
    const char* const p = scenario::kTcpip9x;
    const std::vector<Written> tcpip = {
        {hklm, p, "SackOpts", kRegSz, Text9x("1")},
        {hklm, p, "Tcp1323Opts", kRegSz, Text9x("1")},
        {hklm, p, "DefaultTTL", kRegSz, Text9x("100")},
        {hklm, p, "DefaultRcvWindow", kRegSz, Text9x("272000")},
        {hklm, p, "GlobalMaxTcpWindowSize", kRegSz, Text9x("272000")},
        {hklm, p, "PMTUBlackHoleDetect", kRegSz, Text9x("1")},
        {hklm, p, "PMTUDiscovery", kRegSz, Text9x("0")},
        {hklm, p, "KeepAliveTime", kRegSz, Text9x("60000")},
        {hklm, p, "KeepAliveInterval", kRegSz, Text9x("2000")},
        {hklm, kNetTrans, "MaxMTU", kRegSz, Text9x("1400")},
        {hklm, kNetTrans, "MaxMSS", kRegSz, Text9x("1360")},
    };
    values.insert(values.end(), tcpip.begin(), tcpip.end());
  }
  return values;
}

// Every key the wizard may change, as .reg text.
std::string MachineSnapshot(Registry& registry) {
  std::string all;
  for (const char* path : {scenario::kTcpipNt, scenario::kTcpip9x, kNetTrans,
                           "System\\CurrentControlSet\\Services\\Class\\Modem",
                           "System\\CurrentControlSet\\Control\\Class\\"
                           "{4D36E96D-E325-11CE-BFC1-08002BE10318}"}) {
    all += scenario::Snapshot(registry, kHkeyLocalMachine, path);
  }
  return all + scenario::Snapshot(registry, kHkeyCurrentUser, scenario::kInternetSettings);
}

// Changes every field of every step, each time pressing Next straight from the field typed in.
void WalkChangingEverything(WizardDriver& d, bool nt, bool modem) {
  d.Click(kFrame, IDC_Next);
  d.Click(IDD_STEP_CONNECTION, modem ? IDC_step2_RADIO_DialUp : IDC_step2_RADIO_DSL);
  d.Click(kFrame, IDC_Next);
  d.Type(IDD_STEP_MTU, IDC_MTU_EDIT, "1400");
  d.Type(IDD_STEP_MTU, IDC_MSS_EDIT, "1360");
  d.Click(kFrame, IDC_Next);
  d.Click(IDD_STEP_PATH_MTU, IDC_chk_MTUDiscovery);
  d.Click(IDD_STEP_PATH_MTU, IDC_chk_BlackHoleDetection);
  d.Click(kFrame, IDC_Next);
  d.Type(IDD_STEP_RWIN, IDC_MULTIPLIER_EDIT, "50");
  d.Click(kFrame, IDC_Next);
  d.Type(IDD_STEP_TTL, IDC_HTTP_1_0_EDIT, "8");
  d.Type(IDD_STEP_TTL, IDC_HTTP_1_1_EDIT, "6");
  d.Type(IDD_STEP_TTL, IDC_TTL_EDIT, "100");
  d.Click(kFrame, IDC_Next);
  d.Type(IDD_STEP_KEEPALIVE, IDC_KEEPALIVE_TIME_EDIT, "60000");
  d.Type(IDD_STEP_KEEPALIVE, IDC_KEEPALIVE_INTERVAL_EDIT, "2000");
  if (nt) {
    d.Click(kFrame, IDC_Next);
    d.Type(IDD_STEP_SYN, IDC_SYN_EDIT, "1");
    d.Click(kFrame, IDC_Next);
    d.Click(IDD_STEP_ICMP, IDC_chk_ICMP);
  }
  if (modem) {
    d.Click(kFrame, IDC_Next);
    EXPECT_TRUE(d.Visible(IDD_STEP_MODEM, 0));
  }
  ASSERT_EQ(d.Text(kFrame, IDC_Next), std::string("Finish"));
}

}  // namespace

// From a machine with every value set: change everything, Finish, check every value written;
// then start again, Reset, and the machine is byte for byte what it was.
SCENARIO(every_change_is_written_and_reset_gives_the_machine_back) {
  struct Row {
    const char* version;
    bool modem;
  };
  const Row rows[] = {{"winxp", false}, {"win98", false}, {"win2k", true}, {"winme", true}};
  for (const Row& row : rows) {
    const bool nt = scenario::IsNtVersion(row.version);
    SCOPED_TRACE(std::string(row.version) + (row.modem ? " with a modem" : ""));
    std::vector<std::string> fixtures = {nt ? "scenario_nt_found.reg" : "scenario_9x_found.reg"};
    if (row.modem) fixtures.push_back(nt ? "scenario_nt_modem.reg" : "scenario_9x_modem.reg");
    std::string before;
    d.Run(Machine(row.version, fixtures), [&](WizardDriver& d) {
      before = MachineSnapshot(d.registry());
      WalkChangingEverything(d, nt, row.modem);
      PressFinish(d);
    });
    for (const Written& value : ChosenValues(nt)) {
      SCOPED_TRACE(std::string(value.path) + "\\" + value.name);
      std::uint32_t type = 0;
      std::string bytes;
      ASSERT_TRUE(
          scenario::ReadTyped(d.registry(), value.hive, value.path, value.name, &type, &bytes));
      EXPECT_EQ(type, value.type);
      EXPECT_EQ(bytes, value.bytes);
    }
    if (row.modem) {
      scenario::ExpectPortLimitLifted(d.registry(), nt ? scenario::kModemNt : scenario::kModem9x);
    }

    WizardSetup again = Machine(row.version);
    again.keepRegistry = true;
    d.Run(again, [](WizardDriver& d) {
      ASSERT_TRUE(d.Enabled(kFrame, IDC_RESET_SETTINGS));
      d.AnswerNextMessageBox(kIdOk);
      d.Click(kFrame, IDC_RESET_SETTINGS);
      d.Click(kFrame, IDCANCEL);
    });
    std::string after = MachineSnapshot(d.registry());
    // The modem's port limit is not part of the backup: Reset leaves it raised.
    if (!row.modem) {
      EXPECT_EQ(after, before);
    }
    EXPECT_FALSE(scenario::KeyExists(d.registry(), kHkeyCurrentUser, scenario::kBackupKey));
  }
}

namespace {

// Profiles read where this test program finds them; no log.
class ProfileFiles : public TextFiles {
 public:
  std::string FullPath(const std::string& path) override { return path; }
  bool IsFile(const std::string& path) override {
    std::FILE* file = std::fopen(scenario::LocalPath(path).c_str(), "rb");
    if (file != nullptr) std::fclose(file);
    return file != nullptr;
  }
  bool Append(const std::string&, const std::string&) override { return true; }
};

// Quarnel.exe's command line, run in this program on the registry the wizard ran on.
int RunCommandLineOn(Registry& registry, bool nt, const std::string& commandLine) {
  IniProfileReader profile;
  FixedVersion version = nt ? FixedVersion(kPlatformNt, 5, 1) : FixedVersion(kPlatformWin9x, 4, 10);
  RecordedMessageBoxes messages;
  ProfileFiles files;
  Platform platform{registry, profile, version, messages, nullptr, nullptr, nullptr, &files};
  WizardApp app(platform);
  return RunCommandLine(app, commandLine.c_str());
}

}  // namespace

// The shipped example profile of a connection type writes what a walk to Finish with that type
// writes on the same machine.
SCENARIO(command_line_profiles_write_what_the_wizard_writes) {
  const struct {
    const char* windows;
    std::vector<std::string> fixtures;
    int radio;
    const char* profile;
  } rows[] = {
      {"winxp", {"scenario_nt_machine.reg"}, IDC_step2_RADIO_DSL, "DSL"},
      {"win98", {"scenario_9x_machine.reg"}, IDC_step2_RADIO_CableModem, "Cable"},
      {"nt40", {"scenario_nt_machine.reg"}, IDC_step2_RADIO_LAN, "LAN"},
      {"winme", {"scenario_9x_machine.reg"}, IDC_step2_RADIO_DSL, "DSL"},
      {"win2k",
       {"scenario_nt_machine.reg", "scenario_nt_modem.reg"},
       IDC_step2_RADIO_DialUp,
       "DialUp"},
      {"win95",
       {"scenario_9x_machine.reg", "scenario_9x_modem.reg"},
       IDC_step2_RADIO_DialUp,
       "DialUp"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.windows);
    const int radio = row.radio;
    d.Run(Machine(row.windows, row.fixtures), [radio](WizardDriver& d) {
      d.Click(kFrame, IDC_Next);
      d.Click(IDD_STEP_CONNECTION, radio);
      GoToFinish(d);
      PressFinish(d);
    });
    Registry& registry = d.registry();
    const std::string walked = scenario::MachineState(registry);
    const bool nt = scenario::IsNtVersion(row.windows);
    std::string profile =
        std::string("Z:" QUARNEL_SOURCE_DIR "/docs/profiles/") + row.profile + ".ini";
    for (char& c : profile) c = c == '/' ? '\\' : c;
    EXPECT_EQ(RunCommandLineOn(registry, nt, "/restore"), 0);
    EXPECT_EQ(RunCommandLineOn(registry, nt, "/apply \"" + profile + "\""), 0);
    EXPECT_EQ(scenario::MachineState(registry), walked);
  }
}
