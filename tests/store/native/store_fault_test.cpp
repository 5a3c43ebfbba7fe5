// What the store does when the registry refuses: every value still attempted, failures told
// to the caller, and a backup kept until it has been written back completely.
#include "fakes/memory_registry.h"
#include "store/adapter_settings.h"
#include "store/modem_port_speed.h"
#include "store/native/memory_backend.h"
#include "store/settings_store.h"
#include "store/store_machine.h"
#include "support/check.h"

using namespace store_keys;

namespace {

const std::vector<std::string> kNtMachine = {"store_nt_values.reg", "store_nt_interfaces.reg"};
const std::vector<std::string> k9xMachine = {"store_9x_chain.reg", "store_9x_values.reg"};

RegFault Fault(RegOp op, const std::string& key, const std::string& value = "*", int count = -1,
               RegResult code = kRegAccessDenied) {
  RegFault f;
  f.op = op;
  f.keyPattern = key;
  f.valuePattern = value;
  f.count = count;
  f.code = code;
  return f;
}

// The same fault, after `skip` matching calls went through (a walk that breaks half-way).
RegFault After(int skip, RegFault fault) {
  fault.skip = skip;
  return fault;
}

// Full paths, as fault patterns take them.
const std::string kHklmTcpip = std::string("HKEY_LOCAL_MACHINE\\") + kTcpipParameters;
const std::string kHklmMstcp = std::string("HKEY_LOCAL_MACHINE\\") + kMstcp;
const std::string kHkcuBackup = std::string("HKEY_CURRENT_USER\\") + kBackupKey;
const std::string kHklmInterfaces = kHklmTcpip + "\\Interfaces";

}  // namespace

// A user without the right to change HKLM: Finish says so, yet every value is attempted and
// what could be written (the browser's) is.
TEST(ApplyFaults, FailedWritesAreReported) {
  struct Row {
    const char* label;
    OsFamily family;
    std::vector<std::string> fixtures;
    RegFault fault;
    int setsAttempted;  // sets the store calls, failing ones included
  };
  const Row rows[] = {
      {"NT: every HKLM set refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kSet, "HKEY_LOCAL_MACHINE\\*"), 2 + 13 + 3 * 2},
      {"NT: DefaultTTL refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kSet, kHklmTcpip, "DefaultTTL"), 2 + 13 + 3 * 2},
      {"NT: one interface refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kSet, kHklmTcpip + "\\Interfaces\\{2*", "MSS"), 2 + 13 + 3 * 2},
      {"NT: interface does not open", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kOpen, kHklmTcpip + "\\Interfaces\\{3*"), 2 + 13 + 2 * 2},
      {"NT: Interfaces does not open", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kOpen, kHklmTcpip + "\\Interfaces"), 2 + 13},
      {"NT: TCP/IP key refused", kOsFamilyNt, kNtMachine, Fault(RegOp::kCreate, kHklmTcpip),
       2 + 3 * 2},
      {"NT: browser key refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kOpen, "*\\Internet Settings"), 13 + 3 * 2},
      {"NT: the interface walk breaks", kOsFamilyNt, kNtMachine,
       After(1, Fault(RegOp::kEnumKey, kHklmInterfaces)), 2 + 13 + 1 * 2},
      {"9x: every HKLM set refused", kOsFamily9x, k9xMachine,
       Fault(RegOp::kSet, "HKEY_LOCAL_MACHINE\\*"), 2 + 9 + 2},
      {"9x: MaxMSS refused", kOsFamily9x, k9xMachine,
       Fault(RegOp::kSet, "*\\NetTrans\\0003", "MaxMSS"), 2 + 9 + 2},
      {"9x: transport does not open", kOsFamily9x, k9xMachine,
       Fault(RegOp::kOpen, "*\\NetTrans\\0003"), 2 + 9},
      {"9x: TCP/IP key refused", kOsFamily9x, k9xMachine, Fault(RegOp::kCreate, kHklmMstcp), 2 + 2},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.label);
    Machine m(row.fixtures);
    REQUIRE(m.ready);
    MemoryRegistry& memory = StoreMemoryRegistry();
    WizardModel model;
    ReadCurrentSettings(m.reg, row.family, model);
    const std::string backup = BackupValues(m.reg);
    const int setsBefore = memory.CallCount(RegOp::kSet);
    memory.AddFault(row.fault);
    CHECK(!ApplySettings(m.reg, row.family, 0, ChosenSettings()));
    CHECK_EQ(memory.CallCount(RegOp::kSet) - setsBefore, row.setsAttempted);
    memory.ClearFaults();
    CHECK_ALL_KEYS_CLOSED();
    // Finish leaves the backup as it was.
    CHECK_EQ(BackupValues(m.reg), backup);
  }
}

// A missing browser key or adapter is nothing to tune, not a failure.
TEST(ApplyFaults, MissingKeysAreNoFailure) {
  Machine m(kNtMachine);
  REQUIRE(m.ready);
  REQUIRE_EQ(m.reg.DeleteTree(kHkeyCurrentUser, kInternetSettings), kRegOk);
  REQUIRE_EQ(m.reg.DeleteTree(kHkeyLocalMachine, kInterfaces), kRegOk);
  REQUIRE_EQ(m.reg.DeleteTree(kHkeyLocalMachine, kTcpipParameters), kRegOk);
  CHECK(ApplySettings(m.reg, kOsFamilyNt, 0, ChosenSettings()));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "DefaultTTL"), Dword(64));
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer"), kNoKey);
  CHECK_ALL_KEYS_CLOSED();
}

