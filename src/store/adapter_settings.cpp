#include "store/adapter_settings.h"

#include <cstring>
#include <string>

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

// Follows the 9x device tree from the first adapter described exactly "Dial-Up Adapter" to the
// instance id of its TCP/IP transport. Empty when a link is missing.
std::string FindDialUpTransport(Registry& registry) {
  ScopedKey adapter(registry);
  {
    ScopedKey net(registry);
    if (net.Open(kHkeyLocalMachine, kEnumRootNet) != kRegOk) return std::string();
    // Device keys have names of a few characters; 261 is what the device tree ever needs.
    char name[kNameBufferSize];
    TextValue description;
    for (std::uint32_t index = 0;; ++index) {
      std::uint32_t size = kNameBufferSize;
      if (registry.EnumKey(net.get(), index, name, &size) != kRegOk) break;
      name[kNameBufferSize - 1] = '\0';
      ScopedKey candidate(registry);
      if (candidate.Open(net.get(), name) != kRegOk) continue;
      if (ReadTextValue(registry, candidate.get(), "DeviceDesc", &description) == TextRead::kText &&
          std::strcmp(description.text, kDialUpAdapter) == 0) {
        adapter.Open(net.get(), name);
        break;
      }
    }
  }
  if (!adapter) return std::string();

  std::string bindingId;
  {
    ScopedKey bindings(registry);
    if (bindings.Open(adapter.get(), "Bindings") != kRegOk) return std::string();
    adapter.Close();
    char name[kNameBufferSize];
    for (std::uint32_t index = 0;; ++index) {
      std::uint32_t size = kNameBufferSize;
      const RegResult result =
          registry.EnumValue(bindings.get(), index, name, &size, nullptr, nullptr, nullptr);
      if (result == kRegMoreData) continue;  // a longer name than any binding has
      if (result != kRegOk) break;
      name[kNameBufferSize - 1] = '\0';
      if (std::strstr(name, "MSTCP\\") != nullptr) {
        bindingId = LastFour(name);
        break;
      }
    }
  }
  if (bindingId.empty()) return std::string();

  TextValue driver;
  {
    ScopedKey binding(registry);
    if (binding.Open(kHkeyLocalMachine, (std::string(kEnumNetworkMstcp) + bindingId).c_str()) !=
        kRegOk) {
      return std::string();
    }
    if (ReadTextValue(registry, binding.get(), "Driver", &driver) != TextRead::kText) {
      return std::string();
    }
  }
  if (std::strstr(driver.text, "NetTrans\\") == nullptr) return std::string();
  return LastFour(driver.text);
}

// Opens the 9x TCP/IP transport of the adapter with `instanceId`.
RegResult OpenTransport(ScopedKey& transport, const std::string& instanceId) {
  return transport.Open(kHkeyLocalMachine, (std::string(kNetTransClass) + instanceId).c_str());
}

