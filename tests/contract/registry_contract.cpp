// What the program relies on from the registry, checked the same way against the in-memory
// stand-in and, under Wine, against the real calls. Every case works below a scratch key that is
// removed before and after it.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/registry_names.h"
#include "contract/registry_backend.h"

namespace {

const char kScratch[] = "Software\\Quarnel Contract Tests";
constexpr std::uint8_t kSentinel = 0xAA;
constexpr RegResult kBadPathname = 161;  // ERROR_BAD_PATHNAME
constexpr RegResult kNoAccess = 998;     // ERROR_NOACCESS
constexpr RegResult kKeyDeleted = 1018;  // ERROR_KEY_DELETED

RegResult PutText(Registry& reg, RegKey key, const char* name, const char* text) {
  return reg.SetValue(key, name, kRegSz, reinterpret_cast<const std::uint8_t*>(text),
                      static_cast<std::uint32_t>(std::strlen(text) + 1));
}

// The scratch key, fresh for one case and gone afterwards.
class Scratch {
 public:
  Scratch() : registry_(ContractRegistry()) {
    registry_.DeleteTree(kHkeyCurrentUser, kScratch);
    result_ = registry_.CreateKey(kHkeyCurrentUser, kScratch, kKeyAllAccess, &key_);
  }
  ~Scratch() {
    if (key_) registry_.CloseKey(key_);
    registry_.DeleteTree(kHkeyCurrentUser, kScratch);
  }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  bool ok() const { return result_ == kRegOk; }
  RegKey key() const { return key_; }
  Registry& reg() { return registry_; }

  RegResult SetBytes(const char* name, std::uint32_t type, const std::vector<std::uint8_t>& v) {
    return registry_.SetValue(key_, name, type, v.data(), static_cast<std::uint32_t>(v.size()));
  }
  RegResult SetDword(const char* name, std::uint32_t value) {
    std::uint8_t b[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                         static_cast<std::uint8_t>(value >> 16),
                         static_cast<std::uint8_t>(value >> 24)};
    return registry_.SetValue(key_, name, kRegDword, b, 4);
  }
  RegResult SetText(const char* name, const char* text) {
    return PutText(registry_, key_, name, text);
  }
  RegResult MakeKey(const char* path) {
    RegKey k = 0;
    RegResult rc = registry_.CreateKey(key_, path, kKeyAllAccess, &k);
    if (rc == kRegOk) registry_.CloseKey(k);
    return rc;
  }
  bool KeyOpens(const char* path) {
    RegKey k = 0;
    if (registry_.OpenKey(key_, path, kKeyAllAccess, &k) != kRegOk) return false;
    registry_.CloseKey(k);
    return true;
  }

 private:
  Registry& registry_;
  RegKey key_ = 0;
  RegResult result_ = kRegOk;
};

std::vector<std::uint8_t> Filled(std::size_t n, std::uint8_t byte = kSentinel) {
  return std::vector<std::uint8_t>(n, byte);
}

bool AllSentinel(const std::uint8_t* p, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i)
    if (p[i] != kSentinel) return false;
  return true;
}

std::string Hex(const std::vector<std::uint8_t>& v) {
  static const char digits[] = "0123456789abcdef";
  std::string s;
  for (std::uint8_t b : v) {
    s += digits[b >> 4];
    s += digits[b & 15];
  }
  return s;
}

std::string Join(const std::vector<std::string>& names) {
  std::string s;
  for (const auto& n : names) s += (s.empty() ? "" : ",") + n;
  return s;
}

// Every way the backend has of deleting a tree: the system's, and on the real registry also its
// own, for systems without SHDeleteKeyA. Both must answer alike.
struct TreeDeleter {
  const char* name;
  Registry* registry;
};

std::vector<TreeDeleter> TreeDeleters() {
  std::vector<TreeDeleter> deleters = {{"system delete", &ContractRegistry()}};
  if (Registry* own = ContractRegistryOwnTreeDelete()) deleters.push_back({"own delete", own});
  return deleters;
}

}  // namespace

