#include "store/modem_port_speed.h"

#include <string>
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

// Calls `onMatch(modemName, properties, size)` for each modem whose record's rate bytes are
// `rate1` and `rate2` (or only the first one); returns whether any matched. `complete` tells
// whether the walk saw every modem (it did not when enumeration ended on an error).
template <typename OnMatch>
bool WalkModems(Registry& registry, OsFamily family, std::uint8_t rate1, std::uint8_t rate2,
                Walk walk, OnMatch onMatch, bool* complete = nullptr) {
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
    if (size <= kRateByte2 || size > longestData || properties[kRateByte1] != rate1 ||
        properties[kRateByte2] != rate2) {
      continue;
    }
    matched = true;
    onMatch(names.name(), properties.data(), size);
    if (walk == Walk::kFirstMatch) break;
  }
  if (complete != nullptr) *complete = !names.failed();
  return matched;
}

}  // namespace

void DetectBoostableModem(Registry& registry, OsFamily family, std::int32_t& modemBoostAvailable) {
  if (WalkModems(registry, family, kLimitedRate1, kLimitedRate2, Walk::kFirstMatch,
                 [](const char*, std::uint8_t*, std::uint32_t) {})) {
    modemBoostAvailable = 1;
  }
}

void PlanModemPortSpeeds(Registry& registry, OsFamily family, bool backToLimit, ChangePlan* plan) {
  const std::uint8_t from[2] = {backToLimit ? kBoostedRate1 : kLimitedRate1,
                                backToLimit ? kBoostedRate2 : kLimitedRate2};
  const std::uint8_t to[2] = {backToLimit ? kLimitedRate1 : kBoostedRate1,
                              backToLimit ? kLimitedRate2 : kBoostedRate2};
  bool complete = true;
  WalkModems(
      registry, family, from[0], from[1], Walk::kAll,
      [&](const char* name, std::uint8_t* properties, std::uint32_t size) {
        PlannedValue value;
        value.hive = kHkeyLocalMachine;
        value.path = std::string(ModemClassKey(family)) + "\\" + name;
        value.label = "Class\\Modem";
        value.name = "Properties";
        value.owner = name;
        value.modem = true;
        value.type = kRegBinary;
        value.found = ValueState::kPresent;
        value.foundType = kRegBinary;
        value.foundBytes.assign(properties, properties + size);
        value.bytes = value.foundBytes;
        value.bytes[kRateByte1] = to[0];
        value.bytes[kRateByte2] = to[1];
        plan->values.push_back(value);
      },
      &complete);
  if (!complete) plan->complete = false;
}

bool BoostModemPortSpeeds(Registry& registry, OsFamily family) {
  ChangePlan plan;
  PlanModemPortSpeeds(registry, family, false, &plan);
  return ApplyPlan(registry, plan);
}
