// Read + apply + restore on the in-memory registry: the NT family with many interfaces (the
// cost must grow linearly with them) and the 9x dial-up adapter chain.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "fakes/memory_registry.h"
#include "store/settings_store.h"
#include "store/store_keys.h"
#include "tests/support/store_fixture.h"

namespace {

using namespace store_keys;

void NtMachine(MemoryRegistry& registry, int interfaces) {
  WriteValue(registry, kHkeyCurrentUser, kInternetSettings, "MaxConnectionsPerServer", kRegDword,
             DwordBytes(2));
  for (const char* name : {"DefaultTTL", "TcpWindowSize", "KeepAliveTime", "SackOpts"}) {
    WriteValue(registry, kHkeyLocalMachine, kTcpipParameters, name, kRegDword, DwordBytes(128));
  }
  for (int i = 0; i < interfaces; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "{%08X-1111-4000-8000-%012d}",
                  static_cast<unsigned>(i * 2654435761u), i);
    const std::string key = std::string(kInterfaces) + "\\" + name;
    WriteValue(registry, kHkeyLocalMachine, key, "EnableDHCP", kRegDword, DwordBytes(1));
    if (i % 2 == 0)
      WriteValue(registry, kHkeyLocalMachine, key, "MTU", kRegDword, DwordBytes(1500));
    if (i % 3 == 0)
      WriteValue(registry, kHkeyLocalMachine, key, "MSS", kRegDword, DwordBytes(1460));
  }
}

void Win9xMachine(MemoryRegistry& registry) {
  const std::string net = kEnumRootNet;
  WriteValue(registry, kHkeyLocalMachine, net + "\\0000", "DeviceDesc", kRegSz,
             std::string("NE2000 Compatible\0", 18));
  WriteValue(registry, kHkeyLocalMachine, net + "\\0001", "DeviceDesc", kRegSz,
             std::string("Dial-Up Adapter\0", 16));
  WriteValue(registry, kHkeyLocalMachine, net + "\\0001\\Bindings", "NETBEUI\\0000", kRegSz,
             std::string(1, '\0'));
  WriteValue(registry, kHkeyLocalMachine, net + "\\0001\\Bindings", "MSTCP\\0001", kRegSz,
             std::string(1, '\0'));
  WriteValue(registry, kHkeyLocalMachine, std::string(kEnumNetworkMstcp) + "0001", "Driver", kRegSz,
             std::string("NetTrans\\0003\0", 14));
  const std::string transport = std::string(kNetTransClass) + "0003";
  WriteValue(registry, kHkeyLocalMachine, transport, "MaxMTU", kRegSz, std::string("1500\0", 5));
  WriteValue(registry, kHkeyLocalMachine, transport, "MaxMSS", kRegSz, std::string("1460\0", 5));
  for (const char* name : {"DefaultTTL", "DefaultRcvWindow", "KeepAliveTime", "SackOpts"}) {
    WriteValue(registry, kHkeyLocalMachine, kMstcp, name, kRegSz, std::string("128\0", 4));
  }
}

void RoundTrip(benchmark::State& state, MemoryRegistry& registry, OsFamily family) {
  TuningSettings chosen;
  chosen.mtu = 576;
  chosen.mss = 536;
  chosen.ttl = 64;
  for (auto _ : state) {
    WizardModel model;
    ReadCurrentSettings(registry, family, model);
    bool ok = ApplySettings(registry, family, 0, chosen);
    ok = RestoreBackup(registry, family) == RestoreOutcome::kRestored && ok;
    if (!ok) state.SkipWithError("round trip failed");
    benchmark::DoNotOptimize(model.settings.currentMtu);
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