TEST(Registry, OpenFailsOnMissingKeyAndCreateMakesParents) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  RegKey k = 0xDEAD;
  EXPECT_EQ(s.reg().OpenKey(s.key(), "Missing", kKeyAllAccess, &k), kRegFileNotFound);
  EXPECT_EQ(s.reg().OpenKey(s.key(), "Missing\\Deeper", kKeyAllAccess, &k), kRegFileNotFound);
  EXPECT_EQ(s.MakeKey("One\\Two\\Three"), kRegOk);
  EXPECT_TRUE(s.KeyOpens("One"));
  EXPECT_TRUE(s.KeyOpens("One\\Two"));
  EXPECT_TRUE(s.KeyOpens("One\\Two\\Three"));
  // Creating an existing key opens it and keeps what it holds.
  RegKey existing = 0;
  ASSERT_EQ(s.reg().CreateKey(s.key(), "One\\Two", kKeyAllAccess, &existing), kRegOk);
  EXPECT_EQ(SubKeyNames(s.reg(), existing).size(), 1u);
  EXPECT_EQ(s.reg().CloseKey(existing), kRegOk);
}

TEST(Registry, KeyPathsWithBackslashesAndEmptySubKeys) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.MakeKey("Outer\\Inner"), kRegOk);
  struct Row {
    const char* path;
    bool opens;
  } rows[] = {
      {"Outer\\Inner", true},
      {"outer\\INNER", true},
      {"Outer\\Inner\\", true},
      {"Outer\\Missing", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(s.KeyOpens(row.path), row.opens);
  }
  // A path may not start with a backslash.
  RegKey k = 0;
  EXPECT_EQ(s.reg().OpenKey(s.key(), "\\Outer", kKeyAllAccess, &k), kBadPathname);
  EXPECT_EQ(s.reg().CreateKey(s.key(), "\\Lead", kKeyAllAccess, &k), kBadPathname);
  EXPECT_FALSE(s.KeyOpens("Lead"));
  // An empty or missing sub-key name opens the same key again, as a handle of its own.
  const char* empties[] = {"", nullptr};
  for (const char* empty : empties) {
    SCOPED_TRACE(empty ? "empty" : "null");
    RegKey again = 0;
    ASSERT_EQ(s.reg().OpenKey(s.key(), empty, kKeyAllAccess, &again), kRegOk);
    EXPECT_TRUE(again != s.key());
    EXPECT_EQ(PutText(s.reg(), again, "ThroughSecond", "x"), kRegOk);
    EXPECT_EQ(s.reg().CloseKey(again), kRegOk);
    // The first handle is unaffected by closing the second.
    std::uint32_t size = 0;
    EXPECT_EQ(s.reg().QueryValue(s.key(), "ThroughSecond", nullptr, nullptr, &size), kRegOk);
  }
}

TEST(Registry, NamesIgnoreCaseAndKeepTheirStoredCase) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.MakeKey("MixedCase"), kRegOk);
  EXPECT_TRUE(s.KeyOpens("MIXEDCASE"));
  EXPECT_TRUE(s.KeyOpens("mixedcase"));
  EXPECT_EQ(s.MakeKey("MIXEDCASE"), kRegOk);  // the same key, not a second one
  EXPECT_EQ(Join(SubKeyNames(s.reg(), s.key())), std::string("MixedCase"));

  ASSERT_EQ(s.SetDword("DefaultTTL", 64), kRegOk);
  ASSERT_EQ(s.SetDword("DEFAULTTTL", 128), kRegOk);  // replaces the value, keeps its name
  EXPECT_EQ(Join(ValueNames(s.reg(), s.key())), std::string("DefaultTTL"));
  std::uint8_t buf[4];
  std::uint32_t size = 4;
  ASSERT_EQ(s.reg().QueryValue(s.key(), "defaultttl", nullptr, buf, &size), kRegOk);
  EXPECT_EQ(buf[0], 128);
  EXPECT_EQ(s.reg().DeleteValue(s.key(), "DefaultTtl"), kRegOk);
  EXPECT_EQ(ValueNames(s.reg(), s.key()).size(), 0u);
}

