// Reset Connection Settings: the backup written back, absent values deleted, the backup gone.
#include "fakes/reg_file.h"
#include "store/settings_store.h"
#include "store/store_machine.h"
#include "support/check.h"

using namespace store_keys;

namespace {

// Every modem capability record, for "left as it was" comparisons.
std::string Modems(Registry& registry) {
  std::string out;
  for (const char* path : {kModemClass9x, kModemClassNt}) {
    for (const std::string& modem : SubKeysOf(registry, kHkeyLocalMachine, path)) {
      out += Join(ValuesOf(registry, kHkeyLocalMachine, std::string(path) + "\\" + modem));
    }
  }
  return out;
}

// Read, Finish (a modem boosted where there is one), then the ways back: the backup file
// merged, Reset, and Windows' defaults with the backup they take. Every value the program
// touched is back as it was after each.
void RoundTrip(const std::vector<std::string>& fixtures, OsFamily family) {
  Machine m(fixtures);
  REQUIRE(m.ready);
  const std::string before = Snapshot(m.reg);
  const std::string modems = Modems(m.reg);
  WizardModel model;
  ReadCurrentSettings(m.reg, family, model);
  CHECK(ApplySettings(m.reg, family, 1, ChosenSettings()));
  CHECK_NE(Snapshot(m.reg), before);
  CHECK(BackupExists(m.reg));

  // Where regedit cannot delete, each value it would have deleted is named in a comment.
  std::string file, byHand;
  CHECK(BackupRegFile(m.reg, family, true, "Delete by hand:", &file));
  CHECK(BackupRegFile(m.reg, family, false, "Delete by hand:", &byHand));
  CHECK_EQ(byHand.find("=-"), std::string::npos);
  CHECK_EQ(byHand.find("; Delete by hand: \"") != std::string::npos,
           file.find("\"=-\r\n") != std::string::npos);
  const RegFileResult merged = LoadRegText(m.reg, file);
  CHECK_EQ(merged.message, "");
  CHECK_EQ(Snapshot(m.reg), before);
  CHECK_EQ(Modems(m.reg), modems);

  REQUIRE(ApplySettings(m.reg, family, 0, ChosenSettings()));
  CHECK_EQ(RestoreBackup(m.reg, family), RestoreOutcome::kRestored);
  CHECK_ALL_KEYS_CLOSED();
  CHECK_EQ(Snapshot(m.reg), before);
  CHECK(!BackupExists(m.reg));

  // Without a backup the defaults take one first; a second run keeps it.
  CHECK_EQ(RestoreDefaults(m.reg, family), DefaultsOutcome::kRestored);
  const std::string backup = BackupValues(m.reg);
  for (const PlannedValue& value : PlanDefaults(m.reg, family).values) {
    check::Scope scope(value.name);
    CHECK(value.found == ValueState::kAbsent);
  }
  CHECK_EQ(RestoreDefaults(m.reg, family), DefaultsOutcome::kRestored);
  CHECK_EQ(BackupValues(m.reg), backup);
  CHECK_EQ(RestoreBackup(m.reg, family), RestoreOutcome::kRestored);
  CHECK_ALL_KEYS_CLOSED();
  CHECK_EQ(Snapshot(m.reg), before);
}

}  // namespace

TEST(Restore, RoundTripLeavesEverythingAsItWas) {
  struct Row {
    const char* label;
    OsFamily family;
    std::vector<std::string> fixtures;
  };
  const Row rows[] = {
      {"NT with every value", kOsFamilyNt, {"store_nt_values.reg", "store_nt_interfaces.reg"}},
      {"NT with nothing set", kOsFamilyNt, {}},
      {"NT with no interface", kOsFamilyNt, {"store_nt_values.reg", "store_nt_no_interfaces.reg"}},
      {"9x with every value", kOsFamily9x, {"store_9x_chain.reg", "store_9x_values.reg"}},
      {"9x with nothing set", kOsFamily9x, {}},
      {"9x adapter without values",
       kOsFamily9x,
       {"store_9x_chain.reg", "store_9x_no_adapter_values.reg"}},
      {"9x odd texts",
       kOsFamily9x,
       {"store_9x_chain.reg", "store_9x_values.reg", "store_9x_odd_values.reg"}},
      {"9x two adapters", kOsFamily9x, {"store_9x_chain.reg", "store_9x_two_adapters.reg"}},
      {"9x broken chain", kOsFamily9x, {"store_9x_chain.reg", "store_9x_break_no_driver.reg"}},
      {"NT odd types and modems",
       kOsFamilyNt,
       {"store_nt_values.reg", "store_nt_interfaces.reg", "store_nt_odd_values.reg",
        "store_modem_nt_two.reg"}},
      {"9x modem", kOsFamily9x, {"store_9x_chain.reg", "store_modem_9x_one.reg"}},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.label);
    RoundTrip(row.fixtures, row.family);
  }
}

