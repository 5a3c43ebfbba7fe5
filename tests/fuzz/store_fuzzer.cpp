// The store on machines made from fuzzed .reg text: Read, Finish and Reset, in either family
// (9x also storing texts as Windows 95/98/Me do), with one registry call anywhere refused or
// none. Afterwards no key is open and the backup put back exactly what was there, or the user
// was told that it was not saved.
//
// Input: byte 0 picks the family (bit 0), 9x text storage (bit 1) and the refused operation
// (bits 2-5, 0 for none); byte 1 how many such calls go through first; the rest is the text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fakes/memory_registry.h"
#include "fakes/reg_file.h"
#include "support/round_trip_check.h"

namespace {

// What Windows 95/98/Me could have stored: every REG_SZ up to its first NUL, with that NUL.
void CutTextsAtTheirEnd(Registry& registry, RegKey key) {
  std::vector<std::string> subKeys;
  char name[1024];
  std::vector<std::uint8_t> bytes(1 << 16);
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t nameSize = sizeof name, type = 0;
    std::uint32_t dataSize = static_cast<std::uint32_t>(bytes.size()) - 1;
    const RegResult result =
        registry.EnumValue(key, i, name, &nameSize, &type, bytes.data(), &dataSize);
    if (result == kRegNoMoreItems) break;
    if (result != kRegOk || type != kRegSz) continue;
    bytes[dataSize] = 0;
    std::uint32_t length = 0;
    while (bytes[length] != 0) ++length;
    if (length + 1 != dataSize) registry.SetValue(key, name, kRegSz, bytes.data(), length + 1);
  }
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t size = sizeof name;
    if (registry.EnumKey(key, i, name, &size) != kRegOk) break;
    subKeys.push_back(name);
  }
  for (const std::string& sub : subKeys) {
    RegKey child = 0;
    if (registry.OpenKey(key, sub.c_str(), kKeyAllAccess, &child) != kRegOk) continue;
    CutTextsAtTheirEnd(registry, child);
    registry.CloseKey(child);
  }
}

TuningSettings Chosen(std::uint8_t seed) {
  TuningSettings s;
  s.pmtuDiscovery = seed & 1;
  s.blackHoleDetect = (seed >> 1) & 1;
  s.icmpRedirects = (seed >> 2) & 1;
  s.mtu = 576 + seed;
  s.mss = 536 + seed;
  s.receiveWindow = 64320u * (seed + 1u);
  s.ttl = seed;
  s.keepAliveTime = 7200000;
  s.keepAliveInterval = 1000;
  s.synAttackProtect = seed % 3;
  s.maxConnectionsPer1_0Server = 4;
  s.maxConnectionsPerServer = 0xFFFFFFFFu - seed;
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const OsFamily family = (data[0] & 1) ? kOsFamilyNt : kOsFamily9x;
  const bool win9xStrings = family == kOsFamily9x && (data[0] & 2) != 0;
  const int op = (data[0] >> 2) & 15;
  MemoryRegistry machine;
  if (!LoadRegText(machine, std::string(reinterpret_cast<const char*>(data + 2), size - 2)).ok) {
    return 0;
  }
  if (win9xStrings) {
    CutTextsAtTheirEnd(machine, kHkeyCurrentUser);
    CutTextsAtTheirEnd(machine, kHkeyLocalMachine);
    machine.SetWin9xStrings(true);
  }
  RegFault fault;
  fault.op = static_cast<RegOp>(op);
  fault.skip = data[1];
  const bool faulty = op >= static_cast<int>(RegOp::kOpen) && op <= static_cast<int>(RegOp::kClose);
  const std::string problem = CheckRoundTrip(machine, family, Chosen(data[1]),
                                             faulty ? &fault : nullptr, fault.op != RegOp::kClose);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
