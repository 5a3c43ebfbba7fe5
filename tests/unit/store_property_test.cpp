// Random machines of both families: reading, applying any chosen values and restoring leaves
// every value the program touches exactly as it was, byte for byte and type, absence included.
// Now and then a value has another type than the family's; the 9x family also runs on a
// registry that stores texts as Windows 95/98/Me do.
// QUARNEL_SEED picks the seed (printed on failure), QUARNEL_CASES the cases per family.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "fakes/memory_registry.h"
#include "store/settings_store.h"
#include "store/store_keys.h"
#include <gtest/gtest.h>
#include "support/store_fixture.h"

using namespace store_keys;

namespace {

using Rng = std::mt19937_64;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  return std::strtoull(text, nullptr, 0);
}

int Pick(Rng& rng, int count) {
  return static_cast<int>(std::uniform_int_distribution<int>(0, count - 1)(rng));
}
bool Chance(Rng& rng, int percent) { return Pick(rng, 100) < percent; }

// Mostly a DWORD; now and then shorter or longer.
std::string RandomNumberBytes(Rng& rng) {
  const int sizes[] = {4, 4, 4, 4, 4, 4, 0, 1, 2, 3, 5, 8, 12};
  const int size = sizes[Pick(rng, sizeof sizes / sizeof *sizes)];
  std::string bytes;
  for (int i = 0; i < size; ++i) bytes += static_cast<char>(Pick(rng, 256));
  return bytes;
}

// Mostly a terminated decimal text; now and then junk, no terminator, or too long to take.
std::string RandomText(Rng& rng) {
  std::string text;
  const int kind = Pick(rng, 10);
  int length = kind < 6 ? Pick(rng, 12) : kind < 8 ? Pick(rng, 40) : 250 + Pick(rng, 60);
  const char alphabet[] = "0123456789 +-abcXYZ\t";
  for (int i = 0; i < length; ++i) {
    text += kind < 5 ? static_cast<char>('0' + Pick(rng, 10))
                     : alphabet[Pick(rng, sizeof alphabet - 1)];
  }
  if (Chance(rng, 5)) text += '\0' + std::string("tail");
  if (!Chance(rng, 10)) text += '\0';
  return text;
}

// Mostly `usual`; now and then a type a user's tool may have left instead.
std::uint32_t RandomType(Rng& rng, std::uint32_t usual) {
  const std::uint32_t odd[] = {kRegSz, kRegExpandSz, kRegBinary, kRegDword, kRegNone, kRegMultiSz};
  return Chance(rng, 85) ? usual : odd[Pick(rng, sizeof odd / sizeof *odd)];
}

void RandomBrowser(Rng& rng, MemoryRegistry& registry) {
  if (!Chance(rng, 85)) return;
  WriteValue(registry, kHkeyCurrentUser, kInternetSettings, "User Agent", kRegSz,
             std::string("Mozilla\0", 8));
  for (const std::string& name : kBrowserValues) {
    if (Chance(rng, 60))
      WriteValue(registry, kHkeyCurrentUser, kInternetSettings, name, RandomType(rng, kRegDword),
                 RandomNumberBytes(rng));
  }
}

void RandomNtMachine(Rng& rng, MemoryRegistry& registry) {
  RandomBrowser(rng, registry);
  if (Chance(rng, 90)) {
    WriteValue(registry, kHkeyLocalMachine, kTcpipParameters, "Hostname", kRegSz,
               std::string("vm\0", 3));
    for (const std::string& name : kNtValues) {
      if (Chance(rng, 50))
        WriteValue(registry, kHkeyLocalMachine, kTcpipParameters, name, RandomType(rng, kRegDword),
                   RandomNumberBytes(rng));
    }
  }
  if (Chance(rng, 85)) {
    const std::string interfaces = kInterfaces;
    MakeKey(registry, kHkeyLocalMachine, interfaces);
    const int count = Pick(rng, 21);
    for (int i = 0; i < count; ++i) {
      char name[64];
      std::snprintf(name, sizeof name, "{%08X-0000-4000-8000-%012d}",
                    static_cast<unsigned>(Pick(rng, 1 << 30)), i);
      const std::string key = interfaces + "\\" + name;
      WriteValue(registry, kHkeyLocalMachine, key, "EnableDHCP", kRegDword,
                 std::string("\1\0\0\0", 4));
      if (Chance(rng, 60))
        WriteValue(registry, kHkeyLocalMachine, key, "MTU", RandomType(rng, kRegDword),
                   RandomNumberBytes(rng));
      if (Chance(rng, 50))
        WriteValue(registry, kHkeyLocalMachine, key, "MSS", kRegDword, RandomNumberBytes(rng));
    }
  }
}