TEST(Registry, QueryValueSizesAndTypes) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.SetDword("Dword", 0x0A0B0C0D), kRegOk);
  ASSERT_EQ(s.SetBytes("Short", kRegBinary, {1, 2}), kRegOk);
  ASSERT_EQ(s.SetBytes("LongDword", kRegDword, {1, 2, 3, 4, 5, 6, 7, 8}), kRegOk);
  ASSERT_EQ(s.SetBytes("Empty", kRegBinary, {}), kRegOk);
  ASSERT_EQ(s.SetText("Text", "abc"), kRegOk);
  struct Row {
    const char* name;
    std::uint32_t bufferSize;
    RegResult result;
    std::uint32_t type;
    std::uint32_t size;    // *size afterwards
    const char* contents;  // hex of the whole buffer afterwards (aa: untouched)
  } rows[] = {
      {"Dword", 4, kRegOk, kRegDword, 4, "0d0c0b0a"},
      {"Dword", 6, kRegOk, kRegDword, 4, "0d0c0b0aaaaa"},
      {"Dword", 3, kRegMoreData, kRegDword, 4, "aaaaaa"},
      {"Dword", 0, kRegMoreData, kRegDword, 4, ""},
      {"Short", 4, kRegOk, kRegBinary, 2, "0102aaaa"},
      {"LongDword", 4, kRegMoreData, kRegDword, 8, "aaaaaaaa"},
      {"LongDword", 8, kRegOk, kRegDword, 8, "0102030405060708"},
      {"Empty", 4, kRegOk, kRegBinary, 0, "aaaaaaaa"},
      {"Text", 4, kRegOk, kRegSz, 4, "61626300"},
      {"Text", 3, kRegMoreData, kRegSz, 4, "aaaaaa"},
      {"TEXT", 6, kRegOk, kRegSz, 4, "61626300aaaa"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " into " + std::to_string(row.bufferSize));
    std::vector<std::uint8_t> buf = Filled(row.bufferSize + 1);
    std::uint32_t type = 0xFFFF;
    std::uint32_t size = row.bufferSize;
    EXPECT_EQ(s.reg().QueryValue(s.key(), row.name, &type, buf.data(), &size), row.result);
    EXPECT_EQ(type, row.type);
    EXPECT_EQ(size, row.size);
    EXPECT_EQ(buf.back(), kSentinel);  // nothing written past the size given
    buf.pop_back();
    EXPECT_EQ(Hex(buf), std::string(row.contents));
  }
  // Without a buffer only the size (and type) is reported.
  std::uint32_t size = 0, type = 0;
  EXPECT_EQ(s.reg().QueryValue(s.key(), "LongDword", &type, nullptr, &size), kRegOk);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(type, kRegDword);
  size = 0;
  EXPECT_EQ(s.reg().QueryValue(s.key(), "Text", nullptr, nullptr, &size), kRegOk);
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(s.reg().QueryValue(s.key(), "Missing", &type, nullptr, &size), kRegFileNotFound);
  std::uint8_t b[4];
  size = 4;
  EXPECT_EQ(s.reg().QueryValue(s.key(), "Missing", nullptr, b, &size), kRegFileNotFound);
}

TEST(Registry, DefaultValueIsTheEmptyName) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.SetText("", "first"), kRegOk);
  ASSERT_EQ(s.SetText(nullptr, "second"), kRegOk);
  char buf[16];
  std::uint32_t size = sizeof buf;
  ASSERT_EQ(s.reg().QueryValue(s.key(), "", nullptr, reinterpret_cast<std::uint8_t*>(buf), &size),
            kRegOk);
  EXPECT_EQ(std::string(buf), std::string("second"));
  EXPECT_EQ(Join(ValueNames(s.reg(), s.key())), std::string(""));
  EXPECT_EQ(ValueNames(s.reg(), s.key()).size(), 1u);
  EXPECT_EQ(s.reg().DeleteValue(s.key(), nullptr), kRegOk);
  EXPECT_EQ(s.reg().DeleteValue(s.key(), ""), kRegFileNotFound);
}

// Texts read into the 260-byte buffers the program uses: what fits, what a missing terminator
// does, and what one byte too many does.
TEST(Registry, TextsAroundTheBufferSize) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  struct Row {
    std::uint32_t textLen;  // characters
    bool terminated;        // stored with its terminator
    RegResult result;
    std::uint32_t size;  // *size afterwards
    int terminatorAt;    // where a 0 appears in the buffer, -1: none
  } rows[] = {
      {258, true, kRegOk, 259, 258},
      {259, true, kRegOk, 260, 259},
      {260, true, kRegMoreData, 261, -1},
      // Without a terminator the system adds one when there is room, without counting it.
      {258, false, kRegOk, 258, 258},
      {259, false, kRegOk, 259, 259},
      {260, false, kRegOk, 260, -1},
      {261, false, kRegMoreData, 261, -1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.textLen) + (row.terminated ? " terminated" : " bare"));
    // The byte after the count is not a 0, or the system would count it in quietly.
    std::string text(row.textLen, 'x');
    text += row.terminated ? std::string(1, '\0') + "y" : std::string("y");
    const std::uint32_t count = row.textLen + (row.terminated ? 1 : 0);
    ASSERT_EQ(s.reg().SetValue(s.key(), "Text", kRegSz,
                               reinterpret_cast<const std::uint8_t*>(text.data()), count),
              kRegOk);
    std::vector<std::uint8_t> buf = Filled(261);
    std::uint32_t size = 260;
    EXPECT_EQ(s.reg().QueryValue(s.key(), "Text", nullptr, buf.data(), &size), row.result);
    EXPECT_EQ(size, row.size);
    EXPECT_EQ(buf[260], kSentinel);
    int zeroAt = -1;
    for (int i = 0; i < 260; ++i)
      if (buf[i] == 0) {
        zeroAt = i;
        break;
      }
    EXPECT_EQ(zeroAt, row.terminatorAt);
    if (row.result == kRegOk) {
      EXPECT_EQ(buf[0], 'x');
      EXPECT_EQ(buf[row.textLen - 1], 'x');
      if (row.terminatorAt >= 0 && row.terminatorAt + 1 < 260) {
        EXPECT_TRUE(AllSentinel(buf.data() + row.terminatorAt + 1, 259 - row.terminatorAt));
      }
    } else {
      EXPECT_TRUE(AllSentinel(buf.data(), 260));
    }
  }
}

