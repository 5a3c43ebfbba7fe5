#include "store/store_text.h"

#include <cstring>

TextRead ReadTextValue(Registry& registry, RegKey key, const char* name, TextValue* out) {
  out->text[0] = '\0';
  out->size = 0;
  std::uint32_t size = kMaxPath;
  const RegResult result =
      registry.QueryValue(key, name, nullptr, reinterpret_cast<std::uint8_t*>(out->text), &size);
  if (result == kRegMoreData) {
    out->text[0] = '\0';
    return TextRead::kTooLong;
  }
  if (result != kRegOk) {
    out->text[0] = '\0';
    return result == kRegFileNotFound ? TextRead::kMissing : TextRead::kUnreadable;
  }
  if (size >= kMaxPath) {
    // Exactly 260 bytes fit the buffer but leave no room for a terminator of our own.
    out->text[0] = '\0';
    return TextRead::kTooLong;
  }
  out->text[size] = '\0';
  out->size = size;
  return TextRead::kText;
}

std::int32_t TextToInteger(const char* text) {
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = *p == '-';
    ++p;
  }
  // Magnitudes are gathered in 64 bits and stop growing past the 32-bit range, so any number of
  // digits is safe.
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t magnitude = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    if (magnitude < limit) magnitude = magnitude * 10 + (*p - '0');
  }
  if (magnitude > limit) magnitude = limit;
  return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

DecimalText IntegerToText(std::int32_t value) {
  DecimalText out{};
  char digits[11];
  int count = 0;
  // Work on the magnitude in 64 bits so INT32_MIN has one too.
  std::int64_t magnitude = value;
  if (magnitude < 0) magnitude = -magnitude;
  do {
    digits[count++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::uint32_t length = 0;
  if (value < 0) out.text[length++] = '-';
  while (count > 0) out.text[length++] = digits[--count];
  out.text[length] = '\0';
  out.size = length + 1;
  return out;
}
