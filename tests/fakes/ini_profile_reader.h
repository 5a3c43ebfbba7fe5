// Reads INI files the way GetPrivateProfileStringA does under Wine, for builds and tests that have
// no Windows underneath. Every call reads the file afresh; nothing is cached.
//
// What it reproduces, beyond the rules of ProfileReader:
// - Lines end at any run of CR and LF; blanks are tab, LF, VT, FF, CR, Ctrl-Z and space.
// - "[name]" starts a section (up to the last ']', blanks inside the brackets dropped); a line
//   starting with '[' but holding no ']' is an ordinary line. Entries before the first section
//   belong to a section with an empty name.
// - Only the first section with a matching name is searched, and the first matching key wins.
// - A line without '=' is a key without a value: asking for it gives the default.
// - A NUL byte ends the name or value it appears in.
// - One pair of enclosing quotes (" or ') is removed from the value and from the default. When
//   the quoted value fills the buffer exactly, one more character is lost, as under Wine.
// - Trailing spaces (not tabs) of the default are dropped, but never its first character.
// - When the folder of the file does not exist or the path names a folder, the default is copied
//   as it is (quotes kept); a missing file in an existing folder gives the default unquoted.
// - Files starting with a UTF-8 or UTF-16 byte-order mark are converted to Windows-1252 ('?' for
//   characters it lacks); other files are taken byte for byte.
// - Section and key names are compared without regard to ASCII case only.
//
// Paths: natively "X:\dir\file.ini" is read as "/dir/file.ini" (drive dropped, backslashes
// turned into slashes, so Wine's Z: paths name the same files) and each part of the path is
// matched without regard to case when no entry of that exact spelling exists, as Windows does.
// On Windows the path is used as given.
#pragma once

#include <cstdint>

#include "platform/profile_reader.h"

class IniProfileReader : public ProfileReader {
 public:
  // A null `section` or `key` (the API's listing forms) or a null `path` (WIN.INI) is not
  // supported: the result is empty.
  std::uint32_t ReadString(const char* section, const char* key, const char* defaultText,
                           char* buffer, std::uint32_t size, const char* path) override;
};
