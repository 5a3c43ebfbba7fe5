#include "store/program_values.h"

#include "store/store_keys.h"
#include "store/store_text.h"

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
