#include "store/settings_store.h"

#include "app/wizard_app.h"
#include "store/adapter_settings.h"
#include "store/modem_port_speed.h"
#include "store/registry_values.h"
#include "store/store_keys.h"
#include "store/store_text.h"

namespace {

using namespace store_keys;

// A system value read with its current field and found flag (both null: backup only).
struct ReadTarget {
  const char* name;
  std::uint32_t* current;
  std::int32_t* found;
};

// NT and the browser: the value is copied whole into the backup as a REG_DWORD. Only a value of
// at most four bytes counts as found; a longer one is copied all the same so a restore can put
// it back instead of deleting it.
void ReadNumber(Registry& registry, RegKey source, RegKey backup, const ReadTarget& target,
                ValueBytes& bytes, WriteResults& backupResults) {
  if (bytes.Read(registry, source, target.name) != ValueState::kPresent) return;
  backupResults.Note(registry.SetValue(backup, target.name, kRegDword, bytes.data(), bytes.size()));
  if (bytes.size() <= 4 && target.current != nullptr) {
    *target.current = bytes.AsNumber();
    *target.found = 1;
  }
}

// 9x: the value is a text, copied into the backup as a REG_SZ with the bytes read. A text of
// 260 bytes or more is not taken as a current value but still copied whole.
void ReadText(Registry& registry, RegKey source, RegKey backup, const ReadTarget& target,
              ValueBytes& bytes, WriteResults& backupResults) {
  TextValue text;
  const TextRead read = ReadTextValue(registry, source, target.name, &text);
  if (read == TextRead::kText) {
    backupResults.Note(SetExactValue(registry, backup, target.name, kRegSz,
                                     reinterpret_cast<const std::uint8_t*>(text.text), text.size));
    if (target.current != nullptr) {
      *target.current = static_cast<std::uint32_t>(TextToInteger(text.text));
      *target.found = 1;
    }
  } else if (read == TextRead::kTooLong &&
             bytes.Read(registry, source, target.name) == ValueState::kPresent) {
    backupResults.Note(
        SetExactValue(registry, backup, target.name, kRegSz, bytes.data(), bytes.size()));
  }
}

// Reads `targets` from the key at `path` into the backup: REG_DWORD numbers, or texts when
// `type` is REG_SZ. Without the key there is nothing to read.
template <std::size_t N>
void ReadValues(Registry& registry, RegKey hive, const char* path, std::uint32_t type,
                const ReadTarget (&targets)[N], RegKey backup, WriteResults& backupResults) {
  ScopedKey source(registry);
  if (source.Open(hive, path) != kRegOk) return;
  ValueBytes bytes;
  for (const ReadTarget& target : targets) {
    if (type == kRegSz) {
      ReadText(registry, source.get(), backup, target, bytes, backupResults);
    } else {
      ReadNumber(registry, source.get(), backup, target, bytes, backupResults);
    }
  }
}

// A value Finish writes, with what it writes.
struct WriteTarget {
  const char* name;
  std::uint32_t value;
};

// Writes `values` into `key` (0: the key could not be had, so none is): REG_DWORD numbers, or
// decimal texts when `type` is REG_SZ. A failing value does not stop the others.
template <std::size_t N>
void WriteValues(Registry& registry, RegKey key, std::uint32_t type, const WriteTarget (&values)[N],
                 WriteResults& results) {
  if (key == 0) return;
  for (const WriteTarget& value : values) {
    results.Note(type == kRegSz ? SetDecimalText(registry, key, value.name,
                                                 static_cast<std::int32_t>(value.value))
                                : SetDword(registry, key, value.name, value.value));
  }
}

// Writes the family's TCP/IP `values` into the key at `path`, created when missing.
template <std::size_t N>
void WriteTcpipValues(Registry& registry, const char* path, std::uint32_t type,
                      const WriteTarget (&values)[N], WriteResults& results) {
  ScopedKey tcpip(registry);
  results.Note(tcpip.Create(kHkeyLocalMachine, path));
  WriteValues(registry, tcpip.get(), type, values, results);
}

// Values a restore puts back, in the order it writes them.
constexpr const char* kRestoredNt[] = {"SackOpts",
                                       "Tcp1323Opts",
                                       "TcpWindowSize",
                                       "GlobalMaxTcpWindowSize",
                                       "TcpMaxDupAcks",
                                       "DefaultTTL",
                                       "DefaultReceiveWindow",
                                       "EnablePMTUBHDetect",
                                       "EnablePMTUDiscovery",
                                       "KeepAliveTime",
                                       "KeepAliveInterval",
                                       "SYNAttackProtect",
                                       "EnableICMPRedirects"};
constexpr const char* kRestored9x[] = {"SackOpts",
                                       "Tcp1323Opts",
                                       "DefaultTTL",
                                       "DefaultRcvWindow",
                                       "GlobalMaxTcpWindowSize",
                                       "PMTUBlackHoleDetect",
                                       "PMTUDiscovery",
                                       "KeepAliveTime",
                                       "KeepAliveInterval"};
constexpr const char* kBrowserValues[] = {"MaxConnectionsPer1_0Server", "MaxConnectionsPerServer"};

// Puts `names` back from the backup into the key at `path` (opened, never created): each value
// the backup holds is written with its saved bytes, each it lacks is deleted. A key that does
// not open can only be right when the backup holds none of its values.
template <std::size_t N>
void RestoreValues(Registry& registry, RegKey backup, RegKey hive, const char* path,
                   const char* const (&names)[N], std::uint32_t type, WriteResults& results) {
  ScopedKey target(registry);
  const RegResult opened = target.Open(hive, path);
  ValueBytes saved;
  for (const char* name : names) {
    const ValueState state = saved.Read(registry, backup, name);
    if (state == ValueState::kUnreadable) {
      results.Fail();
    } else if (opened != kRegOk) {
      // Without the key, values to write back cannot be; absent ones are already absent only
      // when the key is missing, not when it is there but refused.
      if (state == ValueState::kPresent || opened != kRegFileNotFound) results.Fail();
    } else if (state == ValueState::kPresent) {
      results.Note(SetExactValue(registry, target.get(), name, type, saved.data(), saved.size()));
    } else {
      results.NoteDelete(registry.DeleteValue(target.get(), name));
    }
  }
}

}  // namespace

