#include "wizard/page_format.h"

#include <cstdio>
#include <limits>

#include "wizard/app_state.h"
#include "wizard/texts.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void ReplaceAll(std::string& text, const std::string& marker, const std::string& with) {
  std::string::size_type at = 0;
  while ((at = text.find(marker, at)) != std::string::npos) {
    text.replace(at, marker.size(), with);
    at += with.size();
  }
}

std::string FormatCurrentValue(const AppState& app, std::int32_t found, std::uint32_t value,
                               const TextId* unit, const TextId& lead) {
  if (found == 0) return " " + app.Translate(text::kIsNotSet);
  const std::string leadWords = app.Translate(lead);
  const std::string unitWords = unit != nullptr ? app.Translate(*unit) : std::string();
  // Room for both words, ten digits and the pattern's own characters.
  std::string out(leadWords.size() + unitWords.size() + 24, '\0');
  const unsigned number = static_cast<unsigned>(value);
  const int written =
      unit != nullptr ? std::snprintf(&out[0], out.size(), " %s %u %s.", leadWords.c_str(), number,
                                      unitWords.c_str())
                      : std::snprintf(&out[0], out.size(), " %s %u.", leadWords.c_str(), number);
  if (written < 0 || static_cast<std::size_t>(written) >= out.size()) return std::string();
  out.resize(static_cast<std::size_t>(written));
  return out;
}

std::string FormatCurrentState(const AppState& app, std::int32_t found, std::uint32_t value) {
  if (found == 0) return " " + app.Translate(text::kIsNotSet);
  return " " + app.Translate(value != 0 ? text::kIsEnabled : text::kIsDisabled);
}

std::string ReplaceNumber(const std::string& text, std::int32_t value) {
  std::string out = text;
  ReplaceAll(out, "%d", std::to_string(value));
  return out;
}

std::string FillIn(const std::string& text, const std::string& words, std::int32_t first,
                   std::int32_t second) {
  std::string out;
  int numbers = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "%s") == 0) {
      out += words;
    } else if (text.compare(i, 2, "%d") == 0) {
      out += std::to_string(numbers++ == 0 ? first : second);
    } else {
      out += text[i];
      continue;
    }
    ++i;
  }
  return out;
}

bool ParseInteger(const std::string& text, std::int32_t* value) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t firstDigit = i;
  // Wide enough that -2147483648 fits and no digit string can overflow before it is refused.
  std::int64_t magnitude = 0;
  while (i < text.size() && IsDigit(text[i])) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1) {
      return false;
    }
    ++i;
  }
  if (i == firstDigit) return false;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i != text.size()) return false;
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<std::int32_t>::max()) return false;
  *value = static_cast<std::int32_t>(signedValue);
  return true;
}

std::uint32_t ParseUnsignedOrZero(const std::string& text) {
  if (text.empty()) return 0;
  std::uint64_t result = 0;
  for (char c : text) {
    if (!IsDigit(c)) return 0;
    result = result * 10 + static_cast<std::uint64_t>(c - '0');
    if (result > std::numeric_limits<std::uint32_t>::max()) return 0;
  }
  return static_cast<std::uint32_t>(result);
}
