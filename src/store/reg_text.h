// Values as lines of a REGEDIT4 file: what regedit of every Windows the program runs on merges
// back with the same type and bytes.
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

// `text` in double quotes with \ and " escaped, as a .reg file writes names and texts.
void AppendQuoted(const std::string& text, std::string* out);

// The hex: or hex(N): form of any value, appended to `line`; `wrap` breaks long lists across
// lines as regedit does.
void AppendRegData(std::uint32_t type, const std::uint8_t* data, std::size_t size, bool wrap,
                   std::string* line);
