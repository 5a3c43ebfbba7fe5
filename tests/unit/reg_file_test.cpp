// The .reg reader's refusals (which line, what it expected) and what loading does to a registry,
// checked on the in-memory registry.
#include <cstring>
#include <string>
#include <vector>

#include "fakes/memory_registry.h"
#include "fakes/reg_file.h"
#include <gtest/gtest.h>

#include "support/fixtures.h"

namespace {

std::string Utf16File(const std::string& text) {
  std::string out = "\xFF\xFE";
  for (char c : text) {
    out += c;
    out += '\0';
  }
  return out;
}

std::vector<std::uint8_t> Query(MemoryRegistry& reg, const char* path, const char* name,
                                std::uint32_t* type = nullptr) {
  std::vector<std::uint8_t> data;
  ScopedKey key(reg);
  if (key.Open(kHkeyCurrentUser, path) != kRegOk) return data;
  std::uint32_t size = 0;
  if (reg.QueryValue(key.get(), name, type, nullptr, &size) != kRegOk) return data;
  data.resize(size);
  if (size) reg.QueryValue(key.get(), name, nullptr, data.data(), &size);
  return data;
}

const char kHeader[] = "REGEDIT4\r\n";
const char kKey[] = "[HKEY_CURRENT_USER\\Software\\T]\r\n";

}  // namespace

TEST(RegFileParse, RefusalsNameTheLineAndWhatWasExpected) {
  const std::string h = kHeader;
  const std::string k = h + kKey;  // values start on line 3
  struct Row {
    std::string text;
    int line;
    const char* expected;  // part of the message
  } rows[] = {
      {"", 1, "expected REGEDIT4 or Windows Registry Editor Version 5.00"},
      {"REGEDIT 4\r\n", 1, "expected REGEDIT4 or Windows Registry Editor Version 5.00"},
      {"\r\nREGEDIT4\r\n", 1, "expected REGEDIT4"},
      {h + "[HKEY_CLASSES_ROOT\\x]\r\n", 2,
       "expected HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE, found \"HKEY_CLASSES_ROOT\""},
      {h + "[HKEY_CURRENT_USER\\x\r\n", 2, "expected ] at the end of the key name"},
      {h + "[HKEY_CURRENT_USER\\x] junk\r\n", 2, "expected nothing after ] but a ; comment"},
      {h + "[HKEY_CURRENT_USER\\a\\\\b]\r\n", 2, "expected a key name between \\ and \\"},
      {h + "[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\r\n", 2,
       "expected key names of at most 255 characters"},
      {h + "[-HKEY_CURRENT_USER]\r\n", 2, "expected a key below the hive to delete"},
      {h + "\"a\"=dword:00000001\r\n", 2, "expected a [key] line before the values it holds"},
      {h + "[-HKEY_CURRENT_USER\\x]\r\n\"a\"=-\r\n", 3, "expected a [key] line before"},
      {h + "hello\r\n", 2, "expected a [key] line, a \"name\"= or @= value line, or a ; comment"},
      {k + "\"a\"=dword:123456789\r\n", 3, "expected 1 to 8 hex digits after dword:"},
      {k + "\"a\"=dword:\r\n", 3, "expected 1 to 8 hex digits after dword:"},
      {k + "\"a\"=dword:12 34\r\n", 3, "expected 1 to 8 hex digits after dword:"},
      {k + "\"a\" dword:1\r\n", 3, "expected = after the value name"},
      {k + "@\r\n", 3, "expected = after the value name"},
      {k + "\"a=dword:1\r\n", 3, "expected a closing \" before the end of the line"},
      {k + "\"a\\q\"=\"x\"\r\n", 3, "expected \\\\ or \\\" after a backslash"},
      {k + "\"a\"=\"x\\n\"\r\n", 3, "expected \\\\ or \\\" after a backslash"},
      {k + "\"a\"=\"x\" y\r\n", 3, "expected nothing after the closing \""},
      {k + "\"a\"=-x\r\n", 3, "expected nothing after =-"},
      {k + "\"a\"=hex:123\r\n", 3, "expected a byte of two hex digits"},
      {k + "\"a\"=hex:01,,02\r\n", 3, "expected a byte of two hex digits"},
      {k + "\"a\"=hex:01 02\r\n", 3, "expected , between hex bytes"},
      {k + "\"a\"=hex:01,\\ x\r\n", 3, "expected the end of the line after \\"},
      {k + "\"a\"=hex(x):00\r\n", 3, "expected hex(N): with the type N in 1 to 8 hex digits"},
      {k + "\"a\"=hex(123456789):00\r\n", 3, "expected hex(N):"},
      {k + "\"a\"=hex 00\r\n", 3, "expected : after hex or hex(N)"},
      {k + "\"a\"=str:x\r\n", 3, "expected \"text\", dword:, hex:, hex(N): or - after ="},
      {k + "\"a\"=\r\n", 3, "expected \"text\", dword:, hex:, hex(N): or - after ="},
      // Continued lines count on: the fault is reported where it is.
      {k + "\"a\"=hex:01,02,\\\r\n  03,\\\r\n  zz\r\n", 5, "expected a byte of two hex digits"},
      {k + "\"a\"=hex:01,\\\r\n", 3, "expected the hex bytes to go on after \\ but the file ends"},
      {k + "\"a\"=hex:01,\\\r\n\r\n\"b\"=dword:1\r\n", 4, "expected the hex bytes to go on"},
      // Lines end with CR LF, LF or CR alike.
      {"REGEDIT4\n[HKEY_CURRENT_USER\\T]\r\"a\"=1\n", 3, "expected \"text\""},
      {Utf16File(k + "\"a\"=hex(2):41,00,42\r\n"), 3, "expected an even number of bytes"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text.substr(0, 80));
    const RegFileResult parsed = ParseRegText(row.text);
    EXPECT_FALSE(parsed.ok);
    EXPECT_EQ(parsed.line, row.line);
    EXPECT_TRUE(parsed.message.find(row.expected) != std::string::npos);
    if (parsed.message.find(row.expected) == std::string::npos) {
      ADD_FAILURE() << "message was: " + parsed.message;
    }
    EXPECT_EQ(parsed.regError, kRegOk);
  }
}

