// The pages' integer parsers against a plain reference: blanks around, one sign, decimal digits
// of any count, the 32-bit range.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "wizard/page_format.h"

namespace {

bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The digits of `text` from `at` on without leading zeros, or false when a non-digit follows.
bool Digits(const std::string& text, std::size_t at, std::string* digits) {
  if (at >= text.size()) return false;
  for (std::size_t i = at; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  while (at + 1 < text.size() && text[at] == '0') ++at;
  *digits = text.substr(at);
  return true;
}

bool ReferenceInteger(std::string text, std::int32_t* value) {
  while (!text.empty() && Blank(text.front())) text.erase(0, 1);
  while (!text.empty() && Blank(text.back())) text.pop_back();
  const bool negative = !text.empty() && text[0] == '-';
  std::string digits;
  if (!Digits(text, !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0, &digits) ||
      digits.size() > 10) {
    return false;
  }
  const long long magnitude = std::stoll(digits);
  const long long number = negative ? -magnitude : magnitude;
  if (number < INT32_MIN || number > INT32_MAX) return false;
  *value = static_cast<std::int32_t>(number);
  return true;
}

std::uint32_t ReferenceUnsigned(const std::string& text) {
  std::string digits;
  if (!Digits(text, 0, &digits) || digits.size() > 10) return 0;
  const unsigned long long number = std::stoull(digits);
  return number > UINT32_MAX ? 0 : static_cast<std::uint32_t>(number);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::int32_t parsed = 7, expected = 7;
  const bool ok = ParseInteger(text, &parsed);
  if (ok != ReferenceInteger(text, &expected) || (ok && parsed != expected)) {
    std::fprintf(stderr, "ParseInteger(\"%s\"): %d %d, reference %d\n", text.c_str(), ok, parsed,
                 expected);
    std::abort();
  }
  if (ParseUnsignedOrZero(text) != ReferenceUnsigned(text)) {
    std::fprintf(stderr, "ParseUnsignedOrZero(\"%s\"): %u, reference %u\n", text.c_str(),
                 ParseUnsignedOrZero(text), ReferenceUnsigned(text));
    std::abort();
  }
  return 0;
}
