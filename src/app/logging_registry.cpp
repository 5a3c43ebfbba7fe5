#include "app/logging_registry.h"

#include <cstdio>

std::string DescribeValue(std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
  if (type == kRegDword && size == 4) {
    const std::uint32_t number =
        data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24;
    return std::to_string(number);
  }
  std::string shown;
  if (type == kRegSz) {
    shown = "\"";
    for (std::uint32_t i = 0; i < size && data[i] != 0; ++i) shown += static_cast<char>(data[i]);
    return shown + "\"";
  }
  shown = "hex(" + std::to_string(type) + "):";
  for (std::uint32_t i = 0; i < size; ++i) {
    char byte[4];
    std::snprintf(byte, sizeof byte, i == 0 ? "%02x" : ",%02x", data[i]);
    shown += byte;
  }
  return shown;
}

std::string LoggingRegistry::PathOf(RegKey key, const char* subKey) const {
  std::string path;
  if (key == kHkeyLocalMachine) {
    path = "HKEY_LOCAL_MACHINE";
  } else if (key == kHkeyCurrentUser) {
    path = "HKEY_CURRENT_USER";
  } else {
    auto found = paths_.find(key);
    path = found != paths_.end() ? found->second : "?";
  }
  if (subKey != nullptr && *subKey != '\0') path += std::string("\\") + subKey;
  return path;
}

void LoggingRegistry::Refused(const std::string& what, RegResult result) {
  log_.Line("refused " + what + " (error " + std::to_string(result) + ")");
}

RegResult LoggingRegistry::OpenKey(RegKey parent, const char* subKey, std::uint32_t access,
                                   RegKey* result) {
  const RegResult opened = registry_.OpenKey(parent, subKey, access, result);
  if (opened == kRegOk) {
    paths_[*result] = PathOf(parent, subKey);
  } else if (opened != kRegFileNotFound) {
    // A key that is there but cannot be opened leaves its values as they were.
    Refused("key " + PathOf(parent, subKey), opened);
  }
  return opened;
}

RegResult LoggingRegistry::CreateKey(RegKey parent, const char* subKey, std::uint32_t access,
                                     RegKey* result) {
  const RegResult created = registry_.CreateKey(parent, subKey, access, result);
  if (created == kRegOk) {
    paths_[*result] = PathOf(parent, subKey);
  } else {
    Refused("key " + PathOf(parent, subKey), created);
  }
  return created;
}

RegResult LoggingRegistry::SetValue(RegKey key, const char* name, std::uint32_t type,
                                    const std::uint8_t* data, std::uint32_t size) {
  const RegResult set = registry_.SetValue(key, name, type, data, size);
  const std::string what = PathOf(key) + "  " + name;
  if (set == kRegOk) {
    log_.Line("written " + what + " = " + DescribeValue(type, data, size));
  } else {
    Refused(what, set);
  }
  return set;
}

RegResult LoggingRegistry::DeleteValue(RegKey key, const char* name) {
  const RegResult deleted = registry_.DeleteValue(key, name);
  const std::string what = PathOf(key) + "  " + name;
  // A value that was not there needs no line: nothing changed.
  if (deleted == kRegOk) {
    log_.Line("deleted " + what);
  } else if (deleted != kRegFileNotFound) {
    Refused(what, deleted);
  }
  return deleted;
}

RegResult LoggingRegistry::DeleteTree(RegKey parent, const char* subKey) {
  const RegResult deleted = registry_.DeleteTree(parent, subKey);
  if (deleted == kRegOk) {
    log_.Line("deleted key " + PathOf(parent, subKey));
  } else if (deleted != kRegFileNotFound) {
    Refused("key " + PathOf(parent, subKey), deleted);
  }
  return deleted;
}

RegResult LoggingRegistry::CloseKey(RegKey key) {
  paths_.erase(key);
  return registry_.CloseKey(key);
}
