// What the in-memory registry offers tests beyond the registry calls: failures on demand, open
// handle counts, dumps and copies. (How it answers the calls is checked by the contract suite.)
#include <string>

#include "fakes/memory_registry.h"
#include <gtest/gtest.h>

namespace {

RegResult SetDword(Registry& reg, RegKey hive, const char* path, const char* name) {
  ScopedKey key(reg);
  const RegResult rc = key.Create(hive, path);
  if (rc != kRegOk) return rc;
  const std::uint8_t one[4] = {1, 0, 0, 0};
  return reg.SetValue(key.get(), name, kRegDword, one, 4);
}

}  // namespace

TEST(MemoryRegistry, CountsOpenHandles) {
  MemoryRegistry reg;
  EXPECT_EQ(reg.OpenHandleCount(), 0);
  RegKey a = 0, b = 0, c = 0;
  ASSERT_EQ(reg.CreateKey(kHkeyCurrentUser, "A\\B", kKeyAllAccess, &a), kRegOk);
  ASSERT_EQ(reg.OpenKey(kHkeyCurrentUser, "A", kKeyAllAccess, &b), kRegOk);
  ASSERT_EQ(reg.OpenKey(a, "", kKeyAllAccess, &c), kRegOk);
  EXPECT_EQ(reg.OpenHandleCount(), 3);
  RegKey missing = 0;
  EXPECT_EQ(reg.OpenKey(kHkeyCurrentUser, "Nope", kKeyAllAccess, &missing), kRegFileNotFound);
  EXPECT_EQ(missing, 0u);
  EXPECT_EQ(reg.OpenHandleCount(), 3);
  EXPECT_EQ(reg.CloseKey(kHkeyLocalMachine), kRegOk);  // hives are not counted
  EXPECT_EQ(reg.CloseKey(b), kRegOk);
  // A handle on a deleted key stays open until closed.
  ASSERT_EQ(reg.DeleteTree(kHkeyCurrentUser, "A"), kRegOk);
  EXPECT_EQ(reg.OpenHandleCount(), 2);
  EXPECT_EQ(reg.CloseKey(a), kRegOk);
  EXPECT_EQ(reg.CloseKey(c), kRegOk);
  EXPECT_EQ(reg.OpenHandleCount(), 0);
  EXPECT_EQ(reg.CloseKey(0), kRegInvalidHandle);
}

