// Reads one entry of an INI file with the rules of GetPrivateProfileStringA.
#pragma once

#include <cstdint>

class ProfileReader {
 public:
  virtual ~ProfileReader() = default;
  // Copies the value of `key` in `section` of the file at `path` (a Windows path) into `buffer`,
  // at most `size` - 1 characters plus a terminator, and returns the characters copied. A
  // missing file, section or key gives `defaultText` (its trailing blanks dropped). Section and
  // key match without regard to case; blanks around the value and one pair of enclosing quotes
  // are dropped.
  virtual std::uint32_t ReadString(const char* section, const char* key, const char* defaultText,
                                   char* buffer, std::uint32_t size, const char* path) = 0;
};
