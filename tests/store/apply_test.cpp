// Finish: the chosen values written in each family's form.
#include "store/change_plan.h"
#include "store/settings_store.h"
#include "store/store_machine.h"
#include "support/check.h"

using namespace store_keys;

namespace {

TuningSettings Chosen() {
  TuningSettings s;
  s.pmtuDiscovery = 1;
  s.blackHoleDetect = 0;
  s.icmpRedirects = 1;
  s.mtu = 1492;
  s.mss = 1452;
  s.receiveWindow = 255552;
  s.ttl = 64;
  s.keepAliveTime = 7200000;
  s.keepAliveInterval = 1000;
  s.synAttackProtect = 2;
  s.maxConnectionsPer1_0Server = 20;
  s.maxConnectionsPerServer = 16;
  return s;
}

}  // namespace

TEST(ApplyNt, WritesEveryValueAndEveryInterface) {
  Machine m({"store_nt_values.reg", "store_nt_interfaces.reg"});
  REQUIRE(m.ready);
  WizardModel model;
  ReadCurrentSettings(m.reg, kOsFamilyNt, model);
  const std::vector<std::string> backup = ValuesOf(m.reg, kHkeyCurrentUser, kBackupKey);
  const std::vector<std::string> backupMtu = ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings);

  CHECK(ApplySettings(m.reg, kOsFamilyNt, 0, Chosen()));
  CHECK_ALL_KEYS_CLOSED();

  CHECK_EQ(Join(ValuesOf(m.reg, kHkeyLocalMachine, kTcpipParameters)),
           Join({"DataBasePath=" + Sz("C:\\windows\\system32\\drivers\\etc"),
                 "DefaultReceiveWindow=" + Dword(8192), "DefaultTTL=" + Dword(64),
                 "Domain=" + Sz(""), "EnableICMPRedirect=" + Dword(1),
                 "EnablePMTUBHDetect=" + Dword(0), "EnablePMTUDiscovery=" + Dword(1),
                 "GlobalMaxTcpWindowSize=" + Dword(255552), "Hostname=" + Sz("vm"),
                 "KeepAliveInterval=" + Dword(1000), "KeepAliveTime=" + Dword(7200000),
                 "SackOpts=" + Dword(1), "SYNAttackProtect=" + Dword(2), "Tcp1323Opts=" + Dword(1),
                 "TcpMaxDupAcks=" + Dword(2), "TcpWindowSize=" + Dword(255552)}));
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPer1_0Server"),
           Dword(20));
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer"),
           Dword(16));
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "User Agent"),
           Sz("Mozilla/4.0 (compatible; MSIE 8.0; Win32)"));

  // Every interface gets both values, also the one that had neither; other values stay.
  for (const char* name :
       {"{11111111-AAAA-4000-8000-000000000001}", "{22222222-BBBB-4000-8000-000000000002}",
        "{33333333-CCCC-4000-8000-000000000003}"}) {
    check::Scope scope(name);
    const std::string key = InterfaceKey(name);
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, key, "MTU"), Dword(1492));
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, key, "MSS"), Dword(1452));
    CHECK_EQ(ValuesOf(m.reg, kHkeyLocalMachine, key).size(), 3u);
  }
  // Finish leaves the backup alone.
  CHECK_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupKey)), Join(backup));
  CHECK_EQ(Join(ValuesOf(m.reg, kHkeyCurrentUser, kBackupMtuSettings)), Join(backupMtu));
}

// On 9x every value is the decimal text with its terminator; the NT-only values never appear.
TEST(Apply9x, WritesTextsAndTheRecordedAdapter) {
  Machine m({"store_9x_chain.reg", "store_9x_values.reg"});
  REQUIRE(m.ready);
  WizardModel model;
  ReadCurrentSettings(m.reg, kOsFamily9x, model);

  CHECK(ApplySettings(m.reg, kOsFamily9x, 0, Chosen()));
  CHECK_ALL_KEYS_CLOSED();
  CHECK_EQ(Join(ValuesOf(m.reg, kHkeyLocalMachine, kMstcp)),
           Join({"DefaultRcvWindow=" + Sz("255552"), "DefaultTTL=" + Sz("64"),
                 "GlobalMaxTcpWindowSize=" + Sz("255552"), "KeepAliveInterval=" + Sz("1000"),
                 "KeepAliveTime=" + Sz("7200000"), "PMTUBlackHoleDetect=" + Sz("0"),
                 "PMTUDiscovery=" + Sz("1"), "SackOpts=" + Sz("1"), "Tcp1323Opts=" + Sz("1")}));
  // "64" is three bytes with its terminator.
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kMstcp, "DefaultTTL"),
           Typed(kRegSz, std::string("64\0", 3)));
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPer1_0Server"),
           Dword(20));
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer"),
           Dword(16));
  const std::string transport = TransportKey("0003");
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, transport, "MaxMTU"), Sz("1492"));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, transport, "MaxMSS"), Sz("1452"));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, transport, "DriverDesc"), Sz("TCP/IP"));
  // The network card's transport is not the dial-up one.
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, TransportKey("0000"), "MaxMTU"), Sz("1400"));
}

// Numbers beyond the signed range come out as negative texts, as the 9x TCP/IP reads them.
TEST(Apply9x, LargeNumbersAsSignedText) {
  Machine m;
  TuningSettings s = Chosen();
  s.keepAliveTime = 0xFFFFFFFFu;
  s.ttl = 0x80000000u;
  s.receiveWindow = 0;
  CHECK(ApplySettings(m.reg, kOsFamily9x, 0, s));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kMstcp, "KeepAliveTime"), Sz("-1"));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kMstcp, "DefaultTTL"), Sz("-2147483648"));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kMstcp, "DefaultRcvWindow"), Sz("0"));
}

