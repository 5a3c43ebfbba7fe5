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

// "HKEY_CURRENT_USER" and "HKEY_LOCAL_MACHINE" (nullptr for any other key).
const char* HiveName(RegKey hive);

// One value as a line of a REGEDIT4 file, without the line break: "name"="text" where the
// bytes are a plain terminated text, dword: for a four-byte REG_DWORD, hex: for REG_BINARY and
// hex(N): for everything else. An empty name is the default value (@).
std::string FormatRegValue(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                           std::size_t size);
