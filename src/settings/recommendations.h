// The rules that compute the recommended values. Each one also seeds the chosen value and the
// edit fields of its page, so the page opens with the advice already filled in.
#pragma once

#include <cstdint>

#include "settings/wizard_model.h"
#include "settings/tuning_settings.h"

// The largest receive window TCP can announce (with window scaling).
constexpr std::uint32_t kMaxReceiveWindow = 1073741823u;

// MTU by connection type (an unknown type keeps the MTU it has), MSS = MTU - 40.
void RecommendMtu(WizardModel& model, OsFamily family);
// The MSS an MTU carries: 40 bytes go to the IP and TCP headers (0 when that leaves nothing).
std::uint32_t MssForMtu(std::uint32_t mtu);
// MSS x multiplier (30 dial-up, 44 otherwise) x scaling factor 4, from the chosen MSS, capped
// at kMaxReceiveWindow.
void RecommendReceiveWindow(WizardModel& model, OsFamily family);
void RecommendTtl(WizardModel& model, OsFamily family);
// Browser connections per HTTP 1.0 and 1.1 server: 20 and 20 on NT, 4 and 8 on 9x.
void RecommendConnections(WizardModel& model, OsFamily family);
void RecommendKeepAlive(WizardModel& model, OsFamily family);
void RecommendSynProtection(WizardModel& model, OsFamily family);

// Multipliers of the receive window: segments in flight per scaling step.
constexpr std::int32_t kDialUpMultiplier = 30;
constexpr std::int32_t kBroadbandMultiplier = 44;
constexpr std::uint32_t kReceiveWindowScaling = 4;