TEST(ApplyFaults, ModemWriteRefused) {
  Machine m({"store_modem_nt_two.reg"});
  REQUIRE(m.ready);
  MemoryRegistry& memory = StoreMemoryRegistry();
  memory.AddFault(Fault(RegOp::kSet, "*\\0000", "Properties"));
  CHECK(!BoostModemPortSpeeds(m.reg, kOsFamilyNt));
  CHECK(!ApplySettings(m.reg, kOsFamilyNt, 1, ChosenSettings()));
  memory.ClearFaults();
  // A walk over the modems that breaks has not reached every one.
  memory.AddFault(After(1, Fault(RegOp::kEnumKey, std::string("*\\") + kModemClassNt)));
  CHECK(!BoostModemPortSpeeds(m.reg, kOsFamilyNt));
  memory.ClearFaults();
  CHECK_ALL_KEYS_CLOSED();
  // The other limited modem was still changed.
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, std::string(kModemClassNt) + "\\0002", "Properties")
                   .find("FF 10 0E FF") != std::string::npos,
           true);
}

// Whatever fails during a restore, the backup stays so that Reset is offered again, and a
// value whose saved copy cannot be read is never deleted.
TEST(RestoreFaults, IncompleteRestoreKeepsBackup) {
  struct Row {
    const char* label;
    OsFamily family;
    std::vector<std::string> fixtures;
    std::vector<RegFault> faults;
  };
  const Row rows[] = {
      {"NT: a delete refused",
       kOsFamilyNt,
       {"store_nt_interfaces.reg"},
       {Fault(RegOp::kDeleteValue, kHklmTcpip, "TcpMaxDupAcks")}},
      {"NT: a set refused",
       kOsFamilyNt,
       kNtMachine,
       {Fault(RegOp::kSet, kHklmTcpip, "DefaultTTL")}},
      {"NT: TCP/IP key does not open", kOsFamilyNt, kNtMachine, {Fault(RegOp::kOpen, kHklmTcpip)}},
      {"NT: an interface's MTU refused",
       kOsFamilyNt,
       kNtMachine,
       {Fault(RegOp::kSet, kHklmTcpip + "\\Interfaces\\{1*", "MTU")}},
      {"NT: an interface's MSS delete refused",
       kOsFamilyNt,
       kNtMachine,
       {Fault(RegOp::kDeleteValue, kHklmTcpip + "\\Interfaces\\{3*", "MSS")}},
      {"NT: an interface does not open",
       kOsFamilyNt,
       kNtMachine,
       {Fault(RegOp::kOpen, kHklmTcpip + "\\Interfaces\\{2*")}},
      {"NT: Interfaces does not open",
       kOsFamilyNt,
       kNtMachine,
       {Fault(RegOp::kOpen, kHklmTcpip + "\\Interfaces")}},
      {"NT: the interface walk breaks",
       kOsFamilyNt,
       kNtMachine,
       {After(1, Fault(RegOp::kEnumKey, kHklmInterfaces))}},
      {"NT: MTU Settings does not open",
       kOsFamilyNt,
       kNtMachine,
       {Fault(RegOp::kOpen, kHkcuBackup + "\\MTU Settings")}},
      {"NT: a saved value unreadable",
       kOsFamilyNt,
       kNtMachine,
       {Fault(RegOp::kQuery, kHkcuBackup, "KeepAliveTime", -1, kRegInvalidParameter)}},
      {"NT: browser key does not open",
       kOsFamilyNt,
       kNtMachine,
       {Fault(RegOp::kOpen, "*\\Internet Settings")}},
      {"9x: a delete refused",
       kOsFamily9x,
       {"store_9x_chain.reg"},
       {Fault(RegOp::kDeleteValue, kHklmMstcp, "DefaultTTL")}},
      {"9x: TCP/IP key does not open", kOsFamily9x, k9xMachine, {Fault(RegOp::kOpen, kHklmMstcp)}},
      {"9x: MaxMTU refused",
       kOsFamily9x,
       k9xMachine,
       {Fault(RegOp::kSet, "*\\NetTrans\\0003", "MaxMTU")}},
      {"9x: MaxMSS delete refused",
       kOsFamily9x,
       {"store_9x_chain.reg", "store_9x_no_adapter_values.reg"},
       {Fault(RegOp::kDeleteValue, "*\\NetTrans\\0003", "MaxMSS")}},
      {"9x: transport does not open",
       kOsFamily9x,
       k9xMachine,
       {Fault(RegOp::kOpen, "*\\NetTrans\\0003")}},
      {"9x: MSS Settings does not open",
       kOsFamily9x,
       k9xMachine,
       {Fault(RegOp::kOpen, kHkcuBackup + "\\MSS Settings")}},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.label);
    Machine m(row.fixtures);
    REQUIRE(m.ready);
    MemoryRegistry& memory = StoreMemoryRegistry();
    const std::string original = Snapshot(m.reg);
    CHECK(ReadAndApply(m.reg, row.family));
    const std::string tuned = Snapshot(m.reg);
    const std::string backup = BackupValues(m.reg);
    for (const RegFault& fault : row.faults) memory.AddFault(fault);
    CHECK_EQ(RestoreBackup(m.reg, row.family), RestoreOutcome::kIncomplete);
    memory.ClearFaults();
    CHECK_ALL_KEYS_CLOSED();
    CHECK(BackupExists(m.reg));
    CHECK_EQ(BackupValues(m.reg), backup);
    // Retried at the next start, with the registry willing again: everything comes back.
    CHECK_EQ(RestoreBackup(m.reg, row.family), RestoreOutcome::kRestored);
    CHECK_EQ(Snapshot(m.reg), original);
    CHECK(!BackupExists(m.reg));
  }
}