bool ReadCurrentSettings(Registry& registry, OsFamily family, WizardModel& model) {
  TuningSettings& s = model.settings;
  WriteResults backupResults;
  // What an earlier backup leaves behind would be written back with the new one.
  backupResults.NoteDelete(registry.DeleteTree(kHkeyCurrentUser, kBackupKey));
  ScopedKey backup(registry);
  backupResults.Note(backup.Create(kHkeyCurrentUser, kBackupKey));

  const ReadTarget browser[] = {
      {"MaxConnectionsPer1_0Server", &s.currentMaxConnectionsPer1_0Server,
       &model.currentMaxConnectionsPer1_0ServerFound},
      {"MaxConnectionsPerServer", &s.currentMaxConnectionsPerServer,
       &model.currentMaxConnectionsPerServerFound},
  };
  ReadValues(registry, kHkeyCurrentUser, kInternetSettings, kRegDword, browser, backup.get(),
             backupResults);

  if (family == kOsFamilyNt) {
    ReadAdapterSettingsNt(registry, model, backupResults);
    const ReadTarget targets[] = {
        {"SackOpts", nullptr, nullptr},
        {"Tcp1323Opts", nullptr, nullptr},
        {"GlobalMaxTcpWindowSize", nullptr, nullptr},
        {"TcpMaxDupAcks", nullptr, nullptr},
        {"DefaultTTL", &s.currentTtl, &model.currentTtlFound},
        {"TcpWindowSize", &s.currentReceiveWindow, &model.currentReceiveWindowFound},
        {"DefaultReceiveWindow", nullptr, nullptr},
        {"EnablePMTUBHDetect", &s.currentBlackHoleDetect, &model.currentBlackHoleDetectFound},
        {"EnablePMTUDiscovery", &s.currentPmtuDiscovery, &model.currentPmtuDiscoveryFound},
        {"KeepAliveTime", &s.currentKeepAliveTime, &model.currentKeepAliveTimeFound},
        {"KeepAliveInterval", &s.currentKeepAliveInterval, &model.currentKeepAliveIntervalFound},
        {"SYNAttackProtect", &s.currentSynAttackProtect, &model.currentSynAttackProtectFound},
        {"EnableICMPRedirects", &s.currentIcmpRedirects, &model.currentIcmpRedirectsFound},
    };
    ReadValues(registry, kHkeyLocalMachine, kTcpipParameters, kRegDword, targets, backup.get(),
               backupResults);
  } else if (family == kOsFamily9x) {
    ReadAdapterSettings9x(registry, model, backupResults);
    const ReadTarget targets[] = {
        {"SackOpts", nullptr, nullptr},
        {"Tcp1323Opts", nullptr, nullptr},
        {"DefaultTTL", &s.currentTtl, &model.currentTtlFound},
        {"DefaultRcvWindow", &s.currentReceiveWindow, &model.currentReceiveWindowFound},
        {"GlobalMaxTcpWindowSize", nullptr, nullptr},
        {"PMTUBlackHoleDetect", &s.currentBlackHoleDetect, &model.currentBlackHoleDetectFound},
        {"PMTUDiscovery", &s.currentPmtuDiscovery, &model.currentPmtuDiscoveryFound},
        {"KeepAliveTime", &s.currentKeepAliveTime, &model.currentKeepAliveTimeFound},
        {"KeepAliveInterval", &s.currentKeepAliveInterval, &model.currentKeepAliveIntervalFound},
    };
    ReadValues(registry, kHkeyLocalMachine, kMstcp, kRegSz, targets, backup.get(), backupResults);
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
  WriteResults results;
  if (modemBoostAvailable == 1 && !BoostModemPortSpeeds(registry, family)) results.Fail();

  {
    // Without Internet Explorer's key there is no browser to tune.
    ScopedKey browser(registry);
    const RegResult opened = browser.Open(kHkeyCurrentUser, kInternetSettings);
    if (opened != kRegOk && opened != kRegFileNotFound) results.Fail();
    const WriteTarget values[] = {
        {"MaxConnectionsPer1_0Server", settings.maxConnectionsPer1_0Server},
        {"MaxConnectionsPerServer", settings.maxConnectionsPerServer},
    };
    WriteValues(registry, browser.get(), kRegDword, values, results);
  }

  if (family == kOsFamily9x) {
    const WriteTarget values[] = {
        {"SackOpts", 1},
        {"Tcp1323Opts", 1},
        {"DefaultTTL", settings.ttl},
        {"DefaultRcvWindow", settings.receiveWindow},
        {"GlobalMaxTcpWindowSize", settings.receiveWindow},
        {"PMTUBlackHoleDetect", settings.blackHoleDetect},
        {"PMTUDiscovery", settings.pmtuDiscovery},
        {"KeepAliveTime", settings.keepAliveTime},
        {"KeepAliveInterval", settings.keepAliveInterval},
    };
    WriteTcpipValues(registry, kMstcp, kRegSz, values, results);
    if (!ApplyAdapterSettings9x(registry, settings)) results.Fail();
  } else if (family == kOsFamilyNt) {
    const WriteTarget values[] = {
        {"SackOpts", 1},
        {"Tcp1323Opts", 1},
        {"TcpMaxDupAcks", 2},
        {"DefaultTTL", settings.ttl},
        {"DefaultReceiveWindow", 8192},
        {"TcpWindowSize", settings.receiveWindow},
        {"GlobalMaxTcpWindowSize", settings.receiveWindow},
        {"EnablePMTUBHDetect", settings.blackHoleDetect},
        {"EnablePMTUDiscovery", settings.pmtuDiscovery},
        {"KeepAliveTime", settings.keepAliveTime},
        {"KeepAliveInterval", settings.keepAliveInterval},
        {"SYNAttackProtect", settings.synAttackProtect},
        {"EnableICMPRedirects", settings.icmpRedirects},
    };
    WriteTcpipValues(registry, kTcpipParameters, kRegDword, values, results);
    if (!ApplyAdapterSettingsNt(registry, settings)) results.Fail();
  }
  return results.ok();
}

RestoreOutcome RestoreBackup(Registry& registry, OsFamily family) {
  WriteResults results;
  {
    ScopedKey backup(registry);
    if (backup.Open(kHkeyCurrentUser, kBackupKey) != kRegOk) return RestoreOutcome::kNoBackup;

    RestoreValues(registry, backup.get(), kHkeyCurrentUser, kInternetSettings, kBrowserValues,
                  kRegDword, results);
    if (family == kOsFamily9x) {
      if (!RestoreAdapterSettings9x(registry)) results.Fail();
      RestoreValues(registry, backup.get(), kHkeyLocalMachine, kMstcp, kRestored9x, kRegSz,
                    results);
    } else if (family == kOsFamilyNt) {
      if (!RestoreAdapterSettingsNt(registry)) results.Fail();
      RestoreValues(registry, backup.get(), kHkeyLocalMachine, kTcpipParameters, kRestoredNt,
                    kRegDword, results);
    }
  }
  // A half-done restore keeps the backup, so the next start offers Reset again.
  if (!results.ok()) return RestoreOutcome::kIncomplete;
  registry.DeleteTree(kHkeyCurrentUser, kBackupKey);
  return RestoreOutcome::kRestored;
}

bool BackupExists(Registry& registry) {
  ScopedKey backup(registry);
  return backup.Open(kHkeyCurrentUser, kBackupKey) == kRegOk;
}
