// The one door to the registry. The calls and their results mirror the Win32 registry API
// (RegOpenKeyExA and friends, SHDeleteKeyA), so the real backend is a thin pass-through and the
// in-memory stand-in must answer exactly as Windows does.
#pragma once

#include <cstdint>

using RegKey = std::uintptr_t;  // an open key; 0 is never a valid key
using RegResult = long;         // 0 success, otherwise a Win32 error code

constexpr RegKey kHkeyCurrentUser = 0x80000001u;
constexpr RegKey kHkeyLocalMachine = 0x80000002u;

constexpr std::uint32_t kKeyAllAccess = 0xF003Fu;
constexpr std::uint32_t kKeyRead = 0x20019u;

constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

constexpr RegResult kRegOk = 0;
constexpr RegResult kRegFileNotFound = 2;       // ERROR_FILE_NOT_FOUND
constexpr RegResult kRegAccessDenied = 5;       // ERROR_ACCESS_DENIED
constexpr RegResult kRegInvalidHandle = 6;      // ERROR_INVALID_HANDLE
constexpr RegResult kRegInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
constexpr RegResult kRegMoreData = 234;         // ERROR_MORE_DATA
constexpr RegResult kRegNoMoreItems = 259;      // ERROR_NO_MORE_ITEMS

class Registry {
 public:
  virtual ~Registry() = default;

  // RegOpenKeyExA: fails when the key is missing.
  virtual RegResult OpenKey(RegKey parent, const char* subKey, std::uint32_t access,
                            RegKey* result) = 0;
  // RegCreateKeyExA (non-volatile): opens the key, creating it and missing parents.
  virtual RegResult CreateKey(RegKey parent, const char* subKey, std::uint32_t access,
                              RegKey* result) = 0;
  // RegQueryValueExA. `type` and `data` may be null; `*size` is in/out. A buffer that is too
  // small fails with kRegMoreData, sets *size to what is needed and leaves the buffer as it was.
  virtual RegResult QueryValue(RegKey key, const char* name, std::uint32_t* type,
                               std::uint8_t* data, std::uint32_t* size) = 0;
  // RegSetValueExA: stores `size` bytes of `data` with `type`.
  virtual RegResult SetValue(RegKey key, const char* name, std::uint32_t type,
                             const std::uint8_t* data, std::uint32_t size) = 0;
  // RegEnumKeyExA: sub-key name at `index`; *nameSize (in characters, terminator included on
  // input, excluded on output). Fails with kRegNoMoreItems past the end.
  virtual RegResult EnumKey(RegKey key, std::uint32_t index, char* name,
                            std::uint32_t* nameSize) = 0;
  // RegEnumValueA: value name (and, when `data` is given, its data) at `index`.
  virtual RegResult EnumValue(RegKey key, std::uint32_t index, char* name, std::uint32_t* nameSize,
                              std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize) = 0;
  // RegQueryInfoKeyA, the parts the program uses; any pointer may be null.
  virtual RegResult QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                                 std::uint32_t* values, std::uint32_t* maxValueNameLen,
                                 std::uint32_t* maxValueDataLen) = 0;
  // RegDeleteValueA: a missing value answers kRegFileNotFound, as Windows does.
  virtual RegResult DeleteValue(RegKey key, const char* name) = 0;
  // SHDeleteKeyA: removes the key with every sub-key and value.
  virtual RegResult DeleteTree(RegKey parent, const char* subKey) = 0;
  virtual RegResult CloseKey(RegKey key) = 0;
};

// Closes its key when it goes out of scope, so no early return can leak a handle.
class ScopedKey {
 public:
  explicit ScopedKey(Registry& registry) : registry_(registry) {}
  ~ScopedKey() { Close(); }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  RegResult Open(RegKey parent, const char* subKey, std::uint32_t access = kKeyAllAccess) {
    Close();
    return registry_.OpenKey(parent, subKey, access, &key_);
  }
  RegResult Create(RegKey parent, const char* subKey, std::uint32_t access = kKeyAllAccess) {
    Close();
    return registry_.CreateKey(parent, subKey, access, &key_);
  }
  void Close() {
    if (key_ != 0) registry_.CloseKey(key_);
    key_ = 0;
  }
  RegKey get() const { return key_; }
  explicit operator bool() const { return key_ != 0; }

 private:
  Registry& registry_;
  RegKey key_ = 0;
};