TEST(Registry, TextSetWithoutItsTerminatorCountsTheOneThatFollows) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  const char text[] = "abc";  // a 0 sits right after the three bytes given
  ASSERT_EQ(
      s.reg().SetValue(s.key(), "Text", kRegSz, reinterpret_cast<const std::uint8_t*>(text), 3),
      kRegOk);
  std::uint32_t size = 0;
  EXPECT_EQ(s.reg().QueryValue(s.key(), "Text", nullptr, nullptr, &size), kRegOk);
  EXPECT_EQ(size, 4u);
  // Not for binary data.
  ASSERT_EQ(
      s.reg().SetValue(s.key(), "Bin", kRegBinary, reinterpret_cast<const std::uint8_t*>(text), 3),
      kRegOk);
  EXPECT_EQ(s.reg().QueryValue(s.key(), "Bin", nullptr, nullptr, &size), kRegOk);
  EXPECT_EQ(size, 3u);
  // An empty text stays empty.
  ASSERT_EQ(
      s.reg().SetValue(s.key(), "Empty", kRegSz, reinterpret_cast<const std::uint8_t*>(text), 0),
      kRegOk);
  std::vector<std::uint8_t> buf = Filled(4);
  size = 4;
  EXPECT_EQ(s.reg().QueryValue(s.key(), "Empty", nullptr, buf.data(), &size), kRegOk);
  EXPECT_EQ(size, 0u);
  EXPECT_TRUE(AllSentinel(buf.data(), 4));
}

TEST(Registry, ValuesKeepTheirBytesAndTypes) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  std::vector<std::uint8_t> big(5000);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<std::uint8_t>(i * 7);
  struct Row {
    const char* name;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
  } rows[] = {
      {"Big", kRegBinary, big},
      {"Multi", kRegMultiSz, {'a', 0, 'b', 'c', 0, 0}},
      {"Expand", kRegExpandSz, {'%', 'W', '%', 0}},
      {"Inner zero", kRegSz, {'a', 0, 'b', 0}},
      {"None", kRegNone, {9, 8, 7}},
      {"OddDword", kRegDword, {1, 2}},
      {"Properties", kRegBinary, {0x80, 0x01, 0x00, 0x00, 0xFF, 0x00}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(s.SetBytes(row.name, row.type, row.data), kRegOk);
    std::vector<std::uint8_t> buf = Filled(row.data.size() + 8);
    std::uint32_t size = static_cast<std::uint32_t>(buf.size());
    std::uint32_t type = 0xFFFF;
    ASSERT_EQ(s.reg().QueryValue(s.key(), row.name, &type, buf.data(), &size), kRegOk);
    EXPECT_EQ(type, row.type);
    ASSERT_EQ(size, row.data.size());
    buf.resize(size);
    EXPECT_TRUE(buf == row.data);
  }
}

