// Read + apply + restore on the in-memory registry: the NT family with many interfaces (the
// cost must grow linearly with them) and the 9x dial-up adapter chain.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "platform/portable/memory_registry.h"
#include "settings/page_members.h"
#include "store/settings_store.h"

namespace {

void Put(MemoryRegistry& registry, RegKey hive, const std::string& path, const char* name,
         std::uint32_t type, const std::string& bytes) {
  RegKey key = 0;
  if (registry.CreateKey(hive, path.c_str(), kKeyAllAccess, &key) != kRegOk) return;
  registry.SetValue(key, name, type, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                    static_cast<std::uint32_t>(bytes.size()));
  registry.CloseKey(key);
}

std::string Dword(std::uint32_t v) {
  return std::string{static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
                     static_cast<char>(v >> 24)};
}

const char* const kBrowser = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

void NtMachine(MemoryRegistry& registry, int interfaces) {
  const std::string tcpip = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
  Put(registry, kHkeyCurrentUser, kBrowser, "MaxConnectionsPerServer", kRegDword, Dword(2));
  for (const char* name : {"DefaultTTL", "TcpWindowSize", "KeepAliveTime", "SackOpts"}) {
    Put(registry, kHkeyLocalMachine, tcpip, name, kRegDword, Dword(128));
  }
  for (int i = 0; i < interfaces; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "{%08X-1111-4000-8000-%012d}",
                  static_cast<unsigned>(i * 2654435761u), i);
    const std::string key = tcpip + "\\Interfaces\\" + name;
    Put(registry, kHkeyLocalMachine, key, "EnableDHCP", kRegDword, Dword(1));
    if (i % 2 == 0) Put(registry, kHkeyLocalMachine, key, "MTU", kRegDword, Dword(1500));
    if (i % 3 == 0) Put(registry, kHkeyLocalMachine, key, "MSS", kRegDword, Dword(1460));
  }
}

void Win9xMachine(MemoryRegistry& registry) {
  Put(registry, kHkeyLocalMachine, "Enum\\Root\\Net\\0000", "DeviceDesc", kRegSz,
      std::string("NE2000 Compatible\0", 18));
  Put(registry, kHkeyLocalMachine, "Enum\\Root\\Net\\0001", "DeviceDesc", kRegSz,
      std::string("Dial-Up Adapter\0", 16));
  Put(registry, kHkeyLocalMachine, "Enum\\Root\\Net\\0001\\Bindings", "NETBEUI\\0000", kRegSz,
      std::string(1, '\0'));
  Put(registry, kHkeyLocalMachine, "Enum\\Root\\Net\\0001\\Bindings", "MSTCP\\0001", kRegSz,
      std::string(1, '\0'));
  Put(registry, kHkeyLocalMachine, "Enum\\Network\\MSTCP\\0001", "Driver", kRegSz,
      std::string("NetTrans\\0003\0", 14));
  const std::string transport = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0003";
  Put(registry, kHkeyLocalMachine, transport, "MaxMTU", kRegSz, std::string("1500\0", 5));
  Put(registry, kHkeyLocalMachine, transport, "MaxMSS", kRegSz, std::string("1460\0", 5));
  for (const char* name : {"DefaultTTL", "DefaultRcvWindow", "KeepAliveTime", "SackOpts"}) {
    Put(registry, kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\VxD\\MSTCP", name,
        kRegSz, std::string("128\0", 4));
  }
}

struct Pages {
  TuningSettings settings;
  MtuPageMembers mtu;
  PathMtuPageMembers pathMtu;
  ReceiveWindowPageMembers receiveWindow;
  TtlPageMembers ttl;
  KeepAlivePageMembers keepAlive;
  SynAttackPageMembers synAttack;
  IcmpRedirectPageMembers icmpRedirect;
  WizardModel model{settings, mtu, pathMtu, receiveWindow, ttl, keepAlive, synAttack, icmpRedirect};
};

void RoundTrip(benchmark::State& state, MemoryRegistry& registry, OsFamily family) {
  TuningSettings chosen;
  chosen.mtu = 576;
  chosen.mss = 536;
  chosen.ttl = 64;
  for (auto _ : state) {
    Pages pages;
    ReadCurrentSettings(registry, family, pages.model);
    bool ok = ApplySettings(registry, family, 0, chosen);
    ok = RestoreBackup(registry, family) == RestoreOutcome::kRestored && ok;
    if (!ok) state.SkipWithError("round trip failed");
    benchmark::DoNotOptimize(pages.settings.currentMtu);
  }
}

void BM_NtReadApplyRestore(benchmark::State& state) {
  MemoryRegistry registry;
  NtMachine(registry, static_cast<int>(state.range(0)));
  RoundTrip(state, registry, kOsFamilyNt);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_NtReadApplyRestore)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_9xReadApplyRestore(benchmark::State& state) {
  MemoryRegistry registry;
  Win9xMachine(registry);
  RoundTrip(state, registry, kOsFamily9x);
}
BENCHMARK(BM_9xReadApplyRestore)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
