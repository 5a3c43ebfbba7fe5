// What leaving the wizard writes: Finish writes the chosen values and says so; Exit, Esc and the
// close box write nothing beyond the backup taken when the introduction was left.

#include <cstdint>
#include <string>
#include <vector>

#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include "support/check.h"

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
  REQUIRE_EQ(d.Text(kFrame, IDC_Next), std::string("Finish"));
}

void PressFinish(WizardDriver& d) {
  d.AnswerNextMessageBox(kIdOk);
  d.Click(kFrame, IDC_Next);
  CHECK(d.Finished());
  const std::vector<SeenMessageBox> boxes = d.MessageBoxesSeen();
  REQUIRE_EQ(boxes.size(), std::size_t{1});
  CHECK_EQ(boxes[0].text, std::string(kFinishedMessage));
  CHECK_EQ(boxes[0].caption, std::string("Quarnel"));
  if (boxes[0].style != -1) CHECK_EQ(boxes[0].style, 0);
}

struct DwordValue {
  RegKey hive;
  const char* path;
  const char* name;
  std::uint32_t value;
};

void ExpectDwords(Registry& registry, const std::vector<DwordValue>& expected) {
  for (const DwordValue& v : expected) {
    check::Scope scope(std::string(v.path) + "\\" + v.name);
    std::uint32_t value = 0;
    REQUIRE(ReadDword(registry, v.hive, v.path, v.name, &value));
    CHECK_EQ(value, v.value);
  }
}

}  // namespace

SCENARIO(finish_on_the_nt_icmp_step_writes_the_chosen_values) {
  d.Run(Machine("winxp", {"scenario_nt_machine.reg"}), [](WizardDriver& d) {
    d.Click(kFrame, IDC_Next);
    d.Click(IDD_STEP_CONNECTION, IDC_step2_RADIO_LAN);
    GoToFinish(d);
    CHECK(d.Visible(IDD_STEP_ICMP, 0));
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
  CHECK(!scenario::ValueExists(registry, kHkeyCurrentUser, scenario::kBackupKey, "KeepAliveTime"));
}

SCENARIO(finish_on_the_9x_keep_alive_step_writes_texts) {
  d.Run(Machine("win98", {"scenario_9x_machine.reg"}), [](WizardDriver& d) {
    GoToFinish(d);
    CHECK(d.Visible(IDD_STEP_KEEPALIVE, 0));
    CHECK_EQ(d.Caption(), std::string("Step 6 of 6 : Keep Alive Settings"));
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
    check::Scope scope(v.name);
    std::string text;
    REQUIRE(ReadText(registry, kHkeyLocalMachine, scenario::kTcpip9x, v.name, &text));
    CHECK_EQ(text, std::string(v.text));
  }
  const char* const neverOn9x[] = {"SYNAttackProtect", "EnableICMPRedirect", "TcpMaxDupAcks",
                                   "TcpWindowSize", "DefaultReceiveWindow"};
  for (const char* name : neverOn9x) {
    check::Scope scope(name);
    CHECK(!scenario::ValueExists(registry, kHkeyLocalMachine, scenario::kTcpip9x, name));
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
    check::Scope scope(row.windowsVersion);
    d.Run(Machine(row.windowsVersion, {row.machine, row.modem}), [](WizardDriver& d) {
      GoToFinish(d);
      CHECK(d.Visible(IDD_STEP_MODEM, 0));
      CHECK_EQ(d.Caption(), std::string("Boost the Modem"));
      PressFinish(d);
    });
    std::vector<std::uint8_t> properties;
    REQUIRE(scenario::ReadBinary(d.registry(), kHkeyLocalMachine, row.modemKey, "Properties",
                                 &properties));
    REQUIRE_EQ(properties.size(), std::size_t{28});
    CHECK_EQ(properties[24], 0x00);
    CHECK_EQ(properties[25], 0x10);
    CHECK_EQ(properties[26], 0x0E);
    CHECK_EQ(properties[27], 0x00);
    CHECK_EQ(properties[0], 0x80);
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
  };
  for (const Way& way : ways) {
    check::Scope scope(way.name);
    d.Run(Machine("winxp", {"scenario_nt_machine.reg"}), [&way](WizardDriver& d) {
      Registry& registry = d.registry();
      const std::string tcpip = scenario::Snapshot(registry, kHkeyLocalMachine, scenario::kTcpipNt);
      const std::string browser =
          scenario::Snapshot(registry, kHkeyCurrentUser, scenario::kInternetSettings);
      CHECK(!tcpip.empty());
      CHECK(!scenario::KeyExists(registry, kHkeyCurrentUser, scenario::kBackupKey));

      d.Click(kFrame, IDC_Next);
      for (int i = 0; i < way.stepsIn; ++i) d.Click(kFrame, IDC_Next);
      way.leave(d);
      CHECK(d.Finished());
      CHECK(d.MessageBoxesSeen().empty());
      CHECK_EQ(scenario::Snapshot(registry, kHkeyLocalMachine, scenario::kTcpipNt), tcpip);
      CHECK_EQ(scenario::Snapshot(registry, kHkeyCurrentUser, scenario::kInternetSettings),
               browser);
    });
    std::uint32_t ttl = 0;
    CHECK(ReadDword(d.registry(), kHkeyCurrentUser, scenario::kBackupKey, "DefaultTTL", &ttl));
    CHECK_EQ(ttl, 128u);
  }
}