TEST(Registry, SubKeysEnumerateSortedUntilNoMoreItems) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  const char* created[] = {"Gamma", "alpha", "Beta", "delta\\Child"};
  for (const char* name : created) {
    ASSERT_EQ(s.MakeKey(name), kRegOk);
  }
  EXPECT_EQ(Join(SubKeyNames(s.reg(), s.key())), std::string("alpha,Beta,delta,Gamma"));
  char name[8];
  std::uint32_t size = sizeof name;
  EXPECT_EQ(s.reg().EnumKey(s.key(), 4, name, &size), kRegNoMoreItems);
  EXPECT_EQ(s.reg().EnumKey(s.key(), 100, name, &size), kRegNoMoreItems);

  // "Gamma" is index 3 and needs 6 characters with its terminator.
  struct Row {
    std::uint32_t bufferSize;
    RegResult result;
    std::uint32_t size;
    const char* contents;  // the buffer afterwards (hex), aa: untouched
  } rows[] = {
      {5, kRegMoreData, 5, "aaaaaaaaaa"},
      {6, kRegOk, 5, "47616d6d6100"},
      {7, kRegOk, 5, "47616d6d6100aa"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE("buffer " + std::to_string(row.bufferSize));
    std::vector<std::uint8_t> buf = Filled(row.bufferSize + 1);
    std::uint32_t n = row.bufferSize;
    EXPECT_EQ(s.reg().EnumKey(s.key(), 3, reinterpret_cast<char*>(buf.data()), &n), row.result);
    EXPECT_EQ(n, row.size);
    EXPECT_EQ(buf.back(), kSentinel);
    buf.pop_back();
    EXPECT_EQ(Hex(buf), std::string(row.contents));
  }
}

// Wine lists values sorted by name, as it does sub-keys; NT itself keeps values in the order
// they were made, so nothing in the program may depend on the order of values.
TEST(Registry, ValuesEnumerateWithNamesAndData) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.SetBytes("Gamma", kRegBinary, {1, 2, 3, 4, 5, 6}), kRegOk);
  ASSERT_EQ(s.SetText("Alpha", "text"), kRegOk);
  ASSERT_EQ(s.SetDword("Beta", 7), kRegOk);
  EXPECT_EQ(Join(ValueNames(s.reg(), s.key())), std::string("Alpha,Beta,Gamma"));

  char name[8];
  std::uint32_t nameSize = sizeof name;
  std::uint8_t data[8];
  std::uint32_t dataSize = sizeof data;
  EXPECT_EQ(s.reg().EnumValue(s.key(), 3, name, &nameSize, nullptr, data, &dataSize),
            kRegNoMoreItems);

  struct Row {
    std::uint32_t index;
    std::uint32_t nameBuffer;
    std::uint32_t dataBuffer;  // 0: no data asked for
    RegResult result;
    std::uint32_t nameSize;  // afterwards
    const char* name;        // hex of the name buffer afterwards
    std::uint32_t type;
    std::uint32_t dataSize;  // afterwards
    const char* data;        // hex of the data buffer afterwards
  } rows[] = {
      {0, 6, 8, kRegOk, 5, "416c70686100", kRegSz, 5, "7465787400aaaaaa"},
      {1, 5, 4, kRegOk, 4, "4265746100", kRegDword, 4, "07000000"},
      {2, 6, 0, kRegOk, 5, "47616d6d6100", kRegBinary, 6, ""},
      // Data that does not fit: the size needed comes back, neither buffer is touched.
      {2, 6, 5, kRegMoreData, 6, "aaaaaaaaaaaa", kRegBinary, 6, "aaaaaaaaaa"},
      // A name that does not fit is cut to the buffer and terminated; the data is still read.
      {0, 4, 8, kRegMoreData, 4, "416c7000", kRegSz, 5, "7465787400aaaaaa"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE("index " + std::to_string(row.index) + " name buffer " +
                 std::to_string(row.nameBuffer) + " data buffer " + std::to_string(row.dataBuffer));
    std::vector<std::uint8_t> nameBuf = Filled(row.nameBuffer + 1);
    std::vector<std::uint8_t> dataBuf = Filled(row.dataBuffer + 1);
    std::uint32_t n = row.nameBuffer;
    std::uint32_t d = row.dataBuffer;
    std::uint32_t type = 0xFFFF;
    EXPECT_EQ(s.reg().EnumValue(s.key(), row.index, reinterpret_cast<char*>(nameBuf.data()), &n,
                                &type, row.dataBuffer ? dataBuf.data() : nullptr, &d),
              row.result);
    EXPECT_EQ(n, row.nameSize);
    EXPECT_EQ(type, row.type);
    EXPECT_EQ(d, row.dataSize);
    EXPECT_EQ(nameBuf.back(), kSentinel);
    EXPECT_EQ(dataBuf.back(), kSentinel);
    nameBuf.pop_back();
    dataBuf.pop_back();
    EXPECT_EQ(Hex(nameBuf), std::string(row.name));
    if (row.dataBuffer) {
      EXPECT_EQ(Hex(dataBuf), std::string(row.data));
    }
  }
}

