// The names under an open key, in enumeration order, on either backend's registry. Collected
// first, so a caller may delete while going through them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"

inline std::vector<std::string> SubKeyNames(Registry& registry, RegKey key) {
  std::vector<std::string> names;
  for (std::uint32_t i = 0;; ++i) {
    char name[256];  // the longest key name Windows allows, and its terminator
    std::uint32_t size = sizeof name;
    if (registry.EnumKey(key, i, name, &size) != kRegOk) break;
    names.emplace_back(name, size);
  }
  return names;
}

inline std::vector<std::string> ValueNames(Registry& registry, RegKey key) {
  std::vector<std::string> names;
  for (std::uint32_t i = 0;; ++i) {
    char name[16384];  // the longest value name, and its terminator
    std::uint32_t size = sizeof name;
    if (registry.EnumValue(key, i, name, &size, nullptr, nullptr, nullptr) != kRegOk) break;
    names.emplace_back(name, size);
  }
  return names;
}
