// .reg files: the text regedit imports and exports. Loading works through any Registry, so the
// same file fills the in-memory registry natively and the real one under Wine. Understood:
// "REGEDIT4" and "Windows Registry Editor Version 5.00" headers; [HIVE\key] and [-HIVE\key];
// "name"="text" with \\ and \" escapes; @= for the default value; dword:; hex:; hex(N): for
// any type; "name"=- to delete; ; comments; a trailing backslash continues a hex list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "store/reg_text.h"

struct RegFileResult {
  bool ok = true;
  int line = 0;                 // the line (1-based) where loading stopped; 0 when ok
  std::string message;          // what was wrong there
  RegResult regError = kRegOk;  // the registry's answer, when a registry call failed
};

// Applies the text to `registry`. The whole text is checked first: a malformed file is refused
// with the number of its first bad line and what was expected there, and nothing is written.
// A registry call that fails stops the load at its line (regError holds the answer); what came
// before it stays applied. A file is read as bytes; a UTF-16 file (regedit's own export) is
// taken character for character into single bytes, and so are the hex bytes of its texts.
RegFileResult LoadRegText(Registry& registry, const std::string& text);
RegFileResult LoadRegFile(Registry& registry, const std::string& path);
// Only checks the syntax; nothing is written.
RegFileResult ParseRegText(const std::string& text);

// The key `path` under `hive` (kHkeyCurrentUser or kHkeyLocalMachine) with everything below it,
// as a REGEDIT4 text that loads back byte for byte (keys and values in enumeration order, CRLF
// line ends). An empty path means the whole hive. False when the key does not open or a
// registry call fails on the way; *text is then left as it was.
bool SaveRegText(Registry& registry, RegKey hive, const std::string& path, std::string* text);
bool SaveRegFile(Registry& registry, RegKey hive, const std::string& path,
                 const std::string& filePath);