TEST(Registry, QueryInfoKeyCountsAndLongest) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  std::uint32_t subKeys = 99, maxKey = 99, values = 99, maxName = 99, maxData = 99;
  ASSERT_EQ(s.reg().QueryInfoKey(s.key(), &subKeys, &maxKey, &values, &maxName, &maxData), kRegOk);
  EXPECT_EQ(subKeys, 0u);
  EXPECT_EQ(maxKey, 0u);
  EXPECT_EQ(values, 0u);
  EXPECT_EQ(maxName, 0u);
  EXPECT_EQ(maxData, 0u);

  ASSERT_EQ(s.MakeKey("Short"), kRegOk);
  ASSERT_EQ(s.MakeKey("A Longer Name\\With A Much Longer Child Below It"), kRegOk);
  ASSERT_EQ(s.SetDword("X", 1), kRegOk);
  ASSERT_EQ(s.SetBytes("Properties", kRegBinary, Filled(52, 1)), kRegOk);
  ASSERT_EQ(s.SetBytes("An Even Longer Value Name", kRegBinary, {1}), kRegOk);
  ASSERT_EQ(s.reg().QueryInfoKey(s.key(), &subKeys, &maxKey, &values, &maxName, &maxData), kRegOk);
  EXPECT_EQ(subKeys, 2u);
  EXPECT_EQ(maxKey, 13u);  // "A Longer Name"; names below do not count
  EXPECT_EQ(values, 3u);
  EXPECT_EQ(maxName, 25u);
  EXPECT_EQ(maxData, 52u);
  // Any of the answers may be left out.
  EXPECT_EQ(s.reg().QueryInfoKey(s.key(), nullptr, nullptr, nullptr, nullptr, nullptr), kRegOk);
  subKeys = 0;
  EXPECT_EQ(s.reg().QueryInfoKey(s.key(), &subKeys, nullptr, nullptr, nullptr, nullptr), kRegOk);
  EXPECT_EQ(subKeys, 2u);
}

// Texts are kept in UTF-16, and the longest data is reported at that size: a caller sizing a
// buffer for a text from this answer gets twice what the text needs, never less.
TEST(Registry, QueryInfoKeyReportsTextsAtTheirStoredSize) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.SetText("Text", "twelve chars"), kRegOk);  // 13 bytes with the terminator
  ASSERT_EQ(s.SetBytes("Bin", kRegBinary, Filled(20, 1)), kRegOk);
  std::uint32_t maxData = 0;
  ASSERT_EQ(s.reg().QueryInfoKey(s.key(), nullptr, nullptr, nullptr, nullptr, &maxData), kRegOk);
  EXPECT_EQ(maxData, 26u);
}

TEST(Registry, DeleteValue) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.SetDword("Present", 1), kRegOk);
  EXPECT_EQ(s.reg().DeleteValue(s.key(), "Missing"), kRegFileNotFound);
  EXPECT_EQ(s.reg().DeleteValue(s.key(), "PRESENT"), kRegOk);
  std::uint32_t size = 0;
  EXPECT_EQ(s.reg().QueryValue(s.key(), "Present", nullptr, nullptr, &size), kRegFileNotFound);
  EXPECT_EQ(s.reg().DeleteValue(s.key(), "Present"), kRegFileNotFound);
}

TEST(Registry, DeleteTreeRemovesEverythingBelow) {
  for (const TreeDeleter& deleter : TreeDeleters()) {
    SCOPED_TRACE(deleter.name);
    Registry& del = *deleter.registry;
    Scratch s;
    ASSERT_TRUE(s.ok());
    ASSERT_EQ(s.MakeKey("Top\\Middle\\Bottom"), kRegOk);
    ASSERT_EQ(s.MakeKey("Top\\Side"), kRegOk);
    ASSERT_EQ(s.MakeKey("Sibling"), kRegOk);
    RegKey middle = 0;
    ASSERT_EQ(s.reg().OpenKey(s.key(), "Top\\Middle", kKeyAllAccess, &middle), kRegOk);
    ASSERT_EQ(PutText(s.reg(), middle, "v", "x"), kRegOk);
    ASSERT_EQ(s.reg().CloseKey(middle), kRegOk);

    EXPECT_EQ(del.DeleteTree(s.key(), "top"), kRegOk);
    EXPECT_FALSE(s.KeyOpens("Top"));
    EXPECT_FALSE(s.KeyOpens("Top\\Middle\\Bottom"));
    EXPECT_TRUE(s.KeyOpens("Sibling"));
    EXPECT_EQ(Join(SubKeyNames(s.reg(), s.key())), std::string("Sibling"));
    EXPECT_EQ(del.DeleteTree(s.key(), "Top"), kRegFileNotFound);
    EXPECT_EQ(del.DeleteTree(s.key(), "Missing\\Deeper"), kRegFileNotFound);
    // The key can be made again, empty.
    ASSERT_EQ(s.MakeKey("Top"), kRegOk);
    RegKey top = 0;
    ASSERT_EQ(s.reg().OpenKey(s.key(), "Top", kKeyAllAccess, &top), kRegOk);
    std::uint32_t subKeys = 9, values = 9;
    EXPECT_EQ(s.reg().QueryInfoKey(top, &subKeys, nullptr, &values, nullptr, nullptr), kRegOk);
    EXPECT_EQ(subKeys, 0u);
    EXPECT_EQ(values, 0u);
    EXPECT_EQ(s.reg().CloseKey(top), kRegOk);
  }
}

