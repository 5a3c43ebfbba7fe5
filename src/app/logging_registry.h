// The registry as the command line uses it: every call goes through to the real one, and every
// value written, deleted or refused becomes a line of the log, named by its full key path.
#pragma once

#include <map>
#include <string>

#include "app/command_log.h"
#include "platform/registry.h"

class LoggingRegistry : public Registry {
 public:
  LoggingRegistry(Registry& registry, CommandLog& log) : registry_(registry), log_(log) {}

  RegResult OpenKey(RegKey parent, const char* subKey, std::uint32_t access,
                    RegKey* result) override;
  RegResult CreateKey(RegKey parent, const char* subKey, std::uint32_t access,
                      RegKey* result) override;
  RegResult QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override {
    return registry_.QueryValue(key, name, type, data, size);
  }
  RegResult SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override;
  RegResult EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) override {
    return registry_.EnumKey(key, index, name, nameSize);
  }
  RegResult EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override {
    return registry_.EnumValue(key, index, name, nameSize, type, data, dataSize);
  }
  RegResult QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                         std::uint32_t* values, std::uint32_t* maxValueNameLen,
                         std::uint32_t* maxValueDataLen) override {
    return registry_.QueryInfoKey(key, subKeys, maxSubKeyLen, values, maxValueNameLen,
                                  maxValueDataLen);
  }
  RegResult DeleteValue(RegKey key, const char* name) override;
  RegResult DeleteTree(RegKey parent, const char* subKey) override;
  RegResult CloseKey(RegKey key) override;

 private:
  std::string PathOf(RegKey key, const char* subKey = nullptr) const;
  void Refused(const std::string& what, RegResult result);

  Registry& registry_;
  CommandLog& log_;
  std::map<RegKey, std::string> paths_;
};

// A value's data as the log shows it: a number, a quoted text or hex bytes.
std::string DescribeValue(std::uint32_t type, const std::uint8_t* data, std::uint32_t size);
