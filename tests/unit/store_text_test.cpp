#include "store/store_text.h"

#include <cstring>
#include <string>

#include "fakes/memory_registry.h"
#include <gtest/gtest.h>

TEST(StoreText, TextToInteger) {
  struct Row {
    const char* text;
    std::int32_t value;
  };
  const Row rows[] = {
      {"64", 64},
      {"  64", 64},
      {"\t\n\v\f\r 7", 7},
      {"+12", 12},
      {"-12", -12},
      {"12abc", 12},
      {"1 2", 1},
      {"abc", 0},
      {"", 0},
      {"-", 0},
      {"+-3", 0},
      {"- 3", 0},
      {"0x10", 0},
      {"007", 7},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-2147483649", -2147483647 - 1},
      {"4294967295", 2147483647},
      {"99999999999999999999", 2147483647},  // 20 digits
      {"-99999999999999999999", -2147483647 - 1},
      {"000000000000000000000000000042", 42},
      {"18446744073709551617", 2147483647},  // wraps 64 bits to 1 if not stopped
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("\"") + row.text + "\"");
    EXPECT_EQ(TextToInteger(row.text), row.value);
  }
}

TEST(StoreText, IntegerToText) {
  struct Row {
    std::int32_t value;
    const char* text;
  };
  const Row rows[] = {
      {0, "0"},
      {64, "64"},
      {-1, "-1"},
      {7200000, "7200000"},
      {2147483647, "2147483647"},
      {-2147483647 - 1, "-2147483648"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const DecimalText text = IntegerToText(row.value);
    EXPECT_EQ(std::string(text.text), std::string(row.text));
    EXPECT_EQ(text.size, static_cast<std::uint32_t>(std::strlen(row.text) + 1));
    EXPECT_EQ(TextToInteger(text.text), row.value);
  }
}

// A text value is taken only when it leaves room for a terminator in the 260-byte buffer; the
// text always ends there, also when the stored bytes carry no terminator.
TEST(StoreText, ReadTextValueTerminatesAndRefusesLongValues) {
  struct Row {
    const char* label;
    std::string bytes;
    TextRead read;
    std::string text;
    std::uint32_t size;
  };
  const Row rows[] = {
      {"plain", std::string("1500\0", 5), TextRead::kText, "1500", 5},
      {"no terminator", "1500", TextRead::kText, "1500", 4},
      {"empty", "", TextRead::kText, "", 0},
      {"inner terminator",
       std::string("15\0"
                   "00\0",
                   6),
       TextRead::kText, "15", 6},
      {"259 bytes", std::string(258, '7') + '\0', TextRead::kText, std::string(258, '7'), 259},
      {"259 without terminator", std::string(259, '7'), TextRead::kText, std::string(259, '7'),
       259},
      {"260 bytes", std::string(259, '7') + '\0', TextRead::kTooLong, "", 0},
      {"260 without terminator", std::string(260, '7'), TextRead::kTooLong, "", 0},
      {"4000 bytes", std::string(4000, '7'), TextRead::kTooLong, "", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    MemoryRegistry registry;
    RegKey key = 0;
    ASSERT_EQ(registry.CreateKey(kHkeyLocalMachine, "Scratch", kKeyAllAccess, &key), kRegOk);
    // A byte other than NUL right after the data, so the count alone says where the text ends.
    const std::string stored = row.bytes + 'X';
    ASSERT_EQ(registry.SetValue(key, "Value", kRegSz,
                                reinterpret_cast<const std::uint8_t*>(stored.data()),
                                static_cast<std::uint32_t>(row.bytes.size())),
              kRegOk);
    TextValue out;
    std::memset(&out, 0xAA, sizeof out);  // no byte of the buffer may be left looking like text
    EXPECT_EQ(ReadTextValue(registry, key, "Value", &out), row.read);
    EXPECT_EQ(std::string(out.text), row.text);
    EXPECT_EQ(out.size, row.size);
    TextValue missing;
    std::memset(&missing, 0xAA, sizeof missing);
    EXPECT_EQ(ReadTextValue(registry, key, "Other", &missing), TextRead::kMissing);
    EXPECT_EQ(std::string(missing.text), std::string());
    registry.CloseKey(key);
    EXPECT_EQ(registry.OpenHandleCount(), 0);
  }
}
