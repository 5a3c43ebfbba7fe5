#include "store/registry_values.h"

#include "store/store_text.h"

#include <cstring>

bool ValueBytes::Number(std::uint32_t* number) const {
  if (size_ > 4) return false;
  *number = 0;
  for (std::uint32_t i = 0; i < size_; ++i) {
    *number |= static_cast<std::uint32_t>(buffer_[i]) << (8 * i);
  }
  return true;
}

bool ValueBytes::TextNumber(std::uint32_t* number) const {
  if (size_ >= kMaxPath) return false;
  char text[kMaxPath];
  std::memcpy(text, buffer_.data(), size_);
  text[size_] = '\0';
  *number = static_cast<std::uint32_t>(TextToInteger(text));
  return true;
}

ValueState ValueBytes::Read(Registry& registry, RegKey key, RegResult openResult,
                            const char* name) {
  size_ = 0;
  if (key == 0)
    return openResult == kRegFileNotFound ? ValueState::kAbsent : ValueState::kUnreadable;
  // A value can grow between the size answer and the read; a few rounds settle it.
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::uint32_t size = static_cast<std::uint32_t>(buffer_.size());
    const RegResult result = registry.QueryValue(key, name, &type_, buffer_.data(), &size);
    if (result == kRegOk) {
      size_ = size;
      return ValueState::kPresent;
    }
    if (result == kRegFileNotFound) return ValueState::kAbsent;
    if (result != kRegMoreData || size <= buffer_.size()) return ValueState::kUnreadable;
    buffer_.resize(size);
  }
  return ValueState::kUnreadable;
}

RegResult SetDword(Registry& registry, RegKey key, const char* name, std::uint32_t value) {
  const std::uint8_t bytes[4] = {
      static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
      static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
  return registry.SetValue(key, name, kRegDword, bytes, 4);
}

RegResult SetExactValue(Registry& registry, RegKey key, const char* name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size) {
  const bool text = type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
  if (!text || (size != 0 && data[size - 1] == 0)) {
    return registry.SetValue(key, name, type, data, size);
  }
  std::vector<std::uint8_t> guarded(data, data + size);
  guarded.push_back(0xFF);
  guarded.push_back(0x00);
  return registry.SetValue(key, name, type, guarded.data(), size);
}

RegResult SetDecimalText(Registry& registry, RegKey key, const char* name, std::int32_t value) {
  const DecimalText text = IntegerToText(value);
  return registry.SetValue(key, name, kRegSz, reinterpret_cast<const std::uint8_t*>(text.text),
                           text.size);
}

SubKeyNames::SubKeyNames(Registry& registry, RegKey key) : registry_(registry), key_(key) {
  // Sized by the longest name the key reports; never below the 255 characters a key name may
  // have, in case the answer counts characters where the ANSI name needs more bytes.
  std::uint32_t longest = 0;
  if (registry.QueryInfoKey(key, nullptr, &longest, nullptr, nullptr, nullptr) != kRegOk) {
    longest = 0;
  }
  if (longest < 255) longest = 255;
  buffer_.assign(longest + 1, '\0');
}

bool SubKeyNames::Next() {
  for (;;) {
    std::uint32_t size = static_cast<std::uint32_t>(buffer_.size());
    const RegResult result = registry_.EnumKey(key_, index_++, buffer_.data(), &size);
    if (result == kRegOk) {
      buffer_.back() = '\0';
      return true;
    }
    if (result == kRegMoreData) continue;
    failed_ = result != kRegNoMoreItems;
    return false;
  }
}