// A saved value that cannot be read must not be taken for an absent one.
TEST(RestoreFaults, UnreadableSavedValueIsNotDeleted) {
  Machine m(kNtMachine);
  REQUIRE(m.ready);
  MemoryRegistry& memory = StoreMemoryRegistry();
  CHECK(ReadAndApply(m.reg, kOsFamilyNt));
  memory.AddFault(Fault(RegOp::kQuery, kHkcuBackup, "KeepAliveTime", -1, kRegInvalidParameter));
  memory.AddFault(
      Fault(RegOp::kQuery, kHkcuBackup + "\\MTU Settings", "{1*", -1, kRegInvalidParameter));
  CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kIncomplete);
  memory.ClearFaults();
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "KeepAliveTime"), Dword(7200000));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, InterfaceKey("{11111111-AAAA-4000-8000-000000000001}"),
                   "MTU"),
           Dword(576));
  // The others are back.
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "DefaultTTL"), Dword(128));
}

// A missing TCP/IP key is only a failure when the backup has values to put there.
TEST(RestoreFaults, MissingTcpipKey) {
  struct Row {
    const char* label;
    std::vector<std::string> fixtures;
    RestoreOutcome outcome;
  };
  const Row rows[] = {
      {"backup with values", kNtMachine, RestoreOutcome::kIncomplete},
      {"backup without values", {"store_nt_interfaces.reg"}, RestoreOutcome::kRestored},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.label);
    Machine m(row.fixtures);
    REQUIRE(m.ready);
    CHECK(ReadAndApply(m.reg, kOsFamilyNt));
    REQUIRE_EQ(m.reg.DeleteTree(kHkeyLocalMachine, kTcpipParameters), kRegOk);
    CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), row.outcome);
    CHECK_ALL_KEYS_CLOSED();
    CHECK_EQ(BackupExists(m.reg), row.outcome == RestoreOutcome::kIncomplete);
  }
}

