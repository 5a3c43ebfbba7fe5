// What the program relies on from the profile reader, checked the same way against the INI
// stand-in and, under Wine, against GetPrivateProfileStringA. Every case writes its own scratch
// file, removed before and after it, and reads into a sentinel-filled buffer larger than the
// size it announces, so an overrun or a missing terminator shows.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "contract/profile_backend.h"
#include <gtest/gtest.h>

namespace {

constexpr unsigned char kSentinel = 0xAA;
constexpr std::uint32_t kSlack = 32;

std::string ScratchPath(const std::string& name) {
  return ContractTempFolder() + "quarnel-profile-" + std::to_string(ContractProcessId()) + "-" +
         name;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

// A scratch INI file holding exactly `bytes`.
class ScratchFile {
 public:
  ScratchFile(const std::string& name, const std::string& bytes) : path_(ScratchPath(name)) {
    std::remove(path_.c_str());
    ok_ = WriteBytes(path_, bytes);
  }
  ~ScratchFile() { std::remove(path_.c_str()); }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  bool ok() const { return ok_; }
  const std::string& path() const { return path_; }
  bool Rewrite(const std::string& bytes) { return WriteBytes(path_, bytes); }

 private:
  std::string path_;
  bool ok_ = false;
};

struct Reading {
  std::uint32_t result = 0;
  std::string text;         // the characters the result counts
  bool terminated = false;  // a NUL right after them and none among them
  bool overrun = false;     // a byte written at or past the announced size
};

Reading Read(const std::string& path, const char* section, const char* key, const char* def,
             std::uint32_t size) {
  std::vector<unsigned char> buffer(size + kSlack, kSentinel);
  char* chars = reinterpret_cast<char*>(buffer.data());
  Reading r;
  r.result = ContractProfileReader().ReadString(section, key, def, chars, size, path.c_str());
  for (std::uint32_t i = size; i < size + kSlack; ++i) {
    if (buffer[i] != kSentinel) r.overrun = true;
  }
  if (r.result < size) {
    r.text.assign(chars, r.result);
    r.terminated = buffer[r.result] == 0 && std::memchr(chars, 0, r.result) == nullptr;
  }
  return r;
}

void CheckReading(const Reading& r, const std::string& expected) {
  EXPECT_EQ(r.text, expected);
  EXPECT_EQ(r.result, static_cast<std::uint32_t>(expected.size()));
  EXPECT_TRUE(r.terminated);
  EXPECT_FALSE(r.overrun);
}

std::string Bytes(const char* data, std::size_t size) { return std::string(data, size); }

// One file with every kind of line the reader has to cope with.
const char kMixed[] =
    "k0=before any section\r\n"
    "[ Sec A ]\r\n"
    "  Key One  =   \"  Hello  \"   \r\n"
    "sq='single'\r\n"
    "mixed=\"abc'\r\n"
    "lonely=\"\r\n"
    "empty=\r\n"
    "blank=    \r\n"
    "noeq\r\n"
    ";comment=c\r\n"
    "dup=first\r\n"
    "dup=second\r\n"
    "nul=ab\0cd\r\n"
    "na\0me=x\r\n"
    "quoted=\"abc\"\r\n"
    "format=%s%n%x %d\r\n"
    "stars=a*b**c\r\n"
    "inner = a = b \r\n"
    "[bad\r\n"
    "afterbad=1\r"
    "crsep=2\n"
    "\t\x0b\x0c\x1a\r\n"
    "  tabbed\t=\tv\t\r\n"
    "[Sec B]\r\n"
    "b=1\r\n"
    "K\xC9=high\r\n"
    "[sec a]\r\n"
    "secondsec=1\r\n"
    "dup=third\r\n";

struct Row {
  const char* label;
  const char* section;
  const char* key;
  const char* def;
  std::uint32_t size;
  const char* expected;
};

const Row kMixedRows[] = {
    {"entry ahead of every section", "", "k0", "D", 64, "before any section"},
    {"quotes and blanks", "Sec A", "Key One", "D", 64, "  Hello  "},
    {"section and key without case", "sec a", "KEY ONE", "D", 64, "  Hello  "},
    {"blanks around the asked names", "  SEC A ", " key one\t", "D", 64, "  Hello  "},
    {"single quotes", "Sec A", "sq", "D", 64, "single"},
    {"quotes that do not match", "Sec A", "mixed", "D", 64, "\"abc'"},
    {"a lone quote", "Sec A", "lonely", "D", 64, "\""},
    {"empty value is not the default", "Sec A", "empty", "D", 64, ""},
    {"blank value", "Sec A", "blank", "D", 64, ""},
    {"missing key", "Sec A", "nothere", "D", 64, "D"},
    {"line without equals", "Sec A", "noeq", "D", 64, "D"},
    {"comment asked by name", "Sec A", ";comment", "D", 64, "c"},
    {"first of two equal keys", "Sec A", "dup", "D", 64, "first"},
    {"NUL ends a value", "Sec A", "nul", "D", 64, "ab"},
    {"NUL ends a name", "Sec A", "na", "D", 64, "x"},
    {"quoted, room to spare", "Sec A", "quoted", "D", 6, "abc"},
    {"quoted, exact room", "Sec A", "quoted", "D", 5, "abc"},
    {"quoted, closing quote cut", "Sec A", "quoted", "D", 4, "ab"},
    {"quoted, cut inside", "Sec A", "quoted", "D", 3, "ab"},
    {"quoted, size 1", "Sec A", "quoted", "D", 1, ""},
    {"plain value cut", "Sec A", "dup", "D", 3, "fi"},
    {"format characters", "Sec A", "format", "D", 64, "%s%n%x %d"},
    {"stars are not the reader's", "Sec A", "stars", "D", 64, "a*b**c"},
    {"equals sign inside the value", "Sec A", "inner", "D", 64, "a = b"},
    {"header without bracket", "Sec A", "afterbad", "D", 64, "1"},
    {"header without bracket as key", "Sec A", "[bad", "D", 64, "D"},
    {"CR alone ends a line", "Sec A", "crsep", "D", 64, "2"},
    {"tabs around name and value", "Sec A", "tabbed", "D", 64, "v"},
    {"second section of the same name", "Sec A", "secondsec", "D", 64, "D"},
    {"other section", "sec b", "b", "D", 64, "1"},
    {"key of another section", "Sec A", "b", "D", 64, "D"},
    {"case of non-ASCII letters counts", "Sec B", "k\xE9", "D", 64, "D"},
    {"non-ASCII key spelled alike", "Sec B", "k\xC9", "D", 64, "high"},
    {"missing section", "Nope", "b", "D", 64, "D"},
    {"default: trailing spaces dropped", "Sec A", "zz", "dd   ", 64, "dd"},
    {"default: trailing tab kept", "Sec A", "zz", "  x\t ", 64, "  x\t"},
    {"default: all spaces keep one", "Sec A", "zz", "   ", 64, " "},
    {"default: quotes removed", "Sec A", "zz", "\"q d\"", 64, "q d"},
    {"default: cut to size", "Sec A", "zz", "defaulted", 4, "def"},
    {"default: null", "Sec A", "zz", nullptr, 64, ""},
    {"default: format characters", "Sec A", "zz", "%s %n", 64, "%s %n"},
};

TEST(profile, mixed_lines) {
  ScratchFile file("mixed.ini", Bytes(kMixed, sizeof(kMixed) - 1));
  ASSERT_TRUE(file.ok());
  for (const Row& row : kMixedRows) {
    SCOPED_TRACE(row.label);
    CheckReading(Read(file.path(), row.section, row.key, row.def, row.size), row.expected);
  }
}

TEST(profile, size_zero_writes_nothing) {
  ScratchFile file("zero.ini", "[S]\r\nk=value\r\n");
  ASSERT_TRUE(file.ok());
  Reading r = Read(file.path(), "S", "k", "D", 0);
  EXPECT_EQ(r.result, 0u);
  EXPECT_FALSE(r.overrun);
}

TEST(profile, long_values_are_cut_to_the_limit) {
  const std::string big(2500, 'x');
  const std::string exact(1999, 'y');
  const std::string quotedBig = "\"" + std::string(2500, 'q') + "\"";
  ScratchFile file("long.ini", "[Quarnel]\r\nbig=" + big + "\r\nexact=" + exact +
                                   "\r\nquotedbig=" + quotedBig + "\r\n");
  ASSERT_TRUE(file.ok());
  {
    SCOPED_TRACE("2500 characters");
    CheckReading(Read(file.path(), "Quarnel", "big", "D", 2000), big.substr(0, 1999));
  }
  {
    SCOPED_TRACE("1999 characters");
    CheckReading(Read(file.path(), "Quarnel", "exact", "D", 2000), exact);
  }
  {
    SCOPED_TRACE("2500 characters in quotes");
    CheckReading(Read(file.path(), "Quarnel", "quotedbig", "D", 2000), std::string(1999, 'q'));
  }
  {
    SCOPED_TRACE("long default");
    CheckReading(Read(file.path(), "Quarnel", "none", big.c_str(), 2000), big.substr(0, 1999));
  }
}

TEST(profile, missing_file_and_folder) {
  const std::string folder = ScratchPath("folder");
  ContractRemoveFolder(folder);
  const std::string missingFile = ScratchPath("absent.ini");
  std::remove(missingFile.c_str());
  const std::string inMissingFolder = folder + ContractPathSeparator() + "x.ini";

  // A missing file in an existing folder reads as an empty file: the default loses its quotes.
  CheckReading(Read(missingFile, "Quarnel", "79", "\"quoted\"  ", 64), "quoted");
  CheckReading(Read(missingFile, "Quarnel", "79", "plain  ", 64), "plain");
  // When the folder is missing the default is copied as it is, trailing spaces aside.
  CheckReading(Read(inMissingFolder, "Quarnel", "79", "\"quoted\"  ", 64), "\"quoted\"");
  CheckReading(Read(inMissingFolder, "Quarnel", "79", "plain  ", 64), "plain");

  // A folder where the file should be.
  ASSERT_TRUE(ContractMakeFolder(folder));
  CheckReading(Read(folder, "Quarnel", "79", "\"quoted\"", 64), "\"quoted\"");
  EXPECT_TRUE(ContractRemoveFolder(folder));
}

TEST(profile, empty_file_and_no_sections) {
  {
    ScratchFile file("empty.ini", "");
    ASSERT_TRUE(file.ok());
    CheckReading(Read(file.path(), "Quarnel", "k", "'D'", 64), "D");
  }
  {
    ScratchFile file("nosection.ini", "k=v\r\njust words\r\n=\r\n");
    ASSERT_TRUE(file.ok());
    CheckReading(Read(file.path(), "Quarnel", "k", "D", 64), "D");
    CheckReading(Read(file.path(), "", "k", "D", 64), "v");
    CheckReading(Read(file.path(), "", "just words", "D", 64), "D");
  }
}

// Bytes of every value, with no byte-order mark in front, then the entries asked for.
TEST(profile, binary_junk) {
  std::string junk;
  std::uint32_t state = 12345;
  for (int i = 0; i < 64 * 1024; ++i) {
    state = state * 1103515245u + 12345u;
    junk += static_cast<char>((state >> 16) & 0xFF);
  }
  junk[0] = 'x';
  junk[1] = 'x';
  ScratchFile file("junk.ini", junk + "\r\n[Quarnel]\r\n20=found\r\n");
  ASSERT_TRUE(file.ok());
  CheckReading(Read(file.path(), "Quarnel", "20", "D", 64), "found");
  CheckReading(Read(file.path(), "Quarnel", "21", "D", 64), "D");
  // Whatever the junk holds, asking into it gives a terminated answer within the buffer.
  Reading r = Read(file.path(), "", "x", "D", 64);
  EXPECT_TRUE(r.result < 64u);
  EXPECT_TRUE(r.terminated);
  EXPECT_FALSE(r.overrun);
}

TEST(profile, ten_megabytes) {
  std::string text = "[Other]\r\n";
  const std::string line = std::string(1000, 'f') + "=" + std::string(1000, 'v') + "\r\n";
  while (text.size() < 5 * 1024 * 1024) text += line;
  text += "[Quarnel]\r\n" + std::string(5 * 1024 * 1024, 'a') + "\r\nlast=here\r\n";
  ScratchFile file("big.ini", text);
  ASSERT_TRUE(file.ok());
  CheckReading(Read(file.path(), "Quarnel", "last", "D", 64), "here");
  CheckReading(Read(file.path(), "Quarnel", "missing", "D", 64), "D");
}

TEST(profile, byte_order_marks) {
  {
    SCOPED_TRACE("UTF-8");
    ScratchFile file("utf8.ini", "\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n");
    ASSERT_TRUE(file.ok());
    CheckReading(Read(file.path(), "s", "k", "D", 64), "caf\xE9");
  }
  {
    SCOPED_TRACE("UTF-16");
    const char text[] = "\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0\xE9\0\x20\x20";
    ScratchFile file("utf16.ini", Bytes(text, sizeof(text) - 1));
    ASSERT_TRUE(file.ok());
    CheckReading(Read(file.path(), "s", "k", "D", 64), "\xE9\x86");
  }
  {
    SCOPED_TRACE("ANSI high bytes unchanged");
    ScratchFile file("ansi.ini", "[S]\nk=\x80\x81\x8d\xff\n");
    ASSERT_TRUE(file.ok());
    CheckReading(Read(file.path(), "s", "k", "D", 64), "\x80\x81\x8d\xff");
  }
}

// The language lookup reads the file on every call; a rewritten file must show at once.
TEST(profile, rewritten_file_is_read_again) {
  ScratchFile file("rewrite.ini", "[Quarnel]\r\n20=one\r\n");
  ASSERT_TRUE(file.ok());
  CheckReading(Read(file.path(), "Quarnel", "20", "D", 64), "one");
  ASSERT_TRUE(file.Rewrite("[Quarnel]\r\n20=two\r\n"));
  CheckReading(Read(file.path(), "Quarnel", "20", "D", 64), "two");
  ASSERT_TRUE(file.Rewrite("[Quarnel]\r\n"));
  CheckReading(Read(file.path(), "Quarnel", "20", "D", 64), "D");
}

}  // namespace
