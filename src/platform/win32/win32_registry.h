// The real registry: each call goes straight to its Win32 counterpart, except the tree delete
// where its system call is missing.
#pragma once

#include "platform/registry.h"

class Win32Registry : public Registry {
 public:
  RegResult OpenKey(RegKey parent, const char* subKey, std::uint32_t access,
                    RegKey* result) override;
  RegResult CreateKey(RegKey parent, const char* subKey, std::uint32_t access,
                      RegKey* result) override;
  RegResult QueryValue(RegKey key, const char* name, std::uint32_t* type, std::uint8_t* data,
                       std::uint32_t* size) override;
  RegResult SetValue(RegKey key, const char* name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override;
  RegResult EnumKey(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
  RegResult EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                      std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) override;
  RegResult QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                         std::uint32_t* values, std::uint32_t* maxValueNameLen,
                         std::uint32_t* maxValueDataLen) override;
  RegResult DeleteValue(RegKey key, const char* name) override;
  RegResult DeleteTree(RegKey parent, const char* subKey) override;
  RegResult CloseKey(RegKey key) override;

  // SHDeleteKeyA lives in shlwapi.dll, which Windows 95 and NT 4.0 only have with Internet
  // Explorer 4 or later; where it is missing, DeleteTree removes the tree itself, answering as
  // SHDeleteKeyA would. Tests use this to check that path on systems that have both.
  void UseOwnTreeDelete(bool own) { ownTreeDelete_ = own; }

 private:
  bool ownTreeDelete_ = false;
};