TEST(RegFileParse, AcceptsWhatRegeditWrites) {
  const std::string k = std::string(kHeader) + kKey;
  const std::string rows[] = {
      "REGEDIT4",
      "REGEDIT4\r\n",
      "Windows Registry Editor Version 5.00\r\n",
      "REGEDIT4  \r\n; only a comment\r\n\r\n",
      "\xEF\xBB\xBFREGEDIT4\r\n",
      Utf16File(k + "\"a\"=\"b\"\r\n"),
      k + "\"a\"=dword:0\r\n\"b\"=DWORD:FFFFFFFF\r\n",
      k + "\"a\"=hex:\r\n\"b\"=hex(0):\r\n\"c\"=HEX(B):01,02\r\n",
      k + "\"a\"=hex:01,02,\r\n",     // a trailing comma
      k + "\"a\"=hex: 01 , 02 \r\n",  // blanks around bytes
      k + "\"a\"=hex:1,2\r\n",        // single digits
      k + "\t\"a\"\t=\t\"b\"\t; c\r\n",
      k + "@=\"\"\r\n",
      k + "\"\"=\"default by its empty name\"\r\n",
      std::string(kHeader) + "[HKEY_CURRENT_USER]\r\n\"a\"=dword:1\r\n",
      std::string(kHeader) + "[hkey_local_machine\\System\\X\\]\r\n",
      std::string(kHeader) + "[HKEY_CURRENT_USER\\a]b]\r\n",  // the last ] closes the name
  };
  for (const auto& text : rows) {
    SCOPED_TRACE(text.substr(0, 80));
    const RegFileResult parsed = ParseRegText(text);
    EXPECT_TRUE(parsed.ok);
    EXPECT_EQ(parsed.message, std::string());
  }
}

TEST(RegFileLoad, RefusedFileWritesNothing) {
  MemoryRegistry reg;
  const std::string before = reg.Dump();
  const RegFileResult loaded = LoadRegText(
      reg, std::string(kHeader) + kKey + "\"a\"=dword:1\r\n[-HKEY_CURRENT_USER\\Software]\r\n" +
               "\"b\"=dword:nope\r\n");
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.line, 5);
  EXPECT_EQ(reg.Dump(), before);
  EXPECT_EQ(reg.CallCount(RegOp::kAny), 0);
}