// Reading with keys missing or refused: what comes before the missing key is read and backed
// up, nothing after it, and no flag is raised for what was not read. A refused key may hold
// values: the backup would lack them, so it is dropped.
TEST(ReadFaults, MissingKeys) {
  {
    Machine m(kNtMachine);
    REQUIRE(m.ready);
    REQUIRE_EQ(m.reg.DeleteTree(kHkeyCurrentUser, kInternetSettings), kRegOk);
    WizardModel model;
    ReadCurrentSettings(m.reg, kOsFamilyNt, model);
    CHECK_ALL_KEYS_CLOSED();
    CHECK_EQ(model.currentMaxConnectionsPerServerFound, 0);
    CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "MaxConnectionsPerServer"), kAbsent);
    CHECK_EQ(model.currentTtlFound, 1);
  }
  {
    Machine m(kNtMachine);
    REQUIRE(m.ready);
    StoreMemoryRegistry().AddFault(Fault(RegOp::kOpen, kHklmTcpip));
    WizardModel model;
    CHECK(!ReadCurrentSettings(m.reg, kOsFamilyNt, model));
    StoreMemoryRegistry().ClearFaults();
    CHECK_ALL_KEYS_CLOSED();
    CHECK_EQ(model.currentTtlFound, 0);
    CHECK_EQ(model.currentMtuFound, 1);
    CHECK(!BackupExists(m.reg));
  }
  {
    Machine m(k9xMachine);
    REQUIRE(m.ready);
    REQUIRE_EQ(m.reg.DeleteTree(kHkeyLocalMachine, kMstcp), kRegOk);
    WizardModel model;
    ReadCurrentSettings(m.reg, kOsFamily9x, model);
    CHECK_ALL_KEYS_CLOSED();
    CHECK_EQ(model.currentTtlFound, 0);
    CHECK_EQ(model.currentMtuFound, 1);
    CHECK_EQ(ValuesOf(m.reg, kHkeyCurrentUser, kBackupKey).size(), 2u);
  }
}

// A 9x text without terminator is terminated for reading and saved and restored as it was.
TEST(Read9xNative, TextWithoutTerminator) {
  Machine m({"store_9x_chain.reg"});
  REQUIRE(m.ready);
  REQUIRE(WriteValue(m.reg, kHkeyLocalMachine, kMstcp, "DefaultTTL", kRegSz, "32"));
  REQUIRE(WriteValue(m.reg, kHkeyLocalMachine, TransportKey("0003"), "MaxMTU", kRegSz, "1400"));
  const std::string original = Snapshot(m.reg);
  WizardModel model;
  ReadCurrentSettings(m.reg, kOsFamily9x, model);
  CHECK_EQ(model.settings.currentTtl, 32u);
  CHECK_EQ(model.settings.currentMtu, 1400u);
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "DefaultTTL"), Typed(kRegSz, "32"));
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupMtuSettings, "0003"), Typed(kRegSz, "1400"));
  CHECK(ApplySettings(m.reg, kOsFamily9x, 0, ChosenSettings()));
  CHECK_EQ(RestoreBackup(m.reg, kOsFamily9x), RestoreOutcome::kRestored);
  CHECK_EQ(Snapshot(m.reg), original);
}

