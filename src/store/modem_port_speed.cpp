#include "store/modem_port_speed.h"

#include <vector>

#include "store/registry_values.h"
#include "store/store_keys.h"

namespace {

// The capability record ("Properties") is a run of little-endian DWORDs; the seventh is the
// highest DTE rate offered for the port. 115200 is 00 C2 01 00: only its middle two bytes are
// looked at and changed, which turns it into 921600 (00 10 0E 00), the fastest rate the modem
// step promises.
constexpr std::uint32_t kRateByte1 = 25;
constexpr std::uint32_t kRateByte2 = 26;
constexpr std::uint8_t kLimitedRate1 = 0xC2;
constexpr std::uint8_t kLimitedRate2 = 0x01;
constexpr std::uint8_t kBoostedRate1 = 0x10;
constexpr std::uint8_t kBoostedRate2 = 0x0E;

const char* ModemClassKey(OsFamily family) {
  if (family == kOsFamily9x) return store_keys::kModemClass9x;
  if (family == kOsFamilyNt) return store_keys::kModemClassNt;
  return nullptr;
}

enum class Walk { kAll, kFirstMatch };

// Calls `onMatch(modemKey, properties, size)` for each modem whose record limits the port (or
// only the first one); returns whether any matched. `complete` tells whether the walk saw every
// modem (it did not when enumeration ended on an error).
template <typename OnMatch>
bool WalkLimitedModems(Registry& registry, OsFamily family, Walk walk, OnMatch onMatch,
                       bool* complete = nullptr) {
  const char* classKeyPath = ModemClassKey(family);
  if (classKeyPath == nullptr) return false;
  ScopedKey classKey(registry);
  if (classKey.Open(kHkeyLocalMachine, classKeyPath) != kRegOk) return false;

  bool matched = false;
  std::vector<std::uint8_t> properties;
  SubKeyNames names(registry, classKey.get());
  while (names.Next()) {
    ScopedKey modem(registry);
    if (modem.Open(classKey.get(), names.name()) != kRegOk) continue;
    std::uint32_t longestData = 0;
    if (registry.QueryInfoKey(modem.get(), nullptr, nullptr, nullptr, nullptr, &longestData) !=
        kRegOk) {
      continue;
    }
    properties.assign(longestData + 1, 0);
    std::uint32_t size = longestData;
    if (registry.QueryValue(modem.get(), "Properties", nullptr, properties.data(), &size) !=
        kRegOk) {
      continue;
    }
    if (size <= kRateByte2 || size > longestData || properties[kRateByte1] != kLimitedRate1 ||
        properties[kRateByte2] != kLimitedRate2) {
      continue;
    }
    matched = true;
    onMatch(modem.get(), properties.data(), size);
    if (walk == Walk::kFirstMatch) break;
  }
  if (complete != nullptr) *complete = !names.failed();
  return matched;
}

}  // namespace

void DetectBoostableModem(Registry& registry, OsFamily family, std::int32_t& modemBoostAvailable) {
  if (WalkLimitedModems(registry, family, Walk::kFirstMatch,
                        [](RegKey, std::uint8_t*, std::uint32_t) {})) {
    modemBoostAvailable = 1;
  }
}

bool BoostModemPortSpeeds(Registry& registry, OsFamily family) {
  bool allWritten = true;
  bool complete = true;
  WalkLimitedModems(
      registry, family, Walk::kAll,
      [&](RegKey modem, std::uint8_t* properties, std::uint32_t size) {
        properties[kRateByte1] = kBoostedRate1;
        properties[kRateByte2] = kBoostedRate2;
        if (registry.SetValue(modem, "Properties", kRegBinary, properties, size) != kRegOk) {
          allWritten = false;
        }
      },
      &complete);
  return allWritten && complete;
}