// Deleting renumbers the sub-keys left, so a delete that walks them by index must not skip any;
// names of the longest length a key may have must fit.
TEST(Registry, DeleteTreeOfAWideAndDeepTree) {
  const std::string longest(255, 'k');
  for (const TreeDeleter& deleter : TreeDeleters()) {
    SCOPED_TRACE(deleter.name);
    Scratch s;
    ASSERT_TRUE(s.ok());
    const char* branches[] = {"A", "b", "C", "d", "E"};
    for (const char* branch : branches) {
      for (const char* leaf : branches) {
        const std::string path = std::string("Tree\\") + branch + "\\" + leaf + "\\Deeper";
        ASSERT_EQ(s.MakeKey(path.c_str()), kRegOk);
        RegKey k = 0;
        ASSERT_EQ(s.reg().OpenKey(s.key(), path.c_str(), kKeyAllAccess, &k), kRegOk);
        EXPECT_EQ(PutText(s.reg(), k, "Value", leaf), kRegOk);
        EXPECT_EQ(PutText(s.reg(), k, "", branch), kRegOk);
        EXPECT_EQ(s.reg().CloseKey(k), kRegOk);
      }
    }
    // Two steps: an ANSI path is converted in a buffer of MAX_PATH characters.
    ASSERT_EQ(s.MakeKey(("Tree\\" + longest).c_str()), kRegOk);
    RegKey parent = 0, child = 0;
    ASSERT_EQ(s.reg().OpenKey(s.key(), ("Tree\\" + longest).c_str(), kKeyAllAccess, &parent),
              kRegOk);
    EXPECT_EQ(s.reg().CreateKey(parent, longest.c_str(), kKeyAllAccess, &child), kRegOk);
    if (child) s.reg().CloseKey(child);
    EXPECT_EQ(s.reg().CloseKey(parent), kRegOk);
    ASSERT_EQ(s.MakeKey("Treetop"), kRegOk);

    EXPECT_EQ(deleter.registry->DeleteTree(s.key(), "Tree"), kRegOk);
    EXPECT_FALSE(s.KeyOpens("Tree"));
    EXPECT_EQ(Join(SubKeyNames(s.reg(), s.key())), std::string("Treetop"));
  }
}

TEST(Registry, DeleteTreeWithoutASubKeyEmptiesTheKey) {
  for (const TreeDeleter& deleter : TreeDeleters()) {
    Scratch s;
    ASSERT_TRUE(s.ok());
    ASSERT_EQ(s.MakeKey("Inside\\Deeper"), kRegOk);
    ASSERT_EQ(s.SetDword("Value", 1), kRegOk);
    ASSERT_EQ(s.SetText("", "default"), kRegOk);
    const char* empties[] = {"", nullptr};
    for (const char* empty : empties) {
      SCOPED_TRACE(std::string(deleter.name) + (empty ? ", empty" : ", null"));
      EXPECT_EQ(deleter.registry->DeleteTree(s.key(), empty), kRegOk);
      std::uint32_t subKeys = 9, values = 9;
      EXPECT_EQ(s.reg().QueryInfoKey(s.key(), &subKeys, nullptr, &values, nullptr, nullptr),
                kRegOk);
      EXPECT_EQ(subKeys, 0u);
      EXPECT_EQ(values, 0u);
      RegKey again = 0;
      EXPECT_EQ(s.reg().OpenKey(kHkeyCurrentUser, kScratch, kKeyAllAccess, &again), kRegOk);
      if (again) s.reg().CloseKey(again);
      ASSERT_EQ(s.MakeKey("Refilled"), kRegOk);
      ASSERT_EQ(s.SetDword("Refilled", 2), kRegOk);
    }
  }
}

