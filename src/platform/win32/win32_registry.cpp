#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <vector>

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

DWORD* AsDword(std::uint32_t* value) { return reinterpret_cast<DWORD*>(value); }

using DeleteKeyFunction = DWORD(WINAPI*)(HKEY, LPCSTR);

// SHDeleteKeyA from shlwapi.dll when the system has it, looked up once; the DLL then stays
// loaded. Importing it would keep the program from starting at all on systems without it.
DeleteKeyFunction SystemDeleteTree() {
  static const DeleteKeyFunction function = [] {
    // No "cannot find" box from the system: a missing DLL is an expected answer here.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    const HMODULE shlwapi = LoadLibraryA("shlwapi.dll");
    SetErrorMode(oldMode);
    if (shlwapi == nullptr) return DeleteKeyFunction(nullptr);
    // Through void(*)() so that the compiler accepts the change of function type.
    return reinterpret_cast<DeleteKeyFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(shlwapi, "SHDeleteKeyA")));
  }();
  return function;
}

// Deletes every sub-key of `key`, each with everything below it. Index 0 is asked again after
// each delete, since deleting renumbers the rest.
LONG DeleteSubKeys(HKEY key);

// Deletes `subKey` with everything below it. Its sub-keys go first, as Windows NT will not
// delete a key that still has any; its values go with the key.
LONG DeleteKeyAndBelow(HKEY parent, const char* subKey) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(parent, subKey, 0, KEY_READ, &key);
  if (rc != ERROR_SUCCESS) return rc;
  rc = DeleteSubKeys(key);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return rc;
  return RegDeleteKeyA(parent, subKey);
}

LONG DeleteSubKeys(HKEY key) {
  for (;;) {
    char name[256];  // the longest key name is 255 characters
    DWORD size = sizeof name;
    LONG rc = RegEnumKeyExA(key, 0, name, &size, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (rc == ERROR_SUCCESS) rc = DeleteKeyAndBelow(key, name);
    if (rc != ERROR_SUCCESS) return rc;
  }
}

// Without a sub-key name SHDeleteKeyA empties the key it is given, values too, and keeps it.
LONG EmptyKey(HKEY key) {
  LONG rc = DeleteSubKeys(key);
  if (rc != ERROR_SUCCESS) return rc;
  std::vector<char> name(16384);  // the longest value name is 16383 characters
  for (;;) {
    DWORD size = static_cast<DWORD>(name.size());
    rc = RegEnumValueA(key, 0, name.data(), &size, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (rc == ERROR_SUCCESS) rc = RegDeleteValueA(key, name.data());
    if (rc != ERROR_SUCCESS) return rc;
  }
}

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
  return RegQueryValueExA(ToHkey(key), name, nullptr, AsDword(type), data, AsDword(size));
}

RegResult Win32Registry::SetValue(RegKey key, const char* name, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name, 0, type, data, size);
}

RegResult Win32Registry::EnumKey(RegKey key, std::uint32_t index, char* name,
                                 std::uint32_t* nameSize) {
  return RegEnumKeyExA(ToHkey(key), index, name, AsDword(nameSize), nullptr, nullptr, nullptr,
                       nullptr);
}

RegResult Win32Registry::EnumValue(RegKey key, std::uint32_t index, char* name,
                                   std::uint32_t* nameSize, std::uint32_t* type, std::uint8_t* data,
                                   std::uint32_t* dataSize) {
  return RegEnumValueA(ToHkey(key), index, name, AsDword(nameSize), nullptr, AsDword(type), data,
                       AsDword(dataSize));
}

RegResult Win32Registry::QueryInfoKey(RegKey key, std::uint32_t* subKeys,
                                      std::uint32_t* maxSubKeyLen, std::uint32_t* values,
                                      std::uint32_t* maxValueNameLen,
                                      std::uint32_t* maxValueDataLen) {
  return RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, AsDword(subKeys),
                          AsDword(maxSubKeyLen), nullptr, AsDword(values), AsDword(maxValueNameLen),
                          AsDword(maxValueDataLen), nullptr, nullptr);
}

RegResult Win32Registry::DeleteValue(RegKey key, const char* name) {
  return RegDeleteValueA(ToHkey(key), name);
}

RegResult Win32Registry::DeleteTree(RegKey parent, const char* subKey) {
  const DeleteKeyFunction system = ownTreeDelete_ ? nullptr : SystemDeleteTree();
  if (system != nullptr) return static_cast<RegResult>(system(ToHkey(parent), subKey));
  if (subKey == nullptr || *subKey == '\0') return EmptyKey(ToHkey(parent));
  return DeleteKeyAndBelow(ToHkey(parent), subKey);
}

RegResult Win32Registry::CloseKey(RegKey key) { return RegCloseKey(ToHkey(key)); }