TEST(RegFileLoad, ValuesArriveWithTheirExactBytes) {
  MemoryRegistry reg;
  const RegFileResult loaded = LoadRegText(reg, std::string(kHeader) + kKey +
                                                    "\"Text\"=\"a \\\"b\\\" \\\\c\"\r\n"
                                                    "\"Dword\"=dword:0a0b0c0d\r\n"
                                                    "\"Short\"=dword:7\r\n"
                                                    "\"Bare\"=hex(1):61,62\r\n"
                                                    "\"Odd\"=hex(4):01,02,03\r\n"
                                                    "\"Type b\"=hex(b):01,02,03,04,05,06,07,08\r\n"
                                                    "@=\"def\"\r\n");
  ASSERT_TRUE(loaded.ok);
  struct Row {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
  } rows[] = {
      {"Text", kRegSz, {'a', ' ', '"', 'b', '"', ' ', '\\', 'c', 0}},
      {"Dword", kRegDword, {0x0d, 0x0c, 0x0b, 0x0a}},
      {"Short", kRegDword, {7, 0, 0, 0}},
      {"Bare", kRegSz, {'a', 'b'}},
      {"Odd", kRegDword, {1, 2, 3}},
      {"Type b", 0xb, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"", kRegSz, {'d', 'e', 'f', 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::uint32_t type = 0;
    EXPECT_TRUE(Query(reg, "Software\\T", row.name, &type) == row.bytes);
    EXPECT_EQ(type, row.type);
  }
  EXPECT_EQ(reg.OpenHandleCount(), 0);
}

TEST(RegFileLoad, DeletionsAndLaterLinesWin) {
  MemoryRegistry reg;
  const RegFileResult loaded = LoadRegText(reg, std::string(kHeader) +
                                                    "[HKEY_CURRENT_USER\\Software\\T\\Sub]\r\n"
                                                    "\"x\"=dword:1\r\n" +
                                                    kKey +
                                                    "\"a\"=dword:1\r\n"
                                                    "\"a\"=dword:2\r\n"
                                                    "\"b\"=dword:1\r\n"
                                                    "\"b\"=-\r\n"
                                                    "\"missing\"=-\r\n"
                                                    "[-HKEY_CURRENT_USER\\Software\\T\\Sub]\r\n"
                                                    "[-HKEY_CURRENT_USER\\Software\\Absent]\r\n");
  ASSERT_TRUE(loaded.ok);
  EXPECT_TRUE(Query(reg, "Software\\T", "a") == std::vector<std::uint8_t>({2, 0, 0, 0}));
  EXPECT_TRUE(Query(reg, "Software\\T", "b").empty());
  EXPECT_TRUE(reg.KeyExists("HKEY_CURRENT_USER\\Software\\T"));
  EXPECT_FALSE(reg.KeyExists("HKEY_CURRENT_USER\\Software\\T\\Sub"));
  EXPECT_EQ(reg.OpenHandleCount(), 0);
}

TEST(RegFileLoad, RegistryFailureStopsAtItsLine) {
  MemoryRegistry reg;
  reg.FailNext(RegOp::kSet, "*\\T", kRegAccessDenied);
  const RegFileResult loaded = LoadRegText(
      reg, std::string(kHeader) + "[HKEY_CURRENT_USER\\Software\\Other]\r\n" +
               "\"first\"=dword:1\r\n" + kKey + "\"denied\"=dword:1\r\n" + "\"after\"=dword:1\r\n");
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.line, 5);
  EXPECT_EQ(loaded.regError, kRegAccessDenied);
  EXPECT_EQ(loaded.message,
            std::string("could not set \"denied\" in [HKEY_CURRENT_USER\\Software\\T] (error 5)"));
  EXPECT_EQ(Query(reg, "Software\\Other", "first").size(), 4u);  // what came before stays
  EXPECT_TRUE(Query(reg, "Software\\T", "after").empty());
  EXPECT_EQ(reg.OpenHandleCount(), 0);

  reg.FailNext(RegOp::kCreate, "*\\Locked", kRegAccessDenied);
  const RegFileResult created =
      LoadRegText(reg, std::string(kHeader) + "[HKEY_LOCAL_MACHINE\\Locked]\r\n");
  EXPECT_EQ(created.line, 2);
  EXPECT_EQ(created.message,
            std::string("could not create [HKEY_LOCAL_MACHINE\\Locked] (error 5)"));
}

TEST(RegFileLoad, MissingFileIsReported) {
  MemoryRegistry reg;
  const RegFileResult loaded = LoadRegFile(reg, FixturePath("no_such_file.reg"));
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.line, 0);
  EXPECT_TRUE(loaded.message.find("cannot read") == 0);
}

