#include "store/program_values.h"

#include <cstring>

#include "store/store_keys.h"
#include "store/store_text.h"

namespace {

void ReadProgramText(Registry& registry, RegKey key, const char* name, char* buffer) {
  TextValue value;
  if (ReadTextValue(registry, key, name, &value) == TextRead::kText) {
    std::memcpy(buffer, value.text, kMaxPath);
    buffer[kMaxPath - 1] = '\0';
  } else {
    std::memset(buffer, 0, kMaxPath);
  }
}

}  // namespace

void ReadProgramKey(Registry& registry, char* appPath, char* language) {
  // Only what the key holds now counts: without it both texts are empty.
  std::memset(appPath, 0, kMaxPath);
  std::memset(language, 0, kMaxPath);
  ScopedKey key(registry);
  if (key.Open(kHkeyCurrentUser, kProgramKey, kKeyAllAccess) != kRegOk) return;
  ReadProgramText(registry, key.get(), "AppPath", appPath);
  ReadProgramText(registry, key.get(), "Language", language);
}

void WriteLanguage(Registry& registry, const char* name) {
  if (name == nullptr) return;
  ScopedKey key(registry);
  if (key.Open(kHkeyCurrentUser, kProgramKey, kKeyAllAccess) != kRegOk) return;
  registry.SetValue(key.get(), "Language", kRegSz, reinterpret_cast<const std::uint8_t*>(name),
                    static_cast<std::uint32_t>(std::strlen(name) + 1));
}

std::string ReadMtuHost(Registry& registry) {
  ScopedKey key(registry);
  if (key.Open(kHkeyCurrentUser, kProgramKey, kKeyRead) != kRegOk) return std::string();
  TextValue value;
  if (ReadTextValue(registry, key.get(), kMtuHostValue, &value) != TextRead::kText) {
    return std::string();
  }
  return value.text;
}

bool SaveMtuHost(Registry& registry, const std::string& host) {
  ScopedKey key(registry);
  if (key.Create(kHkeyCurrentUser, kProgramKey) != kRegOk) return false;
  return registry.SetValue(key.get(), kMtuHostValue, kRegSz,
                           reinterpret_cast<const std::uint8_t*>(host.c_str()),
                           static_cast<std::uint32_t>(host.size() + 1)) == kRegOk;
}