// Refused TCP/IP key: what comes before it (browser, adapters) is restored all the same.
TEST(RestoreFaults, TcpipKeyRefusedAfterBrowserAndAdapters) {
  Machine m(kNtMachine);
  REQUIRE(m.ready);
  CHECK(ReadAndApply(m.reg, kOsFamilyNt));
  StoreMemoryRegistry().AddFault(Fault(RegOp::kOpen, kHklmTcpip));
  CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kIncomplete);
  StoreMemoryRegistry().ClearFaults();
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer"),
           Dword(6));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, InterfaceKey("{11111111-AAAA-4000-8000-000000000001}"),
                   "MTU"),
           Dword(1500));
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kTcpipParameters, "DefaultTTL"), Dword(64));
  CHECK(BackupExists(m.reg));
}

// A 9x value stored as a DWORD is read as the text its bytes make (no digits: 0), kept with its
// bytes and its own type, and restored with both.
TEST(Read9xNative, DwordWhereTextExpected) {
  Machine m({"store_9x_chain.reg"});
  REQUIRE(m.ready);
  REQUIRE(WriteValue(m.reg, kHkeyLocalMachine, kMstcp, "DefaultTTL", kRegDword,
                     std::string("\x80\0\0\0", 4)));
  REQUIRE(WriteValue(m.reg, kHkeyLocalMachine, kMstcp, "KeepAliveTime", kRegDword,
                     std::string("9\0\0\0", 4)));
  WizardModel model;
  ReadCurrentSettings(m.reg, kOsFamily9x, model);
  CHECK_EQ(model.currentTtlFound, 1);
  CHECK_EQ(model.settings.currentTtl, 0u);
  CHECK_EQ(model.settings.currentKeepAliveTime, 9u);
  CHECK_EQ(ValueAt(m.reg, kHkeyCurrentUser, kBackupKey, "DefaultTTL"), Dword(0x80));
  CHECK(ApplySettings(m.reg, kOsFamily9x, 0, ChosenSettings()));
  CHECK_EQ(RestoreBackup(m.reg, kOsFamily9x), RestoreOutcome::kRestored);
  CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, kMstcp, "DefaultTTL"), Dword(0x80));
}

