#include "store/adapter_settings.h"

#include <cstring>
#include <string>
#include <vector>

#include "store/registry_values.h"
#include "store/store_keys.h"
#include "store/store_text.h"

namespace {

using namespace store_keys;

// The last four characters of `text`, or all of it when it is shorter.
std::string LastFour(const char* text) {
  const std::size_t length = std::strlen(text);
  return std::string(length > 4 ? text + length - 4 : text);
}

// What a failed open or query says about the thing it looked for.
ValueState Why(RegResult result) {
  return result == kRegFileNotFound ? ValueState::kAbsent : ValueState::kUnreadable;
}

// Follows the 9x device tree from the first adapter described exactly "Dial-Up Adapter" to the
// instance id of its TCP/IP transport. kAbsent when a link is missing; kUnreadable when a key
// or value on the way could not be read, so whether there is one is unknown.
ValueState FindDialUpTransport(Registry& registry, std::string* instanceId) {
  ScopedKey adapter(registry);
  {
    ScopedKey net(registry);
    RegResult opened = net.Open(kHkeyLocalMachine, kEnumRootNet);
    if (opened != kRegOk) return Why(opened);
    SubKeyNames names(registry, net.get());
    TextValue description;
    while (!adapter && names.Next()) {
      ScopedKey candidate(registry);
      opened = candidate.Open(net.get(), names.name());
      if (opened == kRegFileNotFound) continue;
      if (opened != kRegOk) return ValueState::kUnreadable;
      const TextRead read = ReadTextValue(registry, candidate.get(), "DeviceDesc", &description);
      if (read == TextRead::kUnreadable) return ValueState::kUnreadable;
      if (read == TextRead::kText && std::strcmp(description.text, kDialUpAdapter) == 0) {
        if (adapter.Open(net.get(), names.name()) != kRegOk) return ValueState::kUnreadable;
      }
    }
    if (!adapter) return names.failed() ? ValueState::kUnreadable : ValueState::kAbsent;
  }

  std::string bindingId;
  {
    ScopedKey bindings(registry);
    const RegResult opened = bindings.Open(adapter.get(), "Bindings");
    if (opened != kRegOk) return Why(opened);
    adapter.Close();
    char name[kNameBufferSize];
    for (std::uint32_t index = 0;; ++index) {
      std::uint32_t size = kNameBufferSize;
      const RegResult result =
          registry.EnumValue(bindings.get(), index, name, &size, nullptr, nullptr, nullptr);
      if (result == kRegMoreData) continue;  // a longer name than any binding has
      if (result == kRegNoMoreItems) break;
      if (result != kRegOk) return ValueState::kUnreadable;
      name[kNameBufferSize - 1] = '\0';
      if (std::strstr(name, "MSTCP\\") != nullptr) {
        bindingId = LastFour(name);
        break;
      }
    }
  }
  if (bindingId.empty()) return ValueState::kAbsent;

  TextValue driver;
  {
    ScopedKey binding(registry);
    const RegResult opened =
        binding.Open(kHkeyLocalMachine, (std::string(kEnumNetworkMstcp) + bindingId).c_str());
    if (opened != kRegOk) return Why(opened);
    const TextRead read = ReadTextValue(registry, binding.get(), "Driver", &driver);
    if (read == TextRead::kUnreadable) return ValueState::kUnreadable;
    if (read != TextRead::kText) return ValueState::kAbsent;
  }
  if (std::strstr(driver.text, "NetTrans\\") == nullptr) return ValueState::kAbsent;
  *instanceId = LastFour(driver.text);
  return ValueState::kPresent;
}

// Opens the 9x TCP/IP transport of the adapter with `instanceId`.
RegResult OpenTransport(ScopedKey& transport, const std::string& instanceId) {
  return transport.Open(kHkeyLocalMachine, (std::string(kNetTransClass) + instanceId).c_str());
}

// The adapter a read recorded: the name of the first value in the backup's MTU Settings.
ValueState RecordedInstance(Registry& registry, RegKey mtuSettings, std::string* instanceId) {
  char name[kNameBufferSize];
  std::uint32_t size = kNameBufferSize;
  const RegResult result =
      registry.EnumValue(mtuSettings, 0, name, &size, nullptr, nullptr, nullptr);
  if (result == kRegNoMoreItems) return ValueState::kAbsent;
  if (result != kRegOk) return ValueState::kUnreadable;
  name[kNameBufferSize - 1] = '\0';
  *instanceId = name;
  return ValueState::kPresent;
}

// Creates the backup's MTU and MSS sub-keys; false when the backup itself does not open.
bool CreateBackupSubKeys(Registry& registry, ScopedKey& mtuSettings, ScopedKey& mssSettings,
                         WriteResults& backupResults) {
  ScopedKey backup(registry);
  const RegResult opened = backup.Open(kHkeyCurrentUser, kBackupKey);
  backupResults.Note(opened);
  if (opened != kRegOk) return false;
  backupResults.Note(mtuSettings.Create(backup.get(), kMtuSettings));
  backupResults.Note(mssSettings.Create(backup.get(), kMssSettings));
  return true;
}

// Calls `visit(interfaceKey, name)` for each NT interface key. A name the ANSI calls cannot
// carry comes back with what they could not convert replaced, and names no key: such an
// interface is out of reach for the read, Finish and Reset alike and is passed over. Any other
// interface that does not open, or a walk that ends early, leaves the work undone.
template <typename Visit>
void ForEachInterface(Registry& registry, RegKey interfaces, WriteResults& results, Visit visit) {
  SubKeyNames names(registry, interfaces);
  while (names.Next()) {
    ScopedKey interfaceKey(registry);
    if (results.NoteOpen(interfaceKey.Open(interfaces, names.name()))) {
      visit(interfaceKey.get(), names.name());
    }
  }
  if (names.failed()) results.Fail();
}

// Copies one adapter value whole, with its own type, into the backup sub-key under `name`, and
// gives its number (a 9x text, or an NT DWORD) to `current` and `found` where it is one.
ValueState BackUpAdapterValue(Registry& registry, RegKey source, const char* valueName,
                              RegKey backupKey, const char* name, OsFamily family,
                              ValueBytes& bytes, std::uint32_t* current, std::int32_t* found,
                              WriteResults& backupResults) {
  const ValueState state = bytes.Read(registry, source, valueName);
  if (state == ValueState::kUnreadable) backupResults.Fail();
  if (state != ValueState::kPresent) return state;
  backupResults.Note(
      SetExactValue(registry, backupKey, name, bytes.type(), bytes.data(), bytes.size()));
  std::uint32_t number = 0;
  if (family == kOsFamily9x ? bytes.TextNumber(&number) : bytes.Number(&number)) {
    *current = number;
    *found = 1;
  }
  return state;
}

// Restores one value of a key from the backup's copy: written back with its saved type when
// the backup has it, deleted when the backup says it was absent, left alone when the backup
// cannot be read.
void RestoreValue(Registry& registry, RegKey target, const char* valueName, ValueBytes& saved,
                  ValueState state, WriteResults& results) {
  switch (state) {
    case ValueState::kPresent:
      results.Note(
          SetExactValue(registry, target, valueName, saved.type(), saved.data(), saved.size()));
      break;
    case ValueState::kAbsent:
      results.NoteDelete(registry.DeleteValue(target, valueName));
      break;
    case ValueState::kUnreadable:
      results.Fail();
      break;
  }
}

}  // namespace

