#include "platform/win32/win32_registry.h"

#include <windows.h>
#include <shlwapi.h>

static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "sizes pass through unconverted");

namespace {

// The hive constants carry the 32-bit values of HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE; a
// 64-bit build sign-extends those, so they are mapped rather than cast.
HKEY ToHkey(RegKey key) {
  if (key == kHkeyCurrentUser) return HKEY_CURRENT_USER;
  if (key == kHkeyLocalMachine) return HKEY_LOCAL_MACHINE;
  return reinterpret_cast<HKEY>(key);
}

RegKey FromHkey(HKEY key) { return reinterpret_cast<RegKey>(key); }

DWORD* Dw(std::uint32_t* p) { return reinterpret_cast<DWORD*>(p); }

}  // namespace

RegResult Win32Registry::OpenKey(RegKey parent, const char* subKey, std::uint32_t access,
                                 RegKey* result) {
  HKEY key = nullptr;
  const LONG rc = RegOpenKeyExA(ToHkey(parent), subKey, 0, access, result ? &key : nullptr);
  if (rc == ERROR_SUCCESS && result) *result = FromHkey(key);
  return rc;
}

RegResult Win32Registry::CreateKey(RegKey parent, const char* subKey, std::uint32_t access,
                                   RegKey* result) {
  HKEY key = nullptr;
  const LONG rc = RegCreateKeyExA(ToHkey(parent), subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  access, nullptr, result ? &key : nullptr, nullptr);
  if (rc == ERROR_SUCCESS && result) *result = FromHkey(key);
  return rc;
}

RegResult Win32Registry::QueryValue(RegKey key, const char* name, std::uint32_t* type,
                                    std::uint8_t* data, std::uint32_t* size) {
  return RegQueryValueExA(ToHkey(key), name, nullptr, Dw(type), data, Dw(size));
}

RegResult Win32Registry::SetValue(RegKey key, const char* name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name, 0, type, data, size);
}

RegResult Win32Registry::EnumKey(RegKey key, std::uint32_t index, char* name,
                                 std::uint32_t* nameSize) {
  return RegEnumKeyExA(ToHkey(key), index, name, Dw(nameSize), nullptr, nullptr, nullptr, nullptr);
}

RegResult Win32Registry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                   std::uint32_t* nameSize, std::uint32_t* type, std::uint8_t* data,
                                   std::uint32_t* dataSize) {
  return RegEnumValueA(ToHkey(key), index, name, Dw(nameSize), nullptr, Dw(type), data,
                       Dw(dataSize));
}

RegResult Win32Registry::QueryInfoKey(RegKey key, std::uint32_t* subKeys,
                                      std::uint32_t* maxSubKeyLen, std::uint32_t* values,
                                      std::uint32_t* maxValueNameLen,
                                      std::uint32_t* maxValueDataLen) {
  return RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, Dw(subKeys), Dw(maxSubKeyLen),
                          nullptr, Dw(values), Dw(maxValueNameLen), Dw(maxValueDataLen), nullptr,
                          nullptr);
}

RegResult Win32Registry::DeleteValue(RegKey key, const char* name) {
  return RegDeleteValueA(ToHkey(key), name);
}

RegResult Win32Registry::DeleteTree(RegKey parent, const char* subKey) {
  return static_cast<RegResult>(SHDeleteKeyA(ToHkey(parent), subKey));
}

RegResult Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }
