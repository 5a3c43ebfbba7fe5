#include "platform/reg_file.h"

#include <cstdio>

namespace {

void AppendQuoted(const std::string& text, std::string* out) {
  *out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') *out += '\\';
    *out += c;
  }
  *out += '"';
}

// A REG_SZ written as "text" must come back with the same bytes: one terminator at the end,
// nothing a line or the escapes could not carry before it.
bool IsPlainText(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || data[size - 1] != 0) return false;
  for (std::size_t i = 0; i + 1 < size; ++i)
    if (data[i] < 0x20 || data[i] >= 0x7F) return false;
  return true;
}

}  // namespace

const char* HiveName(RegKey hive) {
  if (hive == kHkeyCurrentUser) return "HKEY_CURRENT_USER";
  if (hive == kHkeyLocalMachine) return "HKEY_LOCAL_MACHINE";
  return nullptr;
}

std::string FormatRegValue(const std::string& name, std::uint32_t type, const std::uint8_t* data,
                           std::size_t size) {
  std::string line;
  if (name.empty()) {
    line = "@";
  } else {
    AppendQuoted(name, &line);
  }
  line += '=';
  if (type == kRegSz && IsPlainText(data, size)) {
    AppendQuoted(std::string(reinterpret_cast<const char*>(data), size - 1), &line);
    return line;
  }
  char buf[16];
  if (type == kRegDword && size == 4) {
    const std::uint32_t v =
        static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
        (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    std::snprintf(buf, sizeof buf, "%08x", static_cast<unsigned>(v));
    return line + "dword:" + buf;
  }
  if (type == kRegBinary) {
    line += "hex:";
  } else {
    std::snprintf(buf, sizeof buf, "%x", static_cast<unsigned>(type));
    line += std::string("hex(") + buf + "):";
  }
  // Long lists wrap as regedit wraps them: a comma, a backslash, two blanks.
  std::size_t column = line.size();
  for (std::size_t i = 0; i < size; ++i) {
    std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned>(data[i]));
    line += buf;
    column += 2;
    if (i + 1 < size) {
      line += ',';
      ++column;
      if (column > 76) {
        line += "\\\r\n  ";
        column = 2;
      }
    }
  }
  return line;
}