TEST(RegFileLoad, Utf16FileTakesEachCharacterAsAByte) {
  MemoryRegistry reg;
  std::string text = Utf16File(std::string(kHeader) + kKey + "\"T\"=\"x\"\r\n");
  // A character beyond single bytes in the middle of the text: \u20ac (the euro sign).
  const std::size_t x = text.find(std::string("x\0", 2));
  text.replace(x, 2, "\xAC\x20");
  ASSERT_TRUE(LoadRegText(reg, text).ok);
  EXPECT_TRUE(Query(reg, "Software\\T", "T") == std::vector<std::uint8_t>({'?', 0}));
}

// Whatever a value holds, its line reads back to the same type and bytes.
TEST(RegFileLoad, FormattedValuesReadBackExactly) {
  std::uint32_t seed = 12345;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return static_cast<std::uint8_t>(seed >> 16);
  };
  struct Row {
    std::uint32_t type;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Row> rows = {
      {kRegSz, {'p', 'l', 'a', 'i', 'n', 0}},
      {kRegSz, {'a', '\n', 'b', 0}},
      {kRegSz, {'q', '"', '\\', 0}},
      {kRegSz, {0xE9, 0}},
      {kRegSz, {'t', 'w', 'o', 0, 0}},
      {kRegSz, {}},
      {kRegSz, {0}},
      {kRegDword, {1, 2, 3, 4}},
      {kRegDword, {1, 2, 3, 4, 5}},
      {kRegDword, {}},
      {kRegBinary, {}},
      {kRegMultiSz, {'a', 0, 0}},
      {kRegExpandSz, {'%', 'x', '%', 0}},
      {0x12345678, {1}},
  };
  for (int n = 1; n < 300; n += 37) {
    Row row{kRegBinary, {}};
    for (int i = 0; i < n; ++i) row.bytes.push_back(next());
    rows.push_back(row);
    row.type = kRegSz;
    rows.push_back(row);
  }
  const char* names[] = {"", "plain", "with \"quotes\"", "back\\slash", "[bracket]", "semi;colon"};
  int i = 0;
  for (const auto& row : rows) {
    const char* name = names[i++ % 6];
    SCOPED_TRACE(std::string(name) + " type " + std::to_string(row.type) + " size " +
                 std::to_string(row.bytes.size()));
    MemoryRegistry reg;
    const std::string text = std::string(kHeader) + kKey +
                             FormatRegValue(name, row.type, row.bytes.data(), row.bytes.size()) +
                             "\r\n";
    const RegFileResult loaded = LoadRegText(reg, text);
    ASSERT_TRUE(loaded.ok);
    std::uint32_t type = 0;
    EXPECT_TRUE(Query(reg, "Software\\T", name, &type) == row.bytes);
    EXPECT_EQ(type, row.type);
    std::string saved;
    ASSERT_TRUE(SaveRegText(reg, kHkeyCurrentUser, "Software\\T", &saved));
    EXPECT_EQ(saved, std::string(kHeader) + "\r\n" + kKey +
                         FormatRegValue(name, row.type, row.bytes.data(), row.bytes.size()) +
                         "\r\n");
  }
}

TEST(RegFileSave, WholeHiveAndFaults) {
  MemoryRegistry reg;
  ASSERT_TRUE(LoadRegText(reg, std::string(kHeader) +
                                   "[HKEY_LOCAL_MACHINE]\r\n\"Top\"=dword:1\r\n" +
                                   "[HKEY_LOCAL_MACHINE\\B]\r\n[HKEY_LOCAL_MACHINE\\a]\r\n")
                  .ok);
  std::string saved;
  ASSERT_TRUE(SaveRegText(reg, kHkeyLocalMachine, "", &saved));
  EXPECT_EQ(saved, std::string("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE]\r\n\"Top\"=dword:00000001\r\n"
                               "\r\n[HKEY_LOCAL_MACHINE\\a]\r\n\r\n[HKEY_LOCAL_MACHINE\\B]\r\n"));
  // A hive without values starts with its first key.
  ASSERT_TRUE(SaveRegText(reg, kHkeyCurrentUser, "", &saved));
  EXPECT_EQ(saved, std::string("REGEDIT4\r\n"));
  EXPECT_FALSE(SaveRegText(reg, 0x1234, "", &saved));
  // A failing call on the way fails the save and leaves the text as it was.
  saved = "kept";
  reg.FailNext(RegOp::kEnumValue, "*\\B", kRegAccessDenied);
  EXPECT_FALSE(SaveRegText(reg, kHkeyLocalMachine, "", &saved));
  EXPECT_EQ(saved, std::string("kept"));
  EXPECT_EQ(reg.OpenHandleCount(), 0);
}