void ReadAdapterSettings9x(Registry& registry, WizardModel& model, WriteResults& backupResults) {
  std::string instanceId;
  const ValueState found = FindDialUpTransport(registry, &instanceId);
  if (found == ValueState::kUnreadable) backupResults.Fail();
  if (found != ValueState::kPresent) return;

  ScopedKey transport(registry);
  if (!backupResults.NoteOpen(OpenTransport(transport, instanceId))) return;

  ScopedKey mtuSettings(registry);
  ScopedKey mssSettings(registry);
  if (!CreateBackupSubKeys(registry, mtuSettings, mssSettings, backupResults)) return;

  ValueBytes bytes;
  TuningSettings& s = model.settings;
  if (BackUpAdapterValue(registry, transport.get(), "MaxMTU", mtuSettings.get(), instanceId.c_str(),
                         kOsFamily9x, bytes, &s.currentMtu, &model.currentMtuFound,
                         backupResults) == ValueState::kAbsent) {
    // "0" records that the adapter had no MaxMTU, so the backup still names the adapter.
    static const char kNone[] = "0";
    backupResults.Note(registry.SetValue(mtuSettings.get(), instanceId.c_str(), kRegSz,
                                         reinterpret_cast<const std::uint8_t*>(kNone),
                                         sizeof kNone));
  }
  BackUpAdapterValue(registry, transport.get(), "MaxMSS", mssSettings.get(), instanceId.c_str(),
                     kOsFamily9x, bytes, &s.currentMss, &model.currentMssFound, backupResults);
}