// The adapter a read recorded: the name of the first value in the backup's MTU Settings.
RegResult RecordedInstance(Registry& registry, RegKey mtuSettings, std::string* instanceId) {
  char name[kNameBufferSize];
  std::uint32_t size = kNameBufferSize;
  const RegResult result =
      registry.EnumValue(mtuSettings, 0, name, &size, nullptr, nullptr, nullptr);
  if (result != kRegOk) return result;
  name[kNameBufferSize - 1] = '\0';
  *instanceId = name;
  return kRegOk;
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

// Calls `visit(interfaceKey, name)` for each NT interface key that opens; one that does not
// open counts against `results` when they are given.
template <typename Visit>
void ForEachInterface(Registry& registry, RegKey interfaces, WriteResults* results, Visit visit) {
  SubKeyNames names(registry, interfaces);
  while (names.Next()) {
    ScopedKey interfaceKey(registry);
    const RegResult opened = interfaceKey.Open(interfaces, names.name());
    if (opened == kRegOk) {
      visit(interfaceKey.get(), names.name());
    } else if (results != nullptr) {
      results->Note(opened);
    }
  }
}

// Copies one 9x adapter text into the backup sub-key. Returns how the value was found; a text
// too long to take is still copied whole so that a restore can put it back.
TextRead BackUpAdapterText(Registry& registry, RegKey transport, const char* valueName,
                           RegKey backupKey, const std::string& instanceId, TextValue* text,
                           WriteResults& backupResults) {
  const TextRead read = ReadTextValue(registry, transport, valueName, text);
  if (read == TextRead::kText) {
    backupResults.Note(SetExactValue(registry, backupKey, instanceId.c_str(), kRegSz,
                                     reinterpret_cast<const std::uint8_t*>(text->text),
                                     text->size));
  } else if (read == TextRead::kTooLong) {
    ValueBytes whole;
    if (whole.Read(registry, transport, valueName) == ValueState::kPresent) {
      backupResults.Note(SetExactValue(registry, backupKey, instanceId.c_str(), kRegSz,
                                       whole.data(), whole.size()));
    }
  }
  return read;
}

// Reads one NT interface value into its current field and copies it into the backup.
void BackUpInterfaceValue(Registry& registry, RegKey interfaceKey, const char* valueName,
                          RegKey backupKey, const char* interfaceName, ValueBytes& bytes,
                          std::uint32_t* current, std::int32_t* found,
                          WriteResults& backupResults) {
  if (bytes.Read(registry, interfaceKey, valueName) != ValueState::kPresent) return;
  backupResults.Note(
      registry.SetValue(backupKey, interfaceName, kRegDword, bytes.data(), bytes.size()));
  // Only a value that fits a DWORD is a current value; a longer one is kept in the backup alone.
  if (bytes.size() <= 4) {
    *current = bytes.AsNumber();
    *found = 1;
  }
}

// Restores one value of a key from the backup's copy: written back when the backup has it,
// deleted when the backup says it was absent, left alone when the backup cannot be read.
void RestoreValue(Registry& registry, RegKey target, const char* valueName, std::uint32_t type,
                  ValueBytes& saved, ValueState state, WriteResults& results) {
  switch (state) {
    case ValueState::kPresent:
      results.Note(SetExactValue(registry, target, valueName, type, saved.data(), saved.size()));
      break;
    case ValueState::kAbsent:
      results.NoteDelete(registry.DeleteValue(target, valueName));
      break;
    case ValueState::kUnreadable:
      results.Fail();
      break;
  }
}

// Opening a key that should receive values: a missing key means there is nothing to do there.
bool NothingThere(RegResult openResult) { return openResult == kRegFileNotFound; }

}  // namespace

void ReadAdapterSettings9x(Registry& registry, WizardModel& model, WriteResults& backupResults) {
  const std::string instanceId = FindDialUpTransport(registry);
  if (instanceId.empty()) return;

  ScopedKey transport(registry);
  if (OpenTransport(transport, instanceId) != kRegOk) return;

  ScopedKey mtuSettings(registry);
  ScopedKey mssSettings(registry);
  if (!CreateBackupSubKeys(registry, mtuSettings, mssSettings, backupResults)) return;

  TextValue text;
  const TextRead mtu = BackUpAdapterText(registry, transport.get(), "MaxMTU", mtuSettings.get(),
                                         instanceId, &text, backupResults);
  if (mtu == TextRead::kText) {
    model.settings.currentMtu = static_cast<std::uint32_t>(TextToInteger(text.text));
    model.currentMtuFound = 1;
  } else if (mtu == TextRead::kMissing) {
    // "0" records that the adapter had no MaxMTU, so the backup still names the adapter.
    static const char kNone[] = "0";
    backupResults.Note(registry.SetValue(mtuSettings.get(), instanceId.c_str(), kRegSz,
                                         reinterpret_cast<const std::uint8_t*>(kNone),
                                         sizeof kNone));
  }

  const TextRead mss = BackUpAdapterText(registry, transport.get(), "MaxMSS", mssSettings.get(),
                                         instanceId, &text, backupResults);
  if (mss == TextRead::kText) {
    model.settings.currentMss = static_cast<std::uint32_t>(TextToInteger(text.text));
    model.currentMssFound = 1;
  }
}

void ReadAdapterSettingsNt(Registry& registry, WizardModel& model, WriteResults& backupResults) {
  ScopedKey mtuSettings(registry);
  ScopedKey mssSettings(registry);
  if (!CreateBackupSubKeys(registry, mtuSettings, mssSettings, backupResults)) return;

  ScopedKey interfaces(registry);
  if (interfaces.Open(kHkeyLocalMachine, kInterfaces) != kRegOk) return;

  ValueBytes bytes;
  ForEachInterface(registry, interfaces.get(), nullptr, [&](RegKey interfaceKey, const char* name) {
    // Every interface with a value overwrites the current one: the last in enumeration order
    // is what the page shows.
    BackUpInterfaceValue(registry, interfaceKey, "MTU", mtuSettings.get(), name, bytes,
                         &model.settings.currentMtu, &model.currentMtuFound, backupResults);
    BackUpInterfaceValue(registry, interfaceKey, "MSS", mssSettings.get(), name, bytes,
                         &model.settings.currentMss, &model.currentMssFound, backupResults);
  });
}

