#include "store/store_machine.h"

#include <cstdio>

#include "fakes/reg_file.h"
#include "store/settings_store.h"
#include <gtest/gtest.h>

#include "support/fixtures.h"

using namespace store_keys;

namespace {

bool Gone(RegResult result) { return result == kRegOk || result == kRegFileNotFound; }

void DeleteValues(Registry& registry, RegKey hive, const char* path,
                  const std::vector<std::string>& names) {
  ScopedKey key(registry);
  if (key.Open(hive, path) != kRegOk) return;
  for (const auto& name : names) {
    if (!Gone(registry.DeleteValue(key.get(), name.c_str()))) {
      ADD_FAILURE() << std::string("cannot delete ") + path + "\\" + name;
    }
  }
}

void DeleteTree(Registry& registry, RegKey hive, const char* path) {
  if (!Gone(registry.DeleteTree(hive, path))) {
    ADD_FAILURE() << std::string("cannot delete key ") + path;
  }
}

// Removes a key the store's fixtures or operations created, unless something else lives there.
void DeleteIfEmpty(Registry& registry, RegKey hive, const char* path) {
  std::uint32_t subKeys = 1, values = 1;
  {
    ScopedKey key(registry);
    if (key.Open(hive, path) != kRegOk) return;
    if (registry.QueryInfoKey(key.get(), &subKeys, nullptr, &values, nullptr, nullptr) != kRegOk)
      return;
  }
  if (subKeys == 0 && values == 0) DeleteTree(registry, hive, path);
}

// Everything the store and its fixtures touch. Keys a fresh prefix has keep their other
// values (Tcpip\Parameters has DataBasePath, Domain and Hostname; Internet Settings has
// "User Agent"; VxD\MSTCP exists empty).
void ClearTouched(Registry& registry) {
  DeleteTree(registry, kHkeyCurrentUser, kBackupKey);
  DeleteIfEmpty(registry, kHkeyCurrentUser, kProgramKey);
  DeleteValues(registry, kHkeyCurrentUser, kInternetSettings, kBrowserValues);
  DeleteValues(registry, kHkeyLocalMachine, kTcpipParameters, kNtValues);
  // Read by nothing, so left alone by the store; cases put it there to see that.
  DeleteValues(registry, kHkeyLocalMachine, kTcpipParameters, {"EnableICMPRedirects"});
  DeleteTree(registry, kHkeyLocalMachine, kInterfaces);
  DeleteValues(registry, kHkeyLocalMachine, kMstcp, k9xValues);
  DeleteTree(registry, kHkeyLocalMachine, kEnumRootNet);
  DeleteTree(registry, kHkeyLocalMachine, "Enum\\Network\\MSTCP");
  DeleteIfEmpty(registry, kHkeyLocalMachine, "Enum\\Root");
  DeleteIfEmpty(registry, kHkeyLocalMachine, "Enum\\Network");
  DeleteIfEmpty(registry, kHkeyLocalMachine, "Enum");
  DeleteTree(registry, kHkeyLocalMachine, kNetTrans);
  DeleteTree(registry, kHkeyLocalMachine, kModemClass9x);
  DeleteIfEmpty(registry, kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\Class");
  DeleteTree(registry, kHkeyLocalMachine, kModemClassNt);
}

std::string Hex(const std::string& bytes) {
  std::string out;
  char buf[4];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, out.empty() ? "%02X" : " %02X", c);
    out += buf;
  }
  return out;
}

bool PlainText(const std::string& bytes) {
  if (bytes.empty() || bytes.back() != '\0') return false;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x20 || c >= 0x7F) return false;
  }
  return true;
}

void SnapshotTree(Registry& registry, RegKey hive, const std::string& path, std::string* out) {
  for (const auto& line : ValuesOf(registry, hive, path)) {
    if (line == kNoKey) return;
    *out += path + "\\" + line + "\n";
  }
  for (const auto& sub : SubKeysOf(registry, hive, path)) {
    SnapshotTree(registry, hive, path + "\\" + sub, out);
  }
}

}  // namespace

Machine::Machine(const std::vector<std::string>& fixtures)
    : reg((StoreBackendReset(), StoreRegistry())) {
  ClearTouched(reg);
  for (const auto& fixture : fixtures) ready = Load(fixture) && ready;
}

Machine::~Machine() { ClearTouched(reg); }

bool Machine::Load(const std::string& fixture) { return LoadFixture(reg, fixture); }

bool LoadFixture(Registry& registry, const std::string& fixture) {
  const RegFileResult result = LoadRegFile(registry, FixturePath(fixture));
  if (!result.ok) {
    ADD_FAILURE() << fixture + ":" + std::to_string(result.line) + ": " + result.message;
  }
  return result.ok;
}

