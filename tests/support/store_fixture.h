// What the store cases, the store's property test, the recommendation cases and the benchmarks
// build their machines and models from. Header only, so the benchmarks (which do not link the
// test harness) can use it too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "settings/wizard_model.h"
#include "settings/tuning_settings.h"

// Every value the store reads, writes or restores, by key: what the cases expect of it, kept
// apart from the store's own lists.
inline const std::vector<std::string> kBrowserValues = {"MaxConnectionsPer1_0Server",
                                                        "MaxConnectionsPerServer"};
inline const std::vector<std::string> kNtValues = {"SackOpts",
                                                   "Tcp1323Opts",
                                                   "GlobalMaxTcpWindowSize",
                                                   "TcpMaxDupAcks",
                                                   "DefaultTTL",
                                                   "TcpWindowSize",
                                                   "DefaultReceiveWindow",
                                                   "EnablePMTUBHDetect",
                                                   "EnablePMTUDiscovery",
                                                   "KeepAliveTime",
                                                   "KeepAliveInterval",
                                                   "SYNAttackProtect",
                                                   "EnableICMPRedirect"};
inline const std::vector<std::string> k9xValues = {"SackOpts",
                                                   "Tcp1323Opts",
                                                   "DefaultTTL",
                                                   "DefaultRcvWindow",
                                                   "GlobalMaxTcpWindowSize",
                                                   "PMTUBlackHoleDetect",
                                                   "PMTUDiscovery",
                                                   "KeepAliveTime",
                                                   "KeepAliveInterval"};

// Creates the key at `path` when it is missing.
inline bool MakeKey(Registry& registry, RegKey hive, const std::string& path) {
  ScopedKey key(registry);
  return key.Create(hive, path.c_str()) == kRegOk;
}

// Writes one value, creating its key. A byte that is no terminator follows the data, so the
// byte count alone says where a text ends.
inline bool WriteValue(Registry& registry, RegKey hive, const std::string& path,
                       const std::string& name, std::uint32_t type, const std::string& bytes) {
  ScopedKey key(registry);
  if (key.Create(hive, path.c_str()) != kRegOk) return false;
  const std::string stored = bytes + 'X';
  return registry.SetValue(key.get(), name.c_str(), type,
                           reinterpret_cast<const std::uint8_t*>(stored.data()),
                           static_cast<std::uint32_t>(bytes.size())) == kRegOk;
}

// The four bytes of a REG_DWORD, least significant first.
inline std::string DwordBytes(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}