bool ApplyAdapterSettings9x(Registry& registry, const TuningSettings& settings) {
  // The adapter is the one the read recorded in the backup; without that record nothing is
  // tuned.
  std::string instanceId;
  {
    ScopedKey mtuSettings(registry);
    const RegResult opened = mtuSettings.Open(kHkeyCurrentUser, kBackupMtuSettings);
    if (opened != kRegOk) return NothingThere(opened);
    if (RecordedInstance(registry, mtuSettings.get(), &instanceId) != kRegOk) return true;
  }

  ScopedKey transport(registry);
  const RegResult opened = OpenTransport(transport, instanceId);
  if (opened != kRegOk) return NothingThere(opened);
  WriteResults results;
  results.Note(
      SetDecimalText(registry, transport.get(), "MaxMTU", static_cast<std::int32_t>(settings.mtu)));
  results.Note(
      SetDecimalText(registry, transport.get(), "MaxMSS", static_cast<std::int32_t>(settings.mss)));
  return results.ok();
}

bool ApplyAdapterSettingsNt(Registry& registry, const TuningSettings& settings) {
  ScopedKey interfaces(registry);
  const RegResult opened = interfaces.Open(kHkeyLocalMachine, kInterfaces);
  if (opened != kRegOk) return NothingThere(opened);

  WriteResults results;
  ForEachInterface(registry, interfaces.get(), &results, [&](RegKey interfaceKey, const char*) {
    results.Note(SetDword(registry, interfaceKey, "MTU", settings.mtu));
    results.Note(SetDword(registry, interfaceKey, "MSS", settings.mss));
  });
  return results.ok();
}

bool RestoreAdapterSettings9x(Registry& registry) {
  ScopedKey mtuSettings(registry);
  const RegResult mtuOpened = mtuSettings.Open(kHkeyCurrentUser, kBackupMtuSettings);
  if (mtuOpened != kRegOk) return NothingThere(mtuOpened);
  ScopedKey mssSettings(registry);
  const RegResult mssOpened = mssSettings.Open(kHkeyCurrentUser, kBackupMssSettings);

  std::string instanceId;
  const RegResult named = RecordedInstance(registry, mtuSettings.get(), &instanceId);
  if (named == kRegNoMoreItems) return true;
  if (named != kRegOk) return false;

  ScopedKey transport(registry);
  const RegResult opened = OpenTransport(transport, instanceId);
  if (opened != kRegOk) return NothingThere(opened);

  WriteResults results;
  ValueBytes saved;
  ValueState state = saved.Read(registry, mtuSettings.get(), instanceId.c_str());
  if (state == ValueState::kPresent) {
    // The text "0" stands for "had no MaxMTU".
    char text[kTextValueSize + 1] = {};
    const std::uint32_t length = saved.size() < kTextValueSize ? saved.size() : kTextValueSize;
    std::memcpy(text, saved.data(), length);
    if (std::strcmp(text, "0") == 0) state = ValueState::kAbsent;
  }
  RestoreValue(registry, transport.get(), "MaxMTU", kRegSz, saved, state, results);
  mtuSettings.Close();

  state = saved.Read(registry, mssSettings.get(), mssOpened, instanceId.c_str());
  RestoreValue(registry, transport.get(), "MaxMSS", kRegSz, saved, state, results);
  return results.ok();
}

bool RestoreAdapterSettingsNt(Registry& registry) {
  ScopedKey mtuSettings(registry);
  const RegResult mtuOpened = mtuSettings.Open(kHkeyCurrentUser, kBackupMtuSettings);
  ScopedKey mssSettings(registry);
  const RegResult mssOpened = mssSettings.Open(kHkeyCurrentUser, kBackupMssSettings);

  ScopedKey interfaces(registry);
  const RegResult opened = interfaces.Open(kHkeyLocalMachine, kInterfaces);
  if (opened != kRegOk) return NothingThere(opened);

  WriteResults results;
  ValueBytes saved;
  ForEachInterface(
      registry, interfaces.get(), &results, [&](RegKey interfaceKey, const char* name) {
        // An interface added after the backup has no saved values: both are deleted.
        RestoreValue(registry, interfaceKey, "MTU", kRegDword, saved,
                     saved.Read(registry, mtuSettings.get(), mtuOpened, name), results);
        RestoreValue(registry, interfaceKey, "MSS", kRegDword, saved,
                     saved.Read(registry, mssSettings.get(), mssOpened, name), results);
      });
  return results.ok();
}
