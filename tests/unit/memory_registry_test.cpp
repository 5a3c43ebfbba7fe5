// What the in-memory registry offers tests beyond the registry calls: failures on demand, open
// handle counts, dumps and copies. (How it answers the calls is checked by the contract suite.)
#include <string>

#include "fakes/memory_registry.h"
#include "support/check.h"

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
  CHECK_EQ(reg.OpenHandleCount(), 0);
  RegKey a = 0, b = 0, c = 0;
  REQUIRE_EQ(reg.CreateKey(kHkeyCurrentUser, "A\\B", kKeyAllAccess, &a), kRegOk);
  REQUIRE_EQ(reg.OpenKey(kHkeyCurrentUser, "A", kKeyAllAccess, &b), kRegOk);
  REQUIRE_EQ(reg.OpenKey(a, "", kKeyAllAccess, &c), kRegOk);
  CHECK_EQ(reg.OpenHandleCount(), 3);
  RegKey missing = 0;
  CHECK_EQ(reg.OpenKey(kHkeyCurrentUser, "Nope", kKeyAllAccess, &missing), kRegFileNotFound);
  CHECK_EQ(missing, 0u);
  CHECK_EQ(reg.OpenHandleCount(), 3);
  CHECK_EQ(reg.CloseKey(kHkeyLocalMachine), kRegOk);  // hives are not counted
  CHECK_EQ(reg.CloseKey(b), kRegOk);
  // A handle on a deleted key stays open until closed.
  REQUIRE_EQ(reg.DeleteTree(kHkeyCurrentUser, "A"), kRegOk);
  CHECK_EQ(reg.OpenHandleCount(), 2);
  CHECK_EQ(reg.CloseKey(a), kRegOk);
  CHECK_EQ(reg.CloseKey(c), kRegOk);
  CHECK_EQ(reg.OpenHandleCount(), 0);
  CHECK_EQ(reg.CloseKey(0), kRegInvalidHandle);
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
    check::Scope scope(row.label);
    MemoryRegistry reg;
    reg.AddFault(row.fault);
    CHECK_EQ(SetDword(reg, kHkeyCurrentUser, "Soft\\Parameters", "MTU"), row.expected[0]);
    CHECK_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\Parameters", "MTU"), row.expected[1]);
    CHECK_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\Parameters", "TTL"), row.expected[2]);
    CHECK_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\Other", "MTU"), row.expected[3]);
    CHECK_EQ(reg.OpenHandleCount(), 0);
  }
}

TEST(MemoryRegistry, FailedCallsChangeNothing) {
  MemoryRegistry reg;
  REQUIRE_EQ(SetDword(reg, kHkeyLocalMachine, "Sys", "Kept"), kRegOk);
  const std::string before = reg.Dump();
  reg.FailNext(RegOp::kDeleteTree, "", kRegAccessDenied, -1);
  reg.FailNext(RegOp::kDeleteValue, "", kRegAccessDenied, -1);
  reg.FailNext(RegOp::kCreate, "*\\New", kRegAccessDenied, -1);
  CHECK_EQ(reg.DeleteTree(kHkeyLocalMachine, "Sys"), kRegAccessDenied);
  ScopedKey key(reg);
  REQUIRE_EQ(key.Open(kHkeyLocalMachine, "Sys"), kRegOk);
  CHECK_EQ(reg.DeleteValue(key.get(), "Kept"), kRegAccessDenied);
  RegKey created = 0;
  CHECK_EQ(reg.CreateKey(key.get(), "New", kKeyAllAccess, &created), kRegAccessDenied);
  CHECK_EQ(created, 0u);
  CHECK_EQ(reg.Dump(), before);
  reg.ClearFaults();
  CHECK_EQ(reg.DeleteValue(key.get(), "Kept"), kRegOk);
}

TEST(MemoryRegistry, FailNextCountsDown) {
  MemoryRegistry reg;
  reg.FailNext(RegOp::kOpen, "*\\Missing", kRegAccessDenied, 2);
  RegKey k = 0;
  CHECK_EQ(reg.OpenKey(kHkeyCurrentUser, "Missing", kKeyAllAccess, &k), kRegAccessDenied);
  CHECK_EQ(reg.OpenKey(kHkeyCurrentUser, "Other", kKeyAllAccess, &k), kRegFileNotFound);
  CHECK_EQ(reg.OpenKey(kHkeyCurrentUser, "missing", kKeyAllAccess, &k), kRegAccessDenied);
  CHECK_EQ(reg.OpenKey(kHkeyCurrentUser, "Missing", kKeyAllAccess, &k), kRegFileNotFound);
  CHECK_EQ(reg.CallCount(RegOp::kOpen), 4);
  CHECK_EQ(reg.CallCount(RegOp::kSet), 0);
  CHECK_EQ(reg.CallCount(RegOp::kAny), 4);
}

