#include "store/settings_store.h"

#include "store/adapter_settings.h"
#include "store/change_plan.h"
#include "store/modem_port_speed.h"
#include "store/registry_values.h"
#include "store/store_keys.h"
#include "store/store_text.h"

namespace {

using namespace store_keys;

// One value of a family's list: the current field and found flag the read fills (null: the
// value goes to the backup only), what Finish writes (the chosen field, or `constant` when
// that is null), and its place in Finish's and the restore's walks. Tables are in read order;
// the three orders differ and each is kept as Windows users of the program have seen it.
struct StoredValue {
  const char* name;
  std::uint32_t TuningSettings::*current;
  std::int32_t WizardModel::*found;
  std::uint32_t TuningSettings::*chosen;
  std::uint32_t constant;
  std::uint8_t writeAt;
  std::uint8_t restoreAt;
};

// A family's values and where they live: REG_DWORD numbers, or decimal texts when `type` is
// REG_SZ.
struct ValueList {
  RegKey hive;
  const char* path;
  const char* label;  // the key as the review names it
  std::uint32_t type;
  const StoredValue* values;
  std::uint8_t count;
};

using S = TuningSettings;
using M = WizardModel;

constexpr StoredValue kBrowserValues[] = {
    {"MaxConnectionsPer1_0Server", &S::currentMaxConnectionsPer1_0Server,
     &M::currentMaxConnectionsPer1_0ServerFound, &S::maxConnectionsPer1_0Server, 0, 0, 0},
    {"MaxConnectionsPerServer", &S::currentMaxConnectionsPerServer,
     &M::currentMaxConnectionsPerServerFound, &S::maxConnectionsPerServer, 0, 1, 1},
};

constexpr StoredValue kNtValues[] = {
    {"SackOpts", nullptr, nullptr, nullptr, 1, 0, 0},
    {"Tcp1323Opts", nullptr, nullptr, nullptr, 1, 1, 1},
    {"GlobalMaxTcpWindowSize", nullptr, nullptr, &S::receiveWindow, 0, 6, 3},
    {"TcpMaxDupAcks", nullptr, nullptr, nullptr, 2, 2, 4},
    {"DefaultTTL", &S::currentTtl, &M::currentTtlFound, &S::ttl, 0, 3, 5},
    {"TcpWindowSize", &S::currentReceiveWindow, &M::currentReceiveWindowFound, &S::receiveWindow, 0,
     5, 2},
    {"DefaultReceiveWindow", nullptr, nullptr, nullptr, 8192, 4, 6},
    {"EnablePMTUBHDetect", &S::currentBlackHoleDetect, &M::currentBlackHoleDetectFound,
     &S::blackHoleDetect, 0, 7, 7},
    {"EnablePMTUDiscovery", &S::currentPmtuDiscovery, &M::currentPmtuDiscoveryFound,
     &S::pmtuDiscovery, 0, 8, 8},
    {"KeepAliveTime", &S::currentKeepAliveTime, &M::currentKeepAliveTimeFound, &S::keepAliveTime, 0,
     9, 9},
    {"KeepAliveInterval", &S::currentKeepAliveInterval, &M::currentKeepAliveIntervalFound,
     &S::keepAliveInterval, 0, 10, 10},
    {"SYNAttackProtect", &S::currentSynAttackProtect, &M::currentSynAttackProtectFound,
     &S::synAttackProtect, 0, 11, 11},
    {"EnableICMPRedirect", &S::currentIcmpRedirects, &M::currentIcmpRedirectsFound,
     &S::icmpRedirects, 0, 12, 12},
};

constexpr StoredValue k9xValues[] = {
    {"SackOpts", nullptr, nullptr, nullptr, 1, 0, 0},
    {"Tcp1323Opts", nullptr, nullptr, nullptr, 1, 1, 1},
    {"DefaultTTL", &S::currentTtl, &M::currentTtlFound, &S::ttl, 0, 2, 2},
    {"DefaultRcvWindow", &S::currentReceiveWindow, &M::currentReceiveWindowFound, &S::receiveWindow,
     0, 3, 3},
    {"GlobalMaxTcpWindowSize", nullptr, nullptr, &S::receiveWindow, 0, 4, 4},
    {"PMTUBlackHoleDetect", &S::currentBlackHoleDetect, &M::currentBlackHoleDetectFound,
     &S::blackHoleDetect, 0, 5, 5},
    {"PMTUDiscovery", &S::currentPmtuDiscovery, &M::currentPmtuDiscoveryFound, &S::pmtuDiscovery, 0,
     6, 6},
    {"KeepAliveTime", &S::currentKeepAliveTime, &M::currentKeepAliveTimeFound, &S::keepAliveTime, 0,
     7, 7},
    {"KeepAliveInterval", &S::currentKeepAliveInterval, &M::currentKeepAliveIntervalFound,
     &S::keepAliveInterval, 0, 8, 8},
};

template <std::size_t N>
constexpr ValueList List(RegKey hive, const char* path, const char* label, std::uint32_t type,
                         const StoredValue (&values)[N]) {
  return {hive, path, label, type, values, static_cast<std::uint8_t>(N)};
}

constexpr ValueList kBrowser =
    List(kHkeyCurrentUser, kInternetSettings, "Internet Settings", kRegDword, kBrowserValues);
constexpr ValueList kNt =
    List(kHkeyLocalMachine, kTcpipParameters, "Tcpip\\Parameters", kRegDword, kNtValues);
constexpr ValueList k9x = List(kHkeyLocalMachine, kMstcp, "VxD\\MSTCP", kRegSz, k9xValues);

// Visits `list` in the order its `place` column gives (null: the table's own, the read's).
template <typename Visit>
void Walk(const ValueList& list, std::uint8_t StoredValue::*place, Visit visit) {
  for (std::uint8_t at = 0; at < list.count; ++at) {
    for (std::uint8_t i = 0; i < list.count; ++i) {
      if (place == nullptr ? i == at : list.values[i].*place == at) visit(list.values[i]);
    }
  }
}

// Fills the current value and its flag, where the value has them.
void Found(const StoredValue& value, WizardModel& model, std::uint32_t number) {
  if (value.current == nullptr) return;
  model.settings.*value.current = number;
  model.*value.found = 1;
}

// Reads the list's values into the model and the backup. Each value goes into the backup whole,
// with its own type, so that Reset gives it back as it was (a value of the family's type is
// stored as it always was). Only a number of at most four bytes (NT and the browser) or a text
// the classic 260-byte buffer takes (9x) is a current value. A key or value that is there but
// cannot be read leaves the backup incomplete.
void ReadValues(Registry& registry, const ValueList& list, RegKey backup, WizardModel& model,
                WriteResults& backupResults) {
  ScopedKey source(registry);
  if (!backupResults.NoteOpen(source.Open(list.hive, list.path))) return;
  ValueBytes bytes;
  Walk(list, nullptr, [&](const StoredValue& value) {
    const ValueState state = bytes.Read(registry, source.get(), value.name);
    if (state == ValueState::kUnreadable) backupResults.Fail();
    if (state != ValueState::kPresent) return;
    backupResults.Note(
        SetExactValue(registry, backup, value.name, bytes.type(), bytes.data(), bytes.size()));
    std::uint32_t number = 0;
    if (list.type == kRegSz ? bytes.TextNumber(&number) : bytes.Number(&number)) {
      Found(value, model, number);
    }
  });
}

// Puts the list's values back from the backup into their key (opened, never created): each
// value the backup holds is written with its saved type and bytes, each it lacks is deleted. A
// key that does not open can only be right when the backup holds none of its values.
void RestoreValues(Registry& registry, RegKey backup, const ValueList& list,
                   WriteResults& results) {
  ScopedKey target(registry);
  const RegResult opened = target.Open(list.hive, list.path);
  ValueBytes saved;
  Walk(list, &StoredValue::restoreAt, [&](const StoredValue& value) {
    const ValueState state = saved.Read(registry, backup, value.name);
    if (state == ValueState::kUnreadable) {
      results.Fail();
    } else if (opened != kRegOk) {
      // Without the key, values to write back cannot be; absent ones are already absent only
      // when the key is missing, not when it is there but refused.
      if (state == ValueState::kPresent || opened != kRegFileNotFound) results.Fail();
    } else if (state == ValueState::kPresent) {
      results.Note(SetExactValue(registry, target.get(), value.name, saved.type(), saved.data(),
                                 saved.size()));
    } else {
      results.NoteDelete(registry.DeleteValue(target.get(), value.name));
    }
  });
}

// Where the backup keeps a value: the backup key itself, or one of its adapter sub-keys under
// the adapter's name.
struct BackupCopy {
  enum Where { kInBackup, kInMtuSettings, kInMssSettings } where;
  const char* name;
  bool zeroMeansAbsent;
};

PlannedValue Entry(RegKey hive, const std::string& path, const char* label, const char* name,
                   const std::string& owner = std::string()) {
  PlannedValue value;
  value.hive = hive;
  value.path = path;
  value.label = label;
  value.name = name;
  value.owner = owner;
  return value;
}

// The number a value of `type` is written as: a DWORD, or the decimal text 9x reads.
void SetNumber(PlannedValue& value, std::uint32_t type, std::uint32_t number) {
  value.type = type;
  if (type == kRegSz) {
    const DecimalText text = IntegerToText(static_cast<std::int32_t>(number));
    value.bytes.assign(text.text, text.text + text.size);
  } else {
    value.bytes = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                   static_cast<std::uint8_t>(number >> 16),
                   static_cast<std::uint8_t>(number >> 24)};
  }
}