TEST(Registry, MissingDataIsRefused) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  EXPECT_EQ(s.reg().SetValue(s.key(), "v", kRegBinary, nullptr, 4), kNoAccess);
  std::uint32_t size = 9;
  EXPECT_EQ(s.reg().QueryValue(s.key(), "v", nullptr, nullptr, &size), kRegFileNotFound);
  // No data with no bytes is an empty value.
  EXPECT_EQ(s.reg().SetValue(s.key(), "v", kRegBinary, nullptr, 0), kRegOk);
  EXPECT_EQ(s.reg().QueryValue(s.key(), "v", nullptr, nullptr, &size), kRegOk);
  EXPECT_EQ(size, 0u);
  // A buffer without its size.
  std::uint8_t b[4];
  EXPECT_EQ(s.reg().QueryValue(s.key(), "v", nullptr, b, nullptr), kRegInvalidParameter);
}

TEST(Registry, HandleToADeletedKeyFailsButCloses) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  ASSERT_EQ(s.MakeKey("Doomed\\Child"), kRegOk);
  RegKey doomed = 0, child = 0;
  ASSERT_EQ(s.reg().OpenKey(s.key(), "Doomed", kKeyAllAccess, &doomed), kRegOk);
  ASSERT_EQ(s.reg().OpenKey(s.key(), "Doomed\\Child", kKeyAllAccess, &child), kRegOk);
  ASSERT_EQ(PutText(s.reg(), doomed, "v", "x"), kRegOk);
  ASSERT_EQ(s.reg().DeleteTree(s.key(), "Doomed"), kRegOk);

  const RegKey handles[] = {doomed, child};
  for (RegKey h : handles) {
    SCOPED_TRACE(h == doomed ? "key" : "child");
    std::uint8_t b[4] = {1, 2, 3, 4};
    std::uint32_t size = 4;
    EXPECT_EQ(s.reg().SetValue(h, "x", kRegBinary, b, 4), kKeyDeleted);
    EXPECT_EQ(s.reg().QueryValue(h, "v", nullptr, b, &size), kKeyDeleted);
    EXPECT_EQ(s.reg().DeleteValue(h, "v"), kKeyDeleted);
    char name[16];
    std::uint32_t n = sizeof name;
    EXPECT_EQ(s.reg().EnumKey(h, 0, name, &n), kKeyDeleted);
    EXPECT_EQ(s.reg().EnumValue(h, 0, name, &n, nullptr, nullptr, nullptr), kKeyDeleted);
    EXPECT_EQ(s.reg().QueryInfoKey(h, nullptr, nullptr, nullptr, nullptr, nullptr), kKeyDeleted);
    RegKey k = 0;
    EXPECT_EQ(s.reg().CreateKey(h, "New", kKeyAllAccess, &k), kKeyDeleted);
    EXPECT_EQ(s.reg().OpenKey(h, "", kKeyAllAccess, &k), kKeyDeleted);
    for (const TreeDeleter& deleter : TreeDeleters()) {
      SCOPED_TRACE(deleter.name);
      EXPECT_EQ(deleter.registry->DeleteTree(h, "Child"), kKeyDeleted);
      EXPECT_EQ(deleter.registry->DeleteTree(h, ""), kKeyDeleted);
    }
    EXPECT_EQ(s.reg().CloseKey(h), kRegOk);
  }
  EXPECT_FALSE(s.KeyOpens("Doomed"));
}

TEST(Registry, ClosingTwiceIsAnInvalidHandle) {
  Scratch s;
  ASSERT_TRUE(s.ok());
  RegKey k = 0;
  ASSERT_EQ(s.reg().CreateKey(s.key(), "Once", kKeyAllAccess, &k), kRegOk);
  EXPECT_EQ(s.reg().CloseKey(k), kRegOk);
  EXPECT_EQ(s.reg().CloseKey(k), kRegInvalidHandle);
}

TEST(Registry, HivesAreAlwaysThere) {
  Registry& reg = ContractRegistry();
  const RegKey hives[] = {kHkeyCurrentUser, kHkeyLocalMachine};
  for (RegKey hive : hives) {
    SCOPED_TRACE(hive == kHkeyCurrentUser ? "HKCU" : "HKLM");
    RegKey again = 0;
    ASSERT_EQ(reg.OpenKey(hive, "", kKeyAllAccess, &again), kRegOk);
    EXPECT_EQ(reg.CloseKey(again), kRegOk);
    EXPECT_EQ(reg.CloseKey(hive), kRegOk);  // closing a hive is allowed and changes nothing
    std::uint32_t subKeys = 0;
    EXPECT_EQ(reg.QueryInfoKey(hive, &subKeys, nullptr, nullptr, nullptr, nullptr), kRegOk);
  }
}