// A backup that could not take everything found is dropped: restoring it would delete the
// values it lacks. The current values are read all the same.
TEST(ReadFaults, IncompleteBackupIsDropped) {
  struct Row {
    const char* label;
    OsFamily family;
    std::vector<std::string> fixtures;
    RegFault fault;
    bool adaptersRead = true;  // they are read into the backup's sub-keys, so need its key
  };
  const Row rows[] = {
      {"NT: backup key refused", kOsFamilyNt, kNtMachine, Fault(RegOp::kCreate, kHkcuBackup),
       false},
      {"NT: one value refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kSet, kHkcuBackup, "DefaultTTL")},
      {"NT: browser value refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kSet, kHkcuBackup, "MaxConnectionsPerServer")},
      {"NT: MSS Settings refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kCreate, kHkcuBackup + "\\MSS Settings")},
      {"NT: one interface's MTU refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kSet, kHkcuBackup + "\\MTU Settings", "{2*")},
      {"NT: earlier backup not deleted", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kDeleteTree, kHkcuBackup)},
      {"9x: one value refused", kOsFamily9x, k9xMachine,
       Fault(RegOp::kSet, kHkcuBackup, "KeepAliveTime")},
      {"9x: adapter MTU refused", kOsFamily9x, k9xMachine,
       Fault(RegOp::kSet, kHkcuBackup + "\\MTU Settings")},
      {"9x: adapter MSS refused", kOsFamily9x, k9xMachine,
       Fault(RegOp::kSet, kHkcuBackup + "\\MSS Settings")},
      // Refused reads and walks that break say nothing about what is there.
      {"NT: the interface walk breaks", kOsFamilyNt, kNtMachine,
       After(1, Fault(RegOp::kEnumKey, kHklmInterfaces))},
      {"NT: an interface refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kOpen, kHklmInterfaces + "\\{2*")},
      {"NT: browser key refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kOpen, "*\\Internet Settings")},
      {"NT: a value's query refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kQuery, kHklmTcpip, "KeepAliveTime")},
      {"NT: an interface's MSS query refused", kOsFamilyNt, kNtMachine,
       Fault(RegOp::kQuery, kHklmInterfaces + "\\{1*", "MSS")},
      {"9x: the adapter walk breaks", kOsFamily9x, k9xMachine,
       Fault(RegOp::kEnumKey, "HKEY_LOCAL_MACHINE\\Enum\\Root\\Net"), false},
      {"9x: the bindings walk breaks", kOsFamily9x, k9xMachine,
       Fault(RegOp::kEnumValue, "*\\Bindings"), false},
      {"9x: DeviceDesc refused", kOsFamily9x, k9xMachine,
       Fault(RegOp::kQuery, "*\\Enum\\Root\\Net\\*", "DeviceDesc"), false},
      {"9x: MaxMTU refused", kOsFamily9x, k9xMachine,
       Fault(RegOp::kQuery, "*\\NetTrans\\0003", "MaxMTU"), false},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.label);
    Machine m(row.fixtures);
    REQUIRE(m.ready);
    WizardModel whole;
    REQUIRE(ReadCurrentSettings(m.reg, row.family, whole));
    StoreMemoryRegistry().AddFault(row.fault);
    WizardModel model;
    CHECK(!ReadCurrentSettings(m.reg, row.family, model));
    StoreMemoryRegistry().ClearFaults();
    CHECK_ALL_KEYS_CLOSED();
    CHECK(!BackupExists(m.reg) || row.fault.op == RegOp::kDeleteTree);
    CHECK_EQ(model.currentTtlFound, 1);
    CHECK_EQ(model.settings.currentTtl, whole.settings.currentTtl);
    CHECK_EQ(model.currentMtuFound, row.adaptersRead ? 1 : 0);
  }
}

// Values that are simply not there leave nothing to back up and are no failure.
TEST(ReadFaults, AnEmptyMachineBacksUpCompletely) {
  for (OsFamily family : {kOsFamilyNt, kOsFamily9x}) {
    Machine m(std::vector<std::string>{});
    REQUIRE(m.ready);
    WizardModel model;
    CHECK(ReadCurrentSettings(m.reg, family, model));
    CHECK(BackupExists(m.reg));
    CHECK_ALL_KEYS_CLOSED();
  }
}

// After a backup was dropped (the user went on without one), Finish on 9x finds the dial-up
// adapter itself; "41" only when that worked.
TEST(ApplyFaults, Win9xAdapterWithoutRecord) {
  struct Row {
    const char* label;
    std::vector<RegFault> applyFaults;
    bool allWritten;
    std::string mtu;
  };
  const Row rows[] = {
      {"adapter found", {}, true, Sz("576")},
      {"adapter list unreadable",
       {Fault(RegOp::kQuery, "*\\Enum\\Root\\Net\\*", "DeviceDesc")},
       false,
       Sz("1500")},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.label);
    Machine m(k9xMachine);
    REQUIRE(m.ready);
    MemoryRegistry& memory = StoreMemoryRegistry();
    memory.AddFault(Fault(RegOp::kSet, kHkcuBackup, "DefaultTTL"));
    WizardModel model;
    CHECK(!ReadCurrentSettings(m.reg, kOsFamily9x, model));
    memory.ClearFaults();
    REQUIRE(!BackupExists(m.reg));
    for (const RegFault& fault : row.applyFaults) memory.AddFault(fault);
    CHECK_EQ(ApplySettings(m.reg, kOsFamily9x, 0, ChosenSettings()), row.allWritten);
    memory.ClearFaults();
    CHECK_ALL_KEYS_CLOSED();
    CHECK_EQ(ValueAt(m.reg, kHkeyLocalMachine, TransportKey("0003"), "MaxMTU"), row.mtu);
  }
}

// An interface whose name the ANSI calls cannot carry names no key: read, Finish and Reset all
// pass it over, so it neither shows "44" nor keeps Reset from finishing.
TEST(StoreFaults, InterfaceNameNotCarried) {
  Machine m(kNtMachine);
  REQUIRE(m.ready);
  MemoryRegistry& memory = StoreMemoryRegistry();
  const std::string unreachable = InterfaceKey("{33333333-CCCC-4000-8000-000000000003}");
  const std::string before = Join(ValuesOf(m.reg, kHkeyLocalMachine, unreachable));
  const std::string original = Snapshot(m.reg);
  memory.AddFault(Fault(RegOp::kOpen, kHklmInterfaces + "\\{3*", "*", -1, kRegFileNotFound));
  WizardModel model;
  CHECK(ReadCurrentSettings(m.reg, kOsFamilyNt, model));
  CHECK(ApplySettings(m.reg, kOsFamilyNt, 0, ChosenSettings()));
  CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kRestored);
  memory.ClearFaults();
  CHECK_ALL_KEYS_CLOSED();
  CHECK_EQ(Snapshot(m.reg), original);
  CHECK_EQ(Join(ValuesOf(m.reg, kHkeyLocalMachine, unreachable)), before);
}

// Everything went back but the backup could not be deleted: said so, and the backup stays
// for another Reset.
TEST(RestoreFaults, BackupNotDeleted) {
  Machine m(kNtMachine);
  REQUIRE(m.ready);
  const std::string original = Snapshot(m.reg);
  CHECK(ReadAndApply(m.reg, kOsFamilyNt));
  StoreMemoryRegistry().AddFault(Fault(RegOp::kDeleteTree, kHkcuBackup));
  CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kBackupKept);
  StoreMemoryRegistry().ClearFaults();
  CHECK_ALL_KEYS_CLOSED();
  CHECK_EQ(Snapshot(m.reg), original);
  CHECK(BackupExists(m.reg));
  CHECK_EQ(RestoreBackup(m.reg, kOsFamilyNt), RestoreOutcome::kRestored);
  CHECK(!BackupExists(m.reg));
}

// Windows' defaults the registry refuses: told as not all done, with the backup as it was; a
// backup that cannot be taken first stops them before anything is deleted.
TEST(DefaultsFaults, RefusalsKeepTheBackup) {
  struct Row {
    const char* label;
    OsFamily family;
    std::vector<std::string> fixtures;
    bool finishedBefore;  // a backup exists
    RegFault fault;
    DefaultsOutcome outcome;
  };
  const Row rows[] = {
      {"NT: a delete refused", kOsFamilyNt, kNtMachine, true,
       Fault(RegOp::kDeleteValue, kHklmTcpip, "DefaultTTL"), DefaultsOutcome::kIncomplete},
      {"NT: no backup can be taken", kOsFamilyNt, kNtMachine, false,
       Fault(RegOp::kCreate, kHkcuBackup), DefaultsOutcome::kBackupNotSaved},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.label);
    Machine m(row.fixtures);
    REQUIRE(m.ready);
    if (row.finishedBefore) CHECK(ReadAndApply(m.reg, row.family));
    const std::string backup = BackupValues(m.reg);
    const std::string machine = Snapshot(m.reg);
    StoreMemoryRegistry().AddFault(row.fault);
    CHECK_EQ(RestoreDefaults(m.reg, row.family), row.outcome);
    StoreMemoryRegistry().ClearFaults();
    CHECK_ALL_KEYS_CLOSED();
    CHECK_EQ(BackupValues(m.reg), backup);
    if (row.outcome == DefaultsOutcome::kBackupNotSaved) CHECK_EQ(Snapshot(m.reg), machine);
  }
}