// Every value the wizard manages, in Finish's order, handed to `fill(value, copy)` to say what
// happens to it (the chosen number is set already). The modems are not among them.
template <typename Fill>
void Plan(Registry& registry, OsFamily family, bool searchUnrecorded, ChangePlan& plan, Fill fill,
          const TuningSettings& settings = TuningSettings()) {
  auto addList = [&](const ValueList& list, bool createKey) {
    Walk(list, &StoredValue::writeAt, [&](const StoredValue& stored) {
      PlannedValue value = Entry(list.hive, list.path, list.label, stored.name);
      value.createKey = createKey;
      SetNumber(value, list.type, stored.chosen ? settings.*stored.chosen : stored.constant);
      fill(value, BackupCopy{BackupCopy::kInBackup, stored.name, false});
      plan.values.push_back(value);
    });
  };
  // Without Internet Explorer's key there is no browser to tune; the TCP/IP key is made.
  addList(kBrowser, false);
  if (family == kOsFamily9x) addList(k9x, true);
  if (family == kOsFamilyNt) addList(kNt, true);

  std::vector<AdapterKey> adapters;
  if (!ListAdapterKeys(registry, family, searchUnrecorded, &adapters)) plan.complete = false;
  const bool is9x = family == kOsFamily9x;
  const std::uint32_t type = is9x ? kRegSz : kRegDword;
  for (const AdapterKey& adapter : adapters) {
    const char* label = is9x ? "Class\\NetTrans" : "Tcpip\\Parameters";
    PlannedValue mtu =
        Entry(kHkeyLocalMachine, adapter.path, label, is9x ? "MaxMTU" : "MTU", adapter.owner);
    SetNumber(mtu, type, settings.mtu);
    fill(mtu, BackupCopy{BackupCopy::kInMtuSettings, adapter.owner.c_str(), is9x});
    plan.values.push_back(mtu);
    PlannedValue mss =
        Entry(kHkeyLocalMachine, adapter.path, label, is9x ? "MaxMSS" : "MSS", adapter.owner);
    SetNumber(mss, type, settings.mss);
    fill(mss, BackupCopy{BackupCopy::kInMssSettings, adapter.owner.c_str(), false});
    plan.values.push_back(mss);
  }
}