// Without a backup record of the adapter (no backup, or one dropped after the user agreed to go
// on without it) Finish finds the dial-up adapter itself; without any NT interface nothing per
// adapter is written.
TEST(Apply, NoAdapterRecord) {
  {
    Machine m({"store_9x_chain.reg"});
    REQUIRE(m.ready);
    CHECK(ApplySettings(m.reg, kOsFamily9x, 0, Chosen()));
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, TransportKey("0003"), "MaxMTU"), Sz("1492"));
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, TransportKey("0003"), "MaxMSS"), Sz("1452"));
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, TransportKey("0000"), "MaxMTU"), Sz("1400"));
    CHECK_EQ(Join(SubKeysOf(m.reg, kHkeyCurrentUser, kBackupKey)), Join({}));
  }
  {
    Machine m;
    CHECK(ApplySettings(m.reg, kOsFamilyNt, 0, Chosen()));
    CHECK_ALL_KEYS_CLOSED();
    CHECK_EQ(Join(SubKeysOf(m.reg, kHkeyLocalMachine, kInterfaces)), Join({}));
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "DefaultTTL"), Dword(64));
  }
}

// Whatever the record holds, the 9x family gets none of the NT-only values, and an unknown
// family gets no TCP/IP value at all (the browser values are the same everywhere).
TEST(Apply, FamilySpecificValues) {
  {
    Machine m({"store_9x_chain.reg"});
    REQUIRE(m.ready);
    CHECK(ApplySettings(m.reg, kOsFamily9x, 0, Chosen()));
    for (const char* name : {"SYNAttackProtect", "EnableICMPRedirect", "TcpMaxDupAcks",
                             "TcpWindowSize", "DefaultReceiveWindow"}) {
      check::Scope scope(name);
      CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kMstcp, name), kAbsent);
      CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, name), kAbsent);
    }
  }
  {
    Machine m({"store_nt_interfaces.reg"});
    REQUIRE(m.ready);
    CHECK(ApplySettings(m.reg, 2, 0, Chosen()));
    CHECK_ALL_KEYS_CLOSED();
    CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer"),
             Dword(16));
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "DefaultTTL"), kAbsent);
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kMstcp, "DefaultTTL"), kAbsent);
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine,
                     InterfaceKey("{33333333-CCCC-4000-8000-000000000003}"), "MTU"),
             kAbsent);
  }
}

// Finish's plan, made before anything is written: one line per value with what is there and
// what comes, and carrying it out leaves nothing more to change.
TEST(Plan, ListsWhatFinishWrites) {
  const PlanWords words = {"not set", "unreadable", "unchanged", "delete", "adapter", "modem"};
  struct Row {
    const char* label;
    OsFamily family;
    std::vector<std::string> fixtures;
    std::int32_t modem;
    std::size_t count;
    std::vector<std::string> lines;
  };
  const Row rows[] = {
      {"NT with odd types",
       kOsFamilyNt,
       {"store_nt_values.reg", "store_nt_interfaces.reg", "store_nt_odd_values.reg"},
       0,
       2 + 13 + 3 * 2,
       {"Tcpip\\Parameters  DefaultTTL  hex(4):80,00,00,00,01,00,00,00 -> 64",
        "Tcpip\\Parameters  KeepAliveTime  7200000 -> 7200000",
        "Tcpip\\Parameters  MTU (adapter {22222222-BBBB-4000-8000-000000000002})  576  unchanged",
        "Tcpip\\Parameters  MSS (adapter {33333333-CCCC-4000-8000-000000000003})  not set -> 536"}},
      {"9x with odd texts",
       kOsFamily9x,
       {"store_9x_chain.reg", "store_9x_values.reg", "store_9x_odd_values.reg"},
       0,
       2 + 9 + 2,
       {"VxD\\MSTCP  DefaultRcvWindow  abc -> 64320",
        "Internet Settings  MaxConnectionsPerServer  3 -> 8",
        "Class\\NetTrans  MaxMSS (adapter 0003)  1460 -> 536"}},
      {"modems",
       kOsFamilyNt,
       {"store_modem_nt_two.reg"},
       1,
       2 + 2 + 13,
       {"Class\\Modem  Properties (modem 0000)  115200 -> 921600",
        "Class\\Modem  Properties (modem 0002)  4278305535 -> 4279111935",
        "Tcpip\\Parameters  DefaultTTL  not set -> 64"}},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.label);
    Machine m(row.fixtures);
    REQUIRE(m.ready);
    WizardModel model;
    ReadCurrentSettings(m.reg, row.family, model);
    const std::string before = Snapshot(m.reg);
    const ChangePlan plan = PlanSettings(m.reg, row.family, row.modem, ChosenSettings());
    CHECK_EQ(Snapshot(m.reg), before);
    CHECK(plan.complete);
    CHECK_EQ(plan.values.size(), row.count);
    const std::string text = FormatPlan(plan, words);
    for (const std::string& line : row.lines) {
      check::Scope lineScope(line);
      CHECK(text.find(line + "\r\n") != std::string::npos);
    }
    CHECK(ApplyPlan(m.reg, plan));
    for (const PlannedValue& value :
         PlanSettings(m.reg, row.family, row.modem, ChosenSettings()).values) {
      check::Scope valueScope(value.name);
      CHECK(value.Unchanged());
    }
    CHECK_ALL_KEYS_CLOSED();
  }
}
