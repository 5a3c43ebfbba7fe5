// .reg files through the registry: what the loader writes must read back through the saver byte
// for byte, on the in-memory stand-in and on the real registry alike. The fixtures import with
// Wine's regedit to the same values, with one exception: regedit adds a terminator to a hex(1)
// text that has none, where this loader keeps the bytes as written.
#include <cstdio>
#include <string>

#include "contract/registry_backend.h"
#include "fakes/reg_file.h"
#include <gtest/gtest.h>

#include "support/fixtures.h"

namespace {

const char kScratch[] = "Software\\Quarnel Contract Tests";

std::string ReadFixture(const char* name) {
  std::string text;
  std::FILE* f = std::fopen(FixturePath(name).c_str(), "rb");
  if (!f) return text;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  return text;
}

// Removes the scratch key before and after a case.
struct CleanScratch {
  CleanScratch() { ContractRegistry().DeleteTree(kHkeyCurrentUser, kScratch); }
  ~CleanScratch() { ContractRegistry().DeleteTree(kHkeyCurrentUser, kScratch); }
};

}  // namespace

TEST(RegFile, CanonicalFileSavesBackUnchanged) {
  CleanScratch clean;
  Registry& reg = ContractRegistry();
  const std::string fixture = ReadFixture("contract_canonical.reg");
  ASSERT_FALSE(fixture.empty());
  const RegFileResult loaded = LoadRegFile(reg, FixturePath("contract_canonical.reg"));
  EXPECT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.message, std::string());
  std::string saved;
  ASSERT_TRUE(SaveRegText(reg, kHkeyCurrentUser, kScratch, &saved));
  EXPECT_EQ(saved, fixture);

  // The texts that are not plain arrive with exactly their bytes.
  ScopedKey key(reg);
  ASSERT_EQ(key.Open(kHkeyCurrentUser, kScratch), kRegOk);
  struct Row {
    const char* name;
    std::uint32_t size;
  } rows[] = {{"Unterminated", 3}, {"Inner zero", 4}, {"Empty text", 0}, {"OddDword", 2}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    std::uint32_t size = 99;
    EXPECT_EQ(reg.QueryValue(key.get(), row.name, nullptr, nullptr, &size), kRegOk);
    EXPECT_EQ(size, row.size);
  }
}

TEST(RegFile, EveryFormLoads) {
  CleanScratch clean;
  Registry& reg = ContractRegistry();
  const RegFileResult loaded = LoadRegFile(reg, FixturePath("contract_syntax.reg"));
  EXPECT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.message, std::string());
  std::string saved;
  ASSERT_TRUE(SaveRegText(reg, kHkeyCurrentUser, std::string(kScratch) + "\\Syntax", &saved));
  const std::string expected =
      "REGEDIT4\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quarnel Contract Tests\\Syntax]\r\n"
      "@=\"default\"\r\n"
      "\"Dword\"=dword:ffffffff\r\n"
      "\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n"
      "\"Long\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
      "  16,17,18,19\r\n"
      "\"Multi\"=hex(7):61,00,62,00,00\r\n"
      "\"Short\"=dword:0000001f\r\n"
      "\"Spaced\"=\"a \\\"quoted\\\" word\"\r\n"
      "\"Text\"=\"plain\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quarnel Contract Tests\\Syntax\\Kept]\r\n";
  EXPECT_EQ(saved, expected);
}

// regedit's own exports are UTF-16: texts become single bytes, hex texts are read as UTF-16.
TEST(RegFile, Utf16FileLoads) {
  CleanScratch clean;
  Registry& reg = ContractRegistry();
  const RegFileResult loaded = LoadRegFile(reg, FixturePath("contract_unicode.reg"));
  EXPECT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.message, std::string());
  std::string saved;
  ASSERT_TRUE(SaveRegText(reg, kHkeyCurrentUser, std::string(kScratch) + "\\Unicode", &saved));
  const std::string expected =
      "REGEDIT4\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quarnel Contract Tests\\Unicode]\r\n"
      "\"Binary\"=hex:01,00,02,00\r\n"
      "\"Dword\"=dword:00000102\r\n"
      "\"Expand\"=hex(2):25,54,45,4d,50,25,00\r\n"
      "\"Multi\"=hex(7):61,00,62,00,00\r\n"
      "\"Text\"=hex(1):63,61,66,e9,00\r\n";
  EXPECT_EQ(saved, expected);
}

TEST(RegFile, MalformedFileChangesNothing) {
  CleanScratch clean;
  Registry& reg = ContractRegistry();
  const RegFileResult loaded =
      LoadRegText(reg,
                  "REGEDIT4\r\n"
                  "\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Quarnel Contract Tests]\r\n"
                  "\"Fine\"=dword:00000001\r\n"
                  "\"Broken\"=dword:xyz\r\n");
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.line, 5);
  ScopedKey key(reg);
  EXPECT_EQ(key.Open(kHkeyCurrentUser, kScratch), kRegFileNotFound);
}

TEST(RegFile, SavingAMissingKeyFails) {
  CleanScratch clean;
  std::string text = "untouched";
  EXPECT_FALSE(SaveRegText(ContractRegistry(), kHkeyCurrentUser, kScratch, &text));
  EXPECT_EQ(text, std::string("untouched"));
}