TEST(MemoryRegistry, FaultsHitTheCallsTheyDescribe) {
  struct Row {
    const char* label;
    RegFault fault;
    // Results of four sets in order: HKCU\Soft\Parameters "MTU", HKLM\Sys\Parameters "MTU",
    // HKLM\Sys\Parameters "TTL", HKLM\Sys\Other "MTU".
    RegResult expected[4];
  } rows[] = {
      {"every set under HKLM",
       {RegOp::kSet, "HKEY_LOCAL_MACHINE\\*", "*", kRegAccessDenied, 0, -1},
       {kRegOk, kRegAccessDenied, kRegAccessDenied, kRegAccessDenied}},
      {"the third set",
       {RegOp::kSet, "*", "*", kRegAccessDenied, 2, 1},
       {kRegOk, kRegOk, kRegAccessDenied, kRegOk}},
      {"keys named Parameters, without case",
       {RegOp::kSet, "*\\PARAMETERS", "*", 1018, 0, -1},
       {1018, 1018, 1018, kRegOk}},
      {"one value name",
       {RegOp::kSet, "*", "mtu", kRegAccessDenied, 0, 2},
       {kRegAccessDenied, kRegAccessDenied, kRegOk, kRegOk}},
      {"any call on one key",
       {RegOp::kAny, "HKEY_LOCAL_MACHINE\\Sys\\Other", "*", kRegAccessDenied, 0, 1},
       {kRegOk, kRegOk, kRegOk, kRegAccessDenied}},  // the create fails
      {"queries only",
       {RegOp::kQuery, "*", "*", kRegAccessDenied, 0, -1},
       {kRegOk, kRegOk, kRegOk, kRegOk}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    MemoryRegistry reg;
    reg.AddFault(row.fault);
    EXPECT_EQ(SetDword(reg, kHkeyCurrentUser, "Soft\\Parameters", "MTU"), row.expected[0]);
    EXPECT_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\Parameters", "MTU"), row.expected[1]);
    EXPECT_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\Parameters", "TTL"), row.expected[2]);
    EXPECT_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\Other", "MTU"), row.expected[3]);
    EXPECT_EQ(reg.OpenHandleCount(), 0);
  }
}

TEST(MemoryRegistry, FailedCallsChangeNothing) {
  MemoryRegistry reg;
  ASSERT_EQ(SetDword(reg, kHkeyLocalMachine, "Sys", "Kept"), kRegOk);
  const std::string before = reg.Dump();
  reg.FailNext(RegOp::kDeleteTree, "", kRegAccessDenied, -1);
  reg.FailNext(RegOp::kDeleteValue, "", kRegAccessDenied, -1);
  reg.FailNext(RegOp::kCreate, "*\\New", kRegAccessDenied, -1);
  EXPECT_EQ(reg.DeleteTree(kHkeyLocalMachine, "Sys"), kRegAccessDenied);
  ScopedKey key(reg);
  ASSERT_EQ(key.Open(kHkeyLocalMachine, "Sys"), kRegOk);
  EXPECT_EQ(reg.DeleteValue(key.get(), "Kept"), kRegAccessDenied);
  RegKey created = 0;
  EXPECT_EQ(reg.CreateKey(key.get(), "New", kKeyAllAccess, &created), kRegAccessDenied);
  EXPECT_EQ(created, 0u);
  EXPECT_EQ(reg.Dump(), before);
  reg.ClearFaults();
  EXPECT_EQ(reg.DeleteValue(key.get(), "Kept"), kRegOk);
}

TEST(MemoryRegistry, FailNextCountsDown) {
  MemoryRegistry reg;
  reg.FailNext(RegOp::kOpen, "*\\Missing", kRegAccessDenied, 2);
  RegKey k = 0;
  EXPECT_EQ(reg.OpenKey(kHkeyCurrentUser, "Missing", kKeyAllAccess, &k), kRegAccessDenied);
  EXPECT_EQ(reg.OpenKey(kHkeyCurrentUser, "Other", kKeyAllAccess, &k), kRegFileNotFound);
  EXPECT_EQ(reg.OpenKey(kHkeyCurrentUser, "missing", kKeyAllAccess, &k), kRegAccessDenied);
  EXPECT_EQ(reg.OpenKey(kHkeyCurrentUser, "Missing", kKeyAllAccess, &k), kRegFileNotFound);
  EXPECT_EQ(reg.CallCount(RegOp::kOpen), 4);
  EXPECT_EQ(reg.CallCount(RegOp::kSet), 0);
  EXPECT_EQ(reg.CallCount(RegOp::kAny), 4);
}

TEST(MemoryRegistry, DumpIsSortedAndCopiesAreIndependent) {
  MemoryRegistry reg;
  ASSERT_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\b", "z"), kRegOk);
  ASSERT_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\B\\C", "y"), kRegOk);
  ASSERT_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\a", "x"), kRegOk);
  ASSERT_EQ(SetDword(reg, kHkeyCurrentUser, "", "Root"), kRegOk);
  const std::string expected =
      "REGEDIT4\r\n"
      "\r\n[HKEY_CURRENT_USER]\r\n\"Root\"=dword:00000001\r\n"
      "\r\n[HKEY_LOCAL_MACHINE\\Sys]\r\n"
      "\r\n[HKEY_LOCAL_MACHINE\\Sys\\a]\r\n\"x\"=dword:00000001\r\n"
      "\r\n[HKEY_LOCAL_MACHINE\\Sys\\b]\r\n\"z\"=dword:00000001\r\n"
      "\r\n[HKEY_LOCAL_MACHINE\\Sys\\b\\C]\r\n\"y\"=dword:00000001\r\n";
  EXPECT_EQ(reg.Dump(), expected);

  reg.FailNext(RegOp::kSet, "", kRegAccessDenied, -1);
  RegKey open = 0;
  ASSERT_EQ(reg.OpenKey(kHkeyLocalMachine, "Sys", kKeyAllAccess, &open), kRegOk);
  MemoryRegistry copy = reg.Copy();
  EXPECT_EQ(copy.Dump(), expected);
  EXPECT_EQ(copy.OpenHandleCount(), 0);
  EXPECT_EQ(copy.CallCount(RegOp::kAny), 0);
  EXPECT_EQ(SetDword(copy, kHkeyLocalMachine, "Sys\\a", "new"), kRegOk);  // no faults copied
  EXPECT_EQ(copy.DeleteTree(kHkeyLocalMachine, "Sys\\b"), kRegOk);
  EXPECT_EQ(reg.Dump(), expected);
  EXPECT_TRUE(copy.KeyExists("hkey_local_machine\\SYS\\A"));
  EXPECT_FALSE(copy.KeyExists("HKEY_LOCAL_MACHINE\\Sys\\b"));
  EXPECT_TRUE(reg.KeyExists("HKEY_LOCAL_MACHINE\\Sys\\b\\C"));
  EXPECT_TRUE(reg.KeyExists("HKEY_CURRENT_USER"));
  EXPECT_FALSE(reg.KeyExists("HKEY_USERS"));
  EXPECT_FALSE(reg.KeyExists(""));
  EXPECT_EQ(reg.CloseKey(open), kRegOk);

  // A moved-from registry's replacement keeps working.
  MemoryRegistry moved = std::move(copy);
  EXPECT_TRUE(moved.KeyExists("HKEY_LOCAL_MACHINE\\Sys\\a"));
}

TEST(MemoryRegistry, Win9xStringsStopAtTheTerminator) {
  const char text[] = "hello\0tail";
  struct Row {
    bool win9x;
    std::uint32_t count;
    std::uint32_t stored;
  } rows[] = {{false, 2, 2}, {false, 11, 11}, {false, 0, 0},
              {true, 2, 6},  {true, 11, 6},   {true, 0, 6}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.win9x ? "9x " : "NT ") + std::to_string(row.count));
    MemoryRegistry reg;
    reg.SetWin9xStrings(row.win9x);
    ScopedKey key(reg);
    ASSERT_EQ(key.Create(kHkeyCurrentUser, "T"), kRegOk);
    ASSERT_EQ(reg.SetValue(key.get(), "s", kRegSz, reinterpret_cast<const std::uint8_t*>(text),
                           row.count),
              kRegOk);
    std::uint32_t size = 0;
    EXPECT_EQ(reg.QueryValue(key.get(), "s", nullptr, nullptr, &size), kRegOk);
    EXPECT_EQ(size, row.stored);
    // Binary values keep their count on both.
    ASSERT_EQ(reg.SetValue(key.get(), "b", kRegBinary, reinterpret_cast<const std::uint8_t*>(text),
                           row.count),
              kRegOk);
    EXPECT_EQ(reg.QueryValue(key.get(), "b", nullptr, nullptr, &size), kRegOk);
    EXPECT_EQ(size, row.count);
  }
}

