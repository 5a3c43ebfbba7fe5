#include "store/reg_text.h"

namespace {

// A REG_SZ written as "text" must come back with the same bytes: one terminator at the end,
// nothing a line or the escapes could not carry before it.
bool IsPlainText(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || data[size - 1] != 0) return false;
  for (std::size_t i = 0; i + 1 < size; ++i)
    if (data[i] < 0x20 || data[i] >= 0x7F) return false;
  return true;
}

// `digits` lower-case hex digits of `value`, or as many as it needs when `digits` is 0.
void AppendHex(std::uint32_t value, int digits, std::string* out) {
  static const char kDigits[] = "0123456789abcdef";
  if (digits == 0) {
    digits = 1;
    while (digits < 8 && (value >> (4 * digits)) != 0) ++digits;
  }
  for (int i = digits - 1; i >= 0; --i) *out += kDigits[(value >> (4 * i)) & 0xF];
}

}  // namespace

const char* HiveName(RegKey hive) {
  if (hive == kHkeyCurrentUser) return "HKEY_CURRENT_USER";
  if (hive == kHkeyLocalMachine) return "HKEY_LOCAL_MACHINE";
  return nullptr;
}

void AppendQuoted(const std::string& text, std::string* out) {
  *out += '"';
  for (char c : text) {
    if (c == '\\' || c == '"') *out += '\\';
    *out += c;
  }
  *out += '"';
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
  if (type == kRegDword && size == 4) {
    const std::uint32_t v =
        static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
        (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
    line += "dword:";
    AppendHex(v, 8, &line);
    return line;
  }
  AppendRegData(type, data, size, true, &line);
  return line;
}

void AppendRegData(std::uint32_t type, const std::uint8_t* data, std::size_t size, bool wrap,
                   std::string* line) {
  if (type == kRegBinary) {
    *line += "hex:";
  } else {
    *line += "hex(";
    AppendHex(type, 0, line);
    *line += "):";
  }
  // Long lists wrap as regedit wraps them: a comma, a backslash, two blanks.
  std::size_t column = line->size();
  for (std::size_t i = 0; i < size; ++i) {
    AppendHex(data[i], 2, line);
    column += 2;
    if (i + 1 < size) {
      *line += ',';
      ++column;
      if (wrap && column > 76) {
        *line += "\\\r\n  ";
        column = 2;
      }
    }
  }
}