void ReadAdapterSettingsNt(Registry& registry, WizardModel& model, WriteResults& backupResults) {
  ScopedKey mtuSettings(registry);
  ScopedKey mssSettings(registry);
  if (!CreateBackupSubKeys(registry, mtuSettings, mssSettings, backupResults)) return;

  ScopedKey interfaces(registry);
  if (!backupResults.NoteOpen(interfaces.Open(kHkeyLocalMachine, kInterfaces))) return;

  ValueBytes bytes;
  TuningSettings& s = model.settings;
  ForEachInterface(
      registry, interfaces.get(), backupResults, [&](RegKey interfaceKey, const char* name) {
        // Every interface with a value overwrites the current one: the last in
        // enumeration order is what the page shows.
        BackUpAdapterValue(registry, interfaceKey, "MTU", mtuSettings.get(), name, kOsFamilyNt,
                           bytes, &s.currentMtu, &model.currentMtuFound, backupResults);
        BackUpAdapterValue(registry, interfaceKey, "MSS", mssSettings.get(), name, kOsFamilyNt,
                           bytes, &s.currentMss, &model.currentMssFound, backupResults);
      });
}

bool ListAdapterKeys(Registry& registry, OsFamily family, bool searchUnrecorded,
                     std::vector<AdapterKey>* keys) {
  WriteResults results;
  if (family == kOsFamilyNt) {
    ScopedKey interfaces(registry);
    if (!results.NoteOpen(interfaces.Open(kHkeyLocalMachine, kInterfaces))) return results.ok();
    SubKeyNames names(registry, interfaces.get());
    while (names.Next()) {
      keys->push_back({std::string(kInterfaces) + "\\" + names.name(), names.name()});
    }
    if (names.failed()) results.Fail();
    return results.ok();
  }
  if (family != kOsFamily9x) return true;
  // The adapter is the one the read recorded in the backup. Without that record (no backup, or
  // one that was dropped) it is looked up as the read does, so the chosen values still reach it.
  std::string instanceId;
  ValueState found = ValueState::kAbsent;
  {
    ScopedKey mtuSettings(registry);
    if (results.NoteOpen(mtuSettings.Open(kHkeyCurrentUser, kBackupMtuSettings))) {
      found = RecordedInstance(registry, mtuSettings.get(), &instanceId);
    }
  }
  if (found == ValueState::kAbsent && searchUnrecorded) {
    found = FindDialUpTransport(registry, &instanceId);
  }
  if (found == ValueState::kUnreadable) results.Fail();
  if (found == ValueState::kPresent) keys->push_back({kNetTransClass + instanceId, instanceId});
  return results.ok();
}

bool RestoreAdapterSettings9x(Registry& registry) {
  WriteResults results;
  ScopedKey mtuSettings(registry);
  if (!results.NoteOpen(mtuSettings.Open(kHkeyCurrentUser, kBackupMtuSettings))) {
    return results.ok();
  }
  ScopedKey mssSettings(registry);
  const RegResult mssOpened = mssSettings.Open(kHkeyCurrentUser, kBackupMssSettings);

  std::string instanceId;
  const ValueState named = RecordedInstance(registry, mtuSettings.get(), &instanceId);
  if (named != ValueState::kPresent) return named == ValueState::kAbsent;

  ScopedKey transport(registry);
  if (!results.NoteOpen(OpenTransport(transport, instanceId))) return results.ok();

  ValueBytes saved;
  ValueState state = saved.Read(registry, mtuSettings.get(), instanceId.c_str());
  if (state == ValueState::kPresent && saved.type() == kRegSz) {
    // The text "0" stands for "had no MaxMTU".
    char text[kTextValueSize + 1] = {};
    const std::uint32_t length = saved.size() < kTextValueSize ? saved.size() : kTextValueSize;
    std::memcpy(text, saved.data(), length);
    if (std::strcmp(text, "0") == 0) state = ValueState::kAbsent;
  }
  RestoreValue(registry, transport.get(), "MaxMTU", saved, state, results);
  mtuSettings.Close();

  state = saved.Read(registry, mssSettings.get(), mssOpened, instanceId.c_str());
  RestoreValue(registry, transport.get(), "MaxMSS", saved, state, results);
  return results.ok();
}

bool RestoreAdapterSettingsNt(Registry& registry) {
  WriteResults results;
  ScopedKey mtuSettings(registry);
  const RegResult mtuOpened = mtuSettings.Open(kHkeyCurrentUser, kBackupMtuSettings);
  ScopedKey mssSettings(registry);
  const RegResult mssOpened = mssSettings.Open(kHkeyCurrentUser, kBackupMssSettings);

  ScopedKey interfaces(registry);
  if (!results.NoteOpen(interfaces.Open(kHkeyLocalMachine, kInterfaces))) return results.ok();

  ValueBytes saved;
  ForEachInterface(registry, interfaces.get(), results, [&](RegKey interfaceKey, const char* name) {
    // An interface added after the backup has no saved values: both are deleted.
    RestoreValue(registry, interfaceKey, "MTU", saved,
                 saved.Read(registry, mtuSettings.get(), mtuOpened, name), results);
    RestoreValue(registry, interfaceKey, "MSS", saved,
                 saved.Read(registry, mssSettings.get(), mssOpened, name), results);
  });
  return results.ok();
}