TEST(MemoryRegistry, BadArgumentsAreRefused) {
  MemoryRegistry reg;
  ScopedKey key(reg);
  ASSERT_EQ(key.Create(kHkeyCurrentUser, "T"), kRegOk);
  const std::uint8_t b[4] = {1, 2, 3, 4};
  ASSERT_EQ(reg.SetValue(key.get(), "v", kRegBinary, b, 4), kRegOk);
  std::uint8_t out[4];
  char name[8];
  EXPECT_EQ(reg.QueryValue(key.get(), "v", nullptr, out, nullptr), kRegInvalidParameter);
  EXPECT_EQ(reg.EnumKey(key.get(), 0, name, nullptr), kRegInvalidParameter);
  EXPECT_EQ(reg.EnumValue(key.get(), 0, name, nullptr, nullptr, nullptr, nullptr),
            kRegInvalidParameter);
  EXPECT_EQ(reg.OpenKey(key.get(), "", kKeyAllAccess, nullptr), kRegInvalidParameter);
  EXPECT_EQ(reg.OpenKey(0x4321, "x", kKeyAllAccess, nullptr), kRegInvalidParameter);
  RegKey k = 0;
  EXPECT_EQ(reg.OpenKey(0x4321, "x", kKeyAllAccess, &k), kRegInvalidHandle);
  EXPECT_EQ(reg.CreateKey(key.get(), std::string(256, 'n').c_str(), kKeyAllAccess, &k),
            kRegInvalidParameter);
  EXPECT_EQ(reg.OpenHandleCount(), 1);
}