TEST(MemoryRegistry, DumpIsSortedAndCopiesAreIndependent) {
  MemoryRegistry reg;
  REQUIRE_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\b", "z"), kRegOk);
  REQUIRE_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\B\\C", "y"), kRegOk);
  REQUIRE_EQ(SetDword(reg, kHkeyLocalMachine, "Sys\\a", "x"), kRegOk);
  REQUIRE_EQ(SetDword(reg, kHkeyCurrentUser, "", "Root"), kRegOk);
  const std::string expected =
      "REGEDIT4\r\n"
      "\r\n[HKEY_CURRENT_USER]\r\n\"Root\"=dword:00000001\r\n"
      "\r\n[HKEY_LOCAL_MACHINE\\Sys]\r\n"
      "\r\n[HKEY_LOCAL_MACHINE\\Sys\\a]\r\n\"x\"=dword:00000001\r\n"
      "\r\n[HKEY_LOCAL_MACHINE\\Sys\\b]\r\n\"z\"=dword:00000001\r\n"
      "\r\n[HKEY_LOCAL_MACHINE\\Sys\\b\\C]\r\n\"y\"=dword:00000001\r\n";
  CHECK_EQ(reg.Dump(), expected);

  reg.FailNext(RegOp::kSet, "", kRegAccessDenied, -1);
  RegKey open = 0;
  REQUIRE_EQ(reg.OpenKey(kHkeyLocalMachine, "Sys", kKeyAllAccess, &open), kRegOk);
  MemoryRegistry copy = reg.Copy();
  CHECK_EQ(copy.Dump(), expected);
  CHECK_EQ(copy.OpenHandleCount(), 0);
  CHECK_EQ(copy.CallCount(RegOp::kAny), 0);
  CHECK_EQ(SetDword(copy, kHkeyLocalMachine, "Sys\\a", "new"), kRegOk);  // no faults copied
  CHECK_EQ(copy.DeleteTree(kHkeyLocalMachine, "Sys\\b"), kRegOk);
  CHECK_EQ(reg.Dump(), expected);
  CHECK(copy.KeyExists("hkey_local_machine\\SYS\\A"));
  CHECK(!copy.KeyExists("HKEY_LOCAL_MACHINE\\Sys\\b"));
  CHECK(reg.KeyExists("HKEY_LOCAL_MACHINE\\Sys\\b\\C"));
  CHECK(reg.KeyExists("HKEY_CURRENT_USER"));
  CHECK(!reg.KeyExists("HKEY_USERS"));
  CHECK(!reg.KeyExists(""));
  CHECK_EQ(reg.CloseKey(open), kRegOk);

  // A moved-from registry's replacement keeps working.
  MemoryRegistry moved = std::move(copy);
  CHECK(moved.KeyExists("HKEY_LOCAL_MACHINE\\Sys\\a"));
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
    check::Scope scope(std::string(row.win9x ? "9x " : "NT ") + std::to_string(row.count));
    MemoryRegistry reg;
    reg.SetWin9xStrings(row.win9x);
    ScopedKey key(reg);
    REQUIRE_EQ(key.Create(kHkeyCurrentUser, "T"), kRegOk);
    REQUIRE_EQ(reg.SetValue(key.get(), "s", kRegSz, reinterpret_cast<const std::uint8_t*>(text),
                            row.count),
               kRegOk);
    std::uint32_t size = 0;
    CHECK_EQ(reg.QueryValue(key.get(), "s", nullptr, nullptr, &size), kRegOk);
    CHECK_EQ(size, row.stored);
    // Binary values keep their count on both.
    REQUIRE_EQ(reg.SetValue(key.get(), "b", kRegBinary, reinterpret_cast<const std::uint8_t*>(text),
                            row.count),
               kRegOk);
    CHECK_EQ(reg.QueryValue(key.get(), "b", nullptr, nullptr, &size), kRegOk);
    CHECK_EQ(size, row.count);
  }
}

TEST(MemoryRegistry, BadArgumentsAreRefused) {
  MemoryRegistry reg;
  ScopedKey key(reg);
  REQUIRE_EQ(key.Create(kHkeyCurrentUser, "T"), kRegOk);
  const std::uint8_t b[4] = {1, 2, 3, 4};
  REQUIRE_EQ(reg.SetValue(key.get(), "v", kRegBinary, b, 4), kRegOk);
  std::uint8_t out[4];
  char name[8];
  CHECK_EQ(reg.QueryValue(key.get(), "v", nullptr, out, nullptr), kRegInvalidParameter);
  CHECK_EQ(reg.EnumKey(key.get(), 0, name, nullptr), kRegInvalidParameter);
  CHECK_EQ(reg.EnumValue(key.get(), 0, name, nullptr, nullptr, nullptr, nullptr),
           kRegInvalidParameter);
  CHECK_EQ(reg.OpenKey(key.get(), "", kKeyAllAccess, nullptr), kRegInvalidParameter);
  CHECK_EQ(reg.OpenKey(0x4321, "x", kKeyAllAccess, nullptr), kRegInvalidParameter);
  RegKey k = 0;
  CHECK_EQ(reg.OpenKey(0x4321, "x", kKeyAllAccess, &k), kRegInvalidHandle);
  CHECK_EQ(reg.CreateKey(key.get(), std::string(256, 'n').c_str(), kKeyAllAccess, &k),
           kRegInvalidParameter);
  CHECK_EQ(reg.OpenHandleCount(), 1);
}