// Values the tuning added are deleted again: on NT TcpMaxDupAcks and DefaultReceiveWindow, and
// MTU and MSS on an interface that had none or came after the backup.
TEST(RestoreNt, AddedValuesAreDeleted) {
  Machine m({"store_nt_interfaces.reg"});
  REQUIRE(m.ready);
  WizardModel model;
  ReadCurrentSettings(m.reg, kOsFamilyNt, model);
  REQUIRE(m.Load("store_nt_new_interface.reg"));
  CHECK(ApplySettings(m.reg, kOsFamilyNt, 0, ChosenSettings()));
  const std::string added = InterfaceKey("{44444444-DDDD-4000-8000-000000000004}");
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, added, "MTU"), Dword(576));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "TcpMaxDupAcks"), Dword(2));

  CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kRestored);
  CHECK_ALL_KEYS_CLOSED();
  for (const std::string& name : kNtValues) {
    check::Scope scope(name);
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, name), kAbsent);
  }
  CHECK_EQ(Join(ValuesOf(m.reg, kHkeyLocalMachine, added)), Join({"EnableDHCP=" + Dword(1)}));
  const std::string first = InterfaceKey("{11111111-AAAA-4000-8000-000000000001}");
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, first, "MTU"), Dword(1500));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, first, "MSS"), Dword(1460));
  const std::string second = InterfaceKey("{22222222-BBBB-4000-8000-000000000002}");
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, second, "MTU"), Dword(576));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, second, "MSS"), kAbsent);
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "Hostname"), Sz("vm"));
}

// An empty backup deletes every value the wizard writes, per family.
TEST(Restore, EmptyBackupDeletesEveryValue) {
  struct Row {
    OsFamily family;
    const char* path;
    const std::vector<std::string>* names;
    std::vector<std::string> fixtures;
  };
  const Row rows[] = {
      {kOsFamilyNt, kTcpipParameters, &kNtValues, {"store_nt_values.reg"}},
      {kOsFamily9x, kMstcp, &k9xValues, {"store_9x_values.reg"}},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.family == kOsFamilyNt ? "NT" : "9x");
    Machine m(row.fixtures);
    REQUIRE(m.ready);
    {
      ScopedKey backup(m.reg);
      REQUIRE_EQ(backup.Create(kHkeyCurrentUser, kBackupKey), kRegOk);
    }
    CHECK_EQ(RestoreBackup(m.reg, row.family), RestoreOutcome::kRestored);
    CHECK_ALL_KEYS_CLOSED();
    for (const std::string& name : *row.names) {
      check::Scope value(name);
      CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, row.path, name), kAbsent);
    }
    CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer"),
             kAbsent);
    CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "User Agent"),
             Sz("Mozilla/4.0 (compatible; MSIE 8.0; Win32)"));
    CHECK(!BackupExists(m.reg));
  }
}

