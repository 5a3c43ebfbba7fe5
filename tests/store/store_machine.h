// The machine a store case runs on. Natively every case gets a fresh in-memory registry that
// holds what a fresh Wine prefix holds; under Wine the cases share the prefix's real registry,
// so every key and value the store touches is cleared before and after each case.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/wizard_app.h"
#include "platform/registry.h"
#include "settings/tuning_settings.h"
#include "store/store_keys.h"
#include "support/store_fixture.h"

// Bound by tests/store/native or tests/store/win32.
Registry& StoreRegistry();
bool StoreRegistryIsReal();
// Handles the store left open; -1 where the backend cannot count them.
int StoreOpenHandles();
// Natively: starts the next case on a fresh registry. Nothing under Wine.
void StoreBackendReset();
// Whether the registry now stores a REG_SZ the way Windows 95/98/Me do (up to its first NUL,
// whatever the byte count says). Natively this switches the case's registry to it; under Wine
// it holds when the test program runs as a 9x version.
bool StoreUseWin9xStrings();

// The 9x transport class key itself (the store keeps only the prefix of its instances).
constexpr const char* kNetTrans = "System\\CurrentControlSet\\Services\\Class\\NetTrans";

// An NT interface of the fixtures, and one 9x transport instance, by name.
std::string InterfaceKey(const std::string& id);
std::string TransportKey(const std::string& instance);

// What Finish writes in the cases that only need it to write something of everything.
TuningSettings ChosenSettings();
// A run of the wizard up to Finish: the read (which replaces the backup), then ChosenSettings()
// written. Whether every write went through.
bool ReadAndApply(Registry& registry, OsFamily family);

// Loads tests/fixtures/<fixture> into `registry`; a fixture that does not load fails the case.
bool LoadFixture(Registry& registry, const std::string& fixture);

// Clears what the store touches, then loads tests/fixtures/<name> in order; clears again when
// the case ends.
class Machine {
 public:
  explicit Machine(const std::vector<std::string>& fixtures = {});
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // Loads one more fixture (for changes between two operations).
  bool Load(const std::string& fixture);
  Registry& reg;
  bool ready = true;
};

// A value as text for comparisons: "absent", "no key", "REG_DWORD 80 00 00 00", "REG_SZ "64""
// (the quoted form only for a plain text with one terminator at its end).
std::string ValueAt(Registry& registry, RegKey hive, const std::string& path,
                    const std::string& name);
std::string Dword(std::uint32_t value);
std::string Sz(const std::string& text);  // with its terminator
std::string Typed(std::uint32_t type, const std::string& bytes);
constexpr const char* kAbsent = "absent";
constexpr const char* kNoKey = "no key";

// Every value of a key as "name=<ValueAt form>", in enumeration order; {"no key"} when it does
// not open.
std::vector<std::string> ValuesOf(Registry& registry, RegKey hive, const std::string& path);
std::vector<std::string> SubKeysOf(Registry& registry, RegKey hive, const std::string& path);
std::string Join(const std::vector<std::string>& items);

// The backup's values and its adapter sub-keys' values, for "left as it was" comparisons.
std::string BackupValues(Registry& registry);

// Every value the store may touch, for "left exactly as it was" comparisons (the modem
// capability records aside).
std::string Snapshot(Registry& registry);

// Every key the store opened is closed again (natively; the real registry cannot tell).
#define CHECK_ALL_KEYS_CLOSED()                   \
  do {                                            \
    const int open_handles_ = StoreOpenHandles(); \
    if (open_handles_ >= 0) {                     \
      EXPECT_EQ(open_handles_, 0);                \
    }                                             \
  } while (0)