// The dial-up adapter's chain, whole or broken at one link, with decoy adapters around it.
void Random9xMachine(Rng& rng, MemoryRegistry& registry) {
  RandomBrowser(rng, registry);
  if (Chance(rng, 90)) {
    MakeKey(registry, kHkeyLocalMachine, kMstcp);
    for (const std::string& name : k9xValues) {
      if (Chance(rng, 50))
        WriteValue(registry, kHkeyLocalMachine, kMstcp, name, RandomType(rng, kRegSz),
                   RandomText(rng));
    }
  }
  const int breakAt = Chance(rng, 60) ? -1 : Pick(rng, 8);
  const int adapters = 1 + Pick(rng, 3);
  const int dialUp = Pick(rng, adapters);
  for (int i = 0; i < adapters; ++i) {
    char id[16];
    std::snprintf(id, sizeof id, "%04d", i);
    char transport[16];
    std::snprintf(transport, sizeof transport, "%04d", 10 + i);
    const std::string device = std::string(kEnumRootNet) + "\\" + id;
    const bool chain = i == dialUp;
    if (chain && breakAt == 0) continue;
    const std::string description = !chain         ? (Chance(rng, 50) ? "dial-up adapter" : "NIC")
                                    : breakAt == 1 ? "Dial-Up Adapter #2"
                                                   : "Dial-Up Adapter";
    WriteValue(registry, kHkeyLocalMachine, device, "DeviceDesc", kRegSz, description + '\0');
    if (chain && breakAt == 2) continue;
    MakeKey(registry, kHkeyLocalMachine, device + "\\Bindings");
    WriteValue(registry, kHkeyLocalMachine, device + "\\Bindings", "NETBEUI\\0000", kRegSz,
               std::string(1, '\0'));
    if (!(chain && breakAt == 3)) {
      WriteValue(registry, kHkeyLocalMachine, device + "\\Bindings", std::string("MSTCP\\") + id,
                 kRegSz, std::string(1, '\0'));
    }
    if (chain && (breakAt == 3 || breakAt == 4)) continue;
    const std::string binding = kEnumNetworkMstcp + std::string(id);
    MakeKey(registry, kHkeyLocalMachine, binding);
    if (!(chain && breakAt == 5)) {
      const std::string driver =
          (chain && breakAt == 6 ? "Other\\" : "NetTrans\\") + std::string(transport);
      WriteValue(registry, kHkeyLocalMachine, binding, "Driver", kRegSz, driver + '\0');
    }
    if (chain && (breakAt == 5 || breakAt == 6 || breakAt == 7)) continue;
    const std::string key = kNetTransClass + std::string(transport);
    WriteValue(registry, kHkeyLocalMachine, key, "DriverDesc", kRegSz, std::string("TCP/IP\0", 7));
    if (Chance(rng, 70)) {
      // A MaxMTU of "0" cannot be told from "none" in the backup: it is restored by deleting it.
      std::string mtu;
      do {
        mtu = RandomText(rng);
      } while (std::strcmp(mtu.c_str(), "0") == 0);
      WriteValue(registry, kHkeyLocalMachine, key, "MaxMTU", kRegSz, mtu);
    }
    if (Chance(rng, 60))
      WriteValue(registry, kHkeyLocalMachine, key, "MaxMSS", RandomType(rng, kRegSz),
                 RandomText(rng));
  }
}

std::string Hex(const std::uint8_t* bytes, std::uint32_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out(2 * size, '0');
  for (std::uint32_t i = 0; i < size; ++i) {
    out[2 * i] = kDigits[bytes[i] >> 4];
    out[2 * i + 1] = kDigits[bytes[i] & 15];
  }
  return out;
}