// 9x adapter: the saved text goes back byte for byte; "0" and a missing MSS delete the values.
TEST(Restore9x, AdapterValues) {
  struct Row {
    const char* label;
    std::vector<std::string> fixtures;
    std::string mtu;
    std::string mss;
  };
  const Row rows[] = {
      {"both set", {"store_9x_chain.reg"}, Sz("1500"), Sz("1460")},
      {"neither set", {"store_9x_chain.reg", "store_9x_no_adapter_values.reg"}, kAbsent, kAbsent},
      // A MaxMTU that really was "0" is indistinguishable from none in the backup.
      {"MaxMTU \"0\"", {"store_9x_chain.reg", "store_9x_mtu_zero.reg"}, kAbsent, Sz("1460")},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.label);
    Machine m(row.fixtures);
    REQUIRE(m.ready);
    CHECK(ReadAndApply(m.reg, kOsFamily9x));
    const std::string transport = TransportKey("0003");
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, transport, "MaxMTU"), Sz("576"));
    CHECK_EQ(RestoreBackup(m.reg, kOsFamily9x), RestoreOutcome::kRestored);
    CHECK_ALL_KEYS_CLOSED();
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, transport, "MaxMTU"), row.mtu);
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, transport, "MaxMSS"), row.mss);
  }
}

// No backup: nothing changes.
TEST(Restore, NoBackup) {
  Machine m({"store_nt_values.reg", "store_nt_interfaces.reg"});
  REQUIRE(m.ready);
  const std::string before = Snapshot(m.reg);
  CHECK(!BackupExists(m.reg));
  CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kNoBackup);
  CHECK_EQ(RestoreBackup(m.reg, kOsFamily9x), RestoreOutcome::kNoBackup);
  CHECK_ALL_KEYS_CLOSED();
  CHECK_EQ(Snapshot(m.reg), before);
}

// Applying twice (two runs): the second read backs up the tuned values, so a restore then
// gives the tuned values back, not the original ones.
TEST(Restore, SecondRunBacksUpTunedValues) {
  Machine m({"store_nt_values.reg", "store_nt_interfaces.reg"});
  REQUIRE(m.ready);
  CHECK(ReadAndApply(m.reg, kOsFamilyNt));
  const std::string tuned = Snapshot(m.reg);
  WizardModel second;
  ReadCurrentSettings(m.reg, kOsFamilyNt, second);
  CHECK_EQ(second.settings.currentTtl, 64u);
  CHECK(ApplySettings(m.reg, kOsFamilyNt, 0, ChosenSettings()));
  CHECK_EQ(Snapshot(m.reg), tuned);
  CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kRestored);
  CHECK_EQ(Snapshot(m.reg), tuned);
}

// Values the read could not take as numbers come back with their bytes and their own type
// instead of being deleted.
TEST(RestoreNt, OddSizesComeBackWhole) {
  Machine m({"store_nt_values.reg", "store_nt_interfaces.reg", "store_nt_odd_values.reg"});
  REQUIRE(m.ready);
  CHECK(ReadAndApply(m.reg, kOsFamilyNt));
  CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kRestored);
  CHECK_ALL_KEYS_CLOSED();
  struct Row {
    RegKey hive;
    std::string path;
    const char* name;
    std::string value;
  };
  const std::string first = InterfaceKey("{11111111-AAAA-4000-8000-000000000001}");
  const Row rows[] = {
      {kHkeyLocalMachine, kTcpipParameters, "DefaultTTL",
       Typed(kRegDword, std::string("\x80\0\0\0\x01\0\0\0", 8))},
      {kHkeyLocalMachine, kTcpipParameters, "TcpWindowSize",
       Typed(kRegDword, std::string("\x70\x44", 2))},
      {kHkeyLocalMachine, kTcpipParameters, "KeepAliveTime", Sz("7200000")},
      {kHkeyLocalMachine, kTcpipParameters, "KeepAliveInterval",
       Typed(kRegBinary, DwordBytes(1000))},
      {kHkeyLocalMachine, kTcpipParameters, "SYNAttackProtect",
       Typed(kRegDword, std::string("\x02\0\0", 3))},
      {kHkeyLocalMachine, kTcpipParameters, "SackOpts", Dword(0)},
      {kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer",
       Typed(kRegDword, std::string("\x08\0\0\0\0\0\0\0\0\0", 10))},
      {kHkeyLocalMachine, first, "MTU", Typed(kRegDword, std::string("\xdc\x05\0\0\0\0\0\0", 8))},
      {kHkeyLocalMachine, first, "MSS", Typed(kRegDword, std::string("\xb4\x05", 2))},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.name);
    CHECK_EQ(ValueAt(m.reg, row.hive, row.path, row.name), row.value);
  }
}