// Finish's plan without the values it replaces: what Finish needs to write.
ChangePlan FinishPlan(Registry& registry, OsFamily family, std::int32_t modemBoostAvailable,
                      const TuningSettings& settings) {
  ChangePlan plan;
  if (modemBoostAvailable == 1) PlanModemPortSpeeds(registry, family, false, &plan);
  Plan(
      registry, family, true, plan, [](PlannedValue&, const BackupCopy&) {}, settings);
  return plan;
}

}  // namespace

bool ReadCurrentSettings(Registry& registry, OsFamily family, WizardModel& model) {
  WriteResults backupResults;
  // What an earlier backup leaves behind would be written back with the new one.
  backupResults.NoteDelete(registry.DeleteTree(kHkeyCurrentUser, kBackupKey));
  ScopedKey backup(registry);
  backupResults.Note(backup.Create(kHkeyCurrentUser, kBackupKey));

  ReadValues(registry, kBrowser, backup.get(), model, backupResults);
  if (family == kOsFamilyNt) {
    ReadAdapterSettingsNt(registry, model, backupResults);
    ReadValues(registry, kNt, backup.get(), model, backupResults);
  } else if (family == kOsFamily9x) {
    ReadAdapterSettings9x(registry, model, backupResults);
    ReadValues(registry, k9x, backup.get(), model, backupResults);
  }
  if (backupResults.ok()) return true;
  // A backup that lacks a value found on the machine would have a restore delete that value:
  // no backup is better than that one.
  backup.Close();
  registry.DeleteTree(kHkeyCurrentUser, kBackupKey);
  return false;
}

bool ApplySettings(Registry& registry, OsFamily family, std::int32_t modemBoostAvailable,
                   const TuningSettings& settings) {
  return ApplyPlan(registry, FinishPlan(registry, family, modemBoostAvailable, settings));
}