std::string InterfaceKey(const std::string& id) { return std::string(kInterfaces) + "\\" + id; }

std::string TransportKey(const std::string& instance) {
  return std::string(kNetTransClass) + instance;
}

TuningSettings ChosenSettings() {
  TuningSettings s;
  s.pmtuDiscovery = 1;
  s.blackHoleDetect = 1;
  s.icmpRedirects = 0;
  s.mtu = 576;
  s.mss = 536;
  s.receiveWindow = 64320;
  s.ttl = 64;
  s.keepAliveTime = 7200000;
  s.keepAliveInterval = 1000;
  s.synAttackProtect = 2;
  s.maxConnectionsPer1_0Server = 4;
  s.maxConnectionsPerServer = 8;
  return s;
}

bool ReadAndApply(Registry& registry, OsFamily family) {
  WizardModel model;
  ReadCurrentSettings(registry, family, model);
  return ApplySettings(registry, family, 0, ChosenSettings());
}

std::string Typed(std::uint32_t type, const std::string& bytes) {
  const char* name = type == kRegSz       ? "REG_SZ"
                     : type == kRegDword  ? "REG_DWORD"
                     : type == kRegBinary ? "REG_BINARY"
                                          : nullptr;
  std::string out = name ? name : "type " + std::to_string(type);
  if (type == kRegSz && PlainText(bytes)) {
    return out + " \"" + bytes.substr(0, bytes.size() - 1) + "\"";
  }
  return out + " [" + std::to_string(bytes.size()) + "] " + Hex(bytes);
}

std::string Dword(std::uint32_t value) { return Typed(kRegDword, DwordBytes(value)); }

std::string Sz(const std::string& text) { return Typed(kRegSz, text + '\0'); }

std::string ValueAt(Registry& registry, RegKey hive, const std::string& path,
                    const std::string& name) {
  ScopedKey key(registry);
  if (key.Open(hive, path.c_str()) != kRegOk) return kNoKey;
  std::uint32_t type = 0, size = 0;
  RegResult result = registry.QueryValue(key.get(), name.c_str(), &type, nullptr, &size);
  if (result == kRegFileNotFound) return kAbsent;
  std::string bytes(size + 1, '\xEE');
  result = registry.QueryValue(key.get(), name.c_str(), &type,
                               reinterpret_cast<std::uint8_t*>(&bytes[0]), &size);
  if (result != kRegOk) return "error " + std::to_string(result);
  bytes.resize(size);
  return Typed(type, bytes);
}

std::vector<std::string> ValuesOf(Registry& registry, RegKey hive, const std::string& path) {
  ScopedKey key(registry);
  if (key.Open(hive, path.c_str()) != kRegOk) return {kNoKey};
  std::vector<std::string> out;
  for (std::uint32_t index = 0;; ++index) {
    char name[16384];
    std::uint32_t nameSize = sizeof name;
    if (registry.EnumValue(key.get(), index, name, &nameSize, nullptr, nullptr, nullptr) !=
        kRegOk) {
      break;
    }
    out.push_back(std::string(name) + "=" + ValueAt(registry, hive, path, name));
  }
  return out;
}

std::vector<std::string> SubKeysOf(Registry& registry, RegKey hive, const std::string& path) {
  ScopedKey key(registry);
  if (key.Open(hive, path.c_str()) != kRegOk) return {};
  std::vector<std::string> out;
  for (std::uint32_t index = 0;; ++index) {
    char name[512];
    std::uint32_t size = sizeof name;
    if (registry.EnumKey(key.get(), index, name, &size) != kRegOk) break;
    out.push_back(name);
  }
  return out;
}

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : " | ") + item;
  return "{" + out + "}";
}

std::string BackupValues(Registry& registry) {
  return Join(ValuesOf(registry, kHkeyCurrentUser, kBackupKey)) +
         Join(ValuesOf(registry, kHkeyCurrentUser, kBackupMtuSettings)) +
         Join(ValuesOf(registry, kHkeyCurrentUser, kBackupMssSettings));
}

std::string Snapshot(Registry& registry) {
  std::string out;
  for (const std::string& name : kBrowserValues) {
    out += "Internet Settings\\" + name + "=" +
           ValueAt(registry, kHkeyCurrentUser, kInternetSettings, name) + "\n";
  }
  SnapshotTree(registry, kHkeyLocalMachine, kTcpipParameters, &out);
  SnapshotTree(registry, kHkeyLocalMachine, kMstcp, &out);
  SnapshotTree(registry, kHkeyLocalMachine, kNetTrans, &out);
  SnapshotTree(registry, kHkeyLocalMachine, kEnumRootNet, &out);
  SnapshotTree(registry, kHkeyLocalMachine, "Enum\\Network\\MSTCP", &out);
  return out;
}
