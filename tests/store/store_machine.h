// The machine a store case runs on. Natively every case gets a fresh in-memory registry that
// holds what a fresh Wine prefix holds; under Wine the cases share the prefix's real registry,
// so every key and value the store touches is cleared before and after each case.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "settings/page_members.h"
#include "settings/tuning_settings.h"

// Bound by tests/store/native or tests/store/win32.
Registry& StoreRegistry();
bool StoreRegistryIsReal();
// Handles the store left open; -1 where the backend cannot count them.
int StoreOpenHandles();
// Natively: starts the next case on a fresh registry. Nothing under Wine.
void StoreBackendReset();

constexpr const char* kBackup = "Software\\Ovik Quarnel\\Original Settings";
constexpr const char* kBackupMtu = "Software\\Ovik Quarnel\\Original Settings\\MTU Settings";
constexpr const char* kBackupMss = "Software\\Ovik Quarnel\\Original Settings\\MSS Settings";
constexpr const char* kInternet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kTcpip = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr const char* kInterfacesPath =
    "System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
constexpr const char* kMstcpPath = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr const char* kNetTrans = "System\\CurrentControlSet\\Services\\Class\\NetTrans";
constexpr const char* kModem9x = "System\\CurrentControlSet\\Services\\Class\\Modem";
constexpr const char* kModemNt =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";

// Every TCP/IP value the store reads, writes or restores, by family.
extern const std::vector<std::string> kNtValues;
extern const std::vector<std::string> k9xValues;

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

// The page members and the record, as the wizard holds them.
struct Model {
  TuningSettings settings;
  MtuPageMembers mtu;
  PathMtuPageMembers pathMtu;
  ReceiveWindowPageMembers receiveWindow;
  TtlPageMembers ttl;
  KeepAlivePageMembers keepAlive;
  SynAttackPageMembers synAttack;
  IcmpRedirectPageMembers icmpRedirect;
  WizardModel view{settings, mtu, pathMtu, receiveWindow, ttl, keepAlive, synAttack, icmpRedirect};
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

// Every value the store may touch, for "left exactly as it was" comparisons (the modem
// capability records aside).
std::string Snapshot(Registry& registry);

bool WriteValue(Registry& registry, RegKey hive, const std::string& path, const std::string& name,
                std::uint32_t type, const std::string& bytes);

// Every key the store opened is closed again (natively; the real registry cannot tell).
#define CHECK_ALL_KEYS_CLOSED()                         \
  do {                                                  \
    const int open_handles_ = StoreOpenHandles();       \
    if (open_handles_ >= 0) CHECK_EQ(open_handles_, 0); \
  } while (0)