ChangePlan PlanSettings(Registry& registry, OsFamily family, std::int32_t modemBoostAvailable,
                        const TuningSettings& settings) {
  ChangePlan plan = FinishPlan(registry, family, modemBoostAvailable, settings);
  ReadFoundValues(registry, plan);
  return plan;
}

ChangePlan PlanDefaults(Registry& registry, OsFamily family) {
  ChangePlan plan;
  Plan(registry, family, true, plan, [](PlannedValue& value, const BackupCopy&) {
    value.remove = true;
    value.createKey = false;
  });
  ReadFoundValues(registry, plan);
  return plan;
}

ChangePlan PlanBackup(Registry& registry, OsFamily family) {
  ChangePlan plan;
  ScopedKey backup(registry);
  if (backup.Open(kHkeyCurrentUser, kBackupKey) != kRegOk) {
    plan.complete = false;
    return plan;
  }
  ScopedKey mtuSettings(registry);
  const RegResult mtuOpened = mtuSettings.Open(backup.get(), kMtuSettings);
  ScopedKey mssSettings(registry);
  const RegResult mssOpened = mssSettings.Open(backup.get(), kMssSettings);
  ValueBytes saved;
  Plan(registry, family, false, plan, [&](PlannedValue& value, const BackupCopy& copy) {
    const bool mss = copy.where == BackupCopy::kInMssSettings;
    const bool own = copy.where == BackupCopy::kInBackup;
    const RegKey key = own ? backup.get() : mss ? mssSettings.get() : mtuSettings.get();
    const RegResult opened = own ? kRegOk : mss ? mssOpened : mtuOpened;
    ValueState state = saved.Read(registry, key, opened, copy.name);
    // On 9x the MTU side records "had none" as the text "0".
    if (state == ValueState::kPresent && copy.zeroMeansAbsent && saved.type() == kRegSz &&
        saved.size() >= 1 && saved.data()[0] == '0' &&
        (saved.size() == 1 || saved.data()[1] == 0)) {
      state = ValueState::kAbsent;
    }
    if (state == ValueState::kUnreadable) plan.complete = false;
    value.remove = state != ValueState::kPresent;
    // A value to put back makes its key again; a delete has nothing to do where the key is gone.
    value.createKey = !value.remove;
    value.type = saved.type();
    value.bytes.assign(saved.data(), saved.data() + saved.size());
  });
  PlanModemPortSpeeds(registry, family, true, &plan);
  ReadFoundValues(registry, plan);
  return plan;
}

RestoreOutcome RestoreBackup(Registry& registry, OsFamily family) {
  WriteResults results;
  {
    ScopedKey backup(registry);
    if (backup.Open(kHkeyCurrentUser, kBackupKey) != kRegOk) return RestoreOutcome::kNoBackup;

    RestoreValues(registry, backup.get(), kBrowser, results);
    if (family == kOsFamily9x) {
      if (!RestoreAdapterSettings9x(registry)) results.Fail();
      RestoreValues(registry, backup.get(), k9x, results);
    } else if (family == kOsFamilyNt) {
      if (!RestoreAdapterSettingsNt(registry)) results.Fail();
      RestoreValues(registry, backup.get(), kNt, results);
    }
  }
  // A half-done restore keeps the backup, so Reset is offered again.
  if (!results.ok()) return RestoreOutcome::kIncomplete;
  const RegResult deleted = registry.DeleteTree(kHkeyCurrentUser, kBackupKey);
  return deleted == kRegOk || deleted == kRegFileNotFound ? RestoreOutcome::kRestored
                                                          : RestoreOutcome::kBackupKept;
}

bool BackupExists(Registry& registry) {
  ScopedKey backup(registry);
  return backup.Open(kHkeyCurrentUser, kBackupKey) == kRegOk;
}

DefaultsOutcome RestoreDefaults(Registry& registry, OsFamily family, bool withoutBackup) {
  if (!withoutBackup && !BackupExists(registry)) {
    WizardModel scratch;
    if (!ReadCurrentSettings(registry, family, scratch)) return DefaultsOutcome::kBackupNotSaved;
  }
  return ApplyPlan(registry, PlanDefaults(registry, family)) ? DefaultsOutcome::kRestored
                                                             : DefaultsOutcome::kIncomplete;
}

bool BackupRegFile(Registry& registry, OsFamily family, bool canDelete, const char* deleteByHand,
                   std::string* text) {
  const ChangePlan plan = PlanBackup(registry, family);
  if (!plan.complete) return false;
  *text = FormatRegFile(plan, canDelete, deleteByHand);
  return true;
}
