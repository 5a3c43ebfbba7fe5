// A registry held in memory that answers every call the way Windows (as Wine shows it) does, so
// the store and the wizard can be exercised natively. Besides the Registry calls it lets tests
// make chosen calls fail, count open handles, and dump, copy and compare the whole tree.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry.h"

enum class RegOp {
  kAny,
  kOpen,
  kCreate,
  kQuery,
  kSet,
  kEnumKey,
  kEnumValue,
  kQueryInfo,
  kDeleteValue,
  kDeleteTree,
  kClose,
};

// Makes matching calls fail with `code` instead of doing their work. The key path is the full
// path with the hive spelled out ("HKEY_LOCAL_MACHINE\System\..."); open, create and delete-tree
// match the key they would reach, the other calls the key they are given. Patterns are globs
// without case: '*' matches any run of characters, so "HKEY_LOCAL_MACHINE\*" is everything
// under HKLM and "*\Parameters" every key named Parameters.
struct RegFault {
  RegOp op = RegOp::kAny;
  std::string keyPattern = "*";
  std::string valuePattern = "*";  // value calls only (query, set, delete value)
  RegResult code = kRegAccessDenied;
  int skip = 0;   // matching calls that still succeed before the first failure
  int count = 1;  // failures to hand out; negative: every matching call from then on
};

class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;
  MemoryRegistry(MemoryRegistry&&) noexcept;
  MemoryRegistry& operator=(MemoryRegistry&&) noexcept;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

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

  // Handles opened and not yet closed (the hive roots are not counted).
  int OpenHandleCount() const;
  // Calls made so far of one kind (kAny: all), failed ones included.
  int CallCount(RegOp op) const;

  void AddFault(const RegFault& fault);
  // The next `count` matching calls of `op` fail with `code` (count < 0: all of them).
  void FailNext(RegOp op, const std::string& keyPattern, RegResult code, int count = 1);
  void ClearFaults();

  // Windows 95/98/Me store a REG_SZ as the text up to its terminator whatever the byte count
  // says; NT stores the bytes given. Off (NT) by default.
  void SetWin9xStrings(bool on);

  // The whole tree as .reg text (REGEDIT4, keys and values in enumeration order). Two
  // registries hold the same data exactly when their dumps are equal.
  std::string Dump() const;
  // The same data in a fresh registry: no open handles, no faults, call counts at zero.
  MemoryRegistry Copy() const;
  // Whether a key exists (full path with the hive spelled out, as in a dump).
  bool KeyExists(const std::string& path) const;

  struct Node;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};