// Every value below `path` as "path\name=type:bytes" lines; the program's own key left out.
void Collect(Registry& registry, RegKey hive, const std::string& path, std::string* out) {
  if (hive == kHkeyCurrentUser && path == "Software\\Ovik Quarnel") return;
  RegKey key = 0;
  if (registry.OpenKey(hive, path.empty() ? nullptr : path.c_str(), kKeyAllAccess, &key) !=
      kRegOk) {
    return;
  }
  std::vector<std::string> subKeys;
  char name[512];
  std::vector<std::uint8_t> data(1024);
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t nameSize = sizeof name;
    std::uint32_t type = 0;
    std::uint32_t dataSize = static_cast<std::uint32_t>(data.size());
    if (registry.EnumValue(key, i, name, &nameSize, &type, data.data(), &dataSize) != kRegOk) break;
    *out +=
        path + "\\" + name + "=" + std::to_string(type) + ":" + Hex(data.data(), dataSize) + "\n";
  }
  for (std::uint32_t i = 0;; ++i) {
    std::uint32_t size = sizeof name;
    if (registry.EnumKey(key, i, name, &size) != kRegOk) break;
    subKeys.push_back(name);
  }
  registry.CloseKey(key);
  for (const auto& sub : subKeys)
    Collect(registry, hive, path.empty() ? sub : path + "\\" + sub, out);
}

std::string Values(Registry& registry) {
  std::string out = "[HKCU]\n";
  Collect(registry, kHkeyCurrentUser, "", &out);
  out += "[HKLM]\n";
  Collect(registry, kHkeyLocalMachine, "", &out);
  return out;
}

// The first line where two snapshots differ, for the failure message.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::size_t start = 0;
  while (start < a.size() && start < b.size() && a[start] == b[start]) ++start;
  const std::size_t lineA =
      a.rfind('\n', start) == std::string::npos ? 0 : a.rfind('\n', start) + 1;
  const std::size_t lineB =
      b.rfind('\n', start) == std::string::npos ? 0 : b.rfind('\n', start) + 1;
  return "before: " + a.substr(lineA, a.find('\n', lineA) - lineA) +
         " / after: " + b.substr(lineB, b.find('\n', lineB) - lineB);
}

TuningSettings RandomChoice(Rng& rng) {
  auto number = [&rng]() { return static_cast<std::uint32_t>(rng()); };
  TuningSettings s;
  s.pmtuDiscovery = number() & 1;
  s.blackHoleDetect = number() & 1;
  s.icmpRedirects = number() & 1;
  s.mtu = number();
  s.mss = number();
  s.receiveWindow = number();
  s.ttl = number();
  s.keepAliveTime = number();
  s.keepAliveInterval = number();
  s.synAttackProtect = number() % 3;
  s.maxConnectionsPer1_0Server = number();
  s.maxConnectionsPerServer = number();
  return s;
}

void RunFamily(OsFamily family, bool win9xStrings = false) {
  const std::uint64_t seed = EnvNumber("QUARNEL_SEED", std::random_device{}());
  const std::uint64_t cases = EnvNumber("QUARNEL_CASES", 1000);
  SCOPED_TRACE("QUARNEL_SEED=" + std::to_string(seed));
  Rng rng(seed);
  int failures = 0;
  for (std::uint64_t n = 0; n < cases && failures < 3; ++n) {
    SCOPED_TRACE("case " + std::to_string(n));
    MemoryRegistry registry;
    registry.SetWin9xStrings(win9xStrings);
    if (family == kOsFamilyNt) {
      RandomNtMachine(rng, registry);
    } else {
      Random9xMachine(rng, registry);
    }
    const std::string before = Values(registry);

    WizardModel model;
    ReadCurrentSettings(registry, family, model);
    const bool written = ApplySettings(registry, family, 0, RandomChoice(rng));
    const RestoreOutcome outcome = RestoreBackup(registry, family);
    const std::string after = Values(registry);

    const int failedBefore = failures;
    if (!written) {
      ADD_FAILURE() << "apply reported a failure";
      ++failures;
    }
    if (outcome != RestoreOutcome::kRestored) {
      ADD_FAILURE() << "restore did not complete";
      ++failures;
    }
    if (registry.OpenHandleCount() != 0) {
      ADD_FAILURE() << "keys left open: " + std::to_string(registry.OpenHandleCount());
      ++failures;
    }
    if (after != before) {
      ADD_FAILURE() << FirstDifference(before, after);
      ++failures;
    }
    if (failures != failedBefore)
      std::printf("  reproduce with QUARNEL_SEED=%llu\n", static_cast<unsigned long long>(seed));
  }
}

}  // namespace

TEST(StoreProperty, NtRoundTripRestoresEveryValue) { RunFamily(kOsFamilyNt); }
TEST(StoreProperty, Win9xRoundTripRestoresEveryValue) { RunFamily(kOsFamily9x); }
TEST(StoreProperty, Win9xStringsRoundTripRestoresEveryValue) { RunFamily(kOsFamily9x, true); }
