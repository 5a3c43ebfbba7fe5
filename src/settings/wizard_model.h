// The one model of the wizard: the settings record and what the pages show beside it (whether
// each current value was found, the numbers in their edit fields). The frame owns it; the store,
// the recommendation rules and the pages all work on this one object, with or without windows.
#pragma once

#include <cstdint>

#include "settings/tuning_settings.h"

struct WizardModel {
  TuningSettings settings;

  // Step 2: MTU and MSS.
  std::int32_t currentMtuFound = 0;
  std::int32_t currentMssFound = 0;
  std::int32_t mtuEntry = 0;
  std::int32_t mssEntry = 0;

  // Step 3: path-MTU discovery and black-hole detection.
  std::int32_t currentPmtuDiscoveryFound = 0;
  std::int32_t currentBlackHoleDetectFound = 0;

  // Step 4: receive window.
  std::int32_t currentReceiveWindowFound = 0;
  std::int32_t recommendedMultiplier = 0;
  std::int32_t multiplierEntry = 0;
  std::int32_t receiveWindowEntry = 0;

  // Step 5: TTL and browser connections.
  std::int32_t currentTtlFound = 0;
  std::int32_t currentMaxConnectionsPer1_0ServerFound = 0;
  std::int32_t currentMaxConnectionsPerServerFound = 0;
  std::int32_t maxConnectionsPer1_0ServerEntry = 0;
  std::int32_t maxConnectionsPerServerEntry = 0;
  std::int32_t ttlEntry = 0;

  // Step 6: keep-alive.
  std::int32_t currentKeepAliveTimeFound = 0;
  std::int32_t currentKeepAliveIntervalFound = 0;
  std::int32_t keepAliveIntervalEntry = 0;
  std::int32_t keepAliveTimeEntry = 0;

  // Step 7: SYN flood protection.
  std::int32_t currentSynAttackProtectFound = 0;
  std::int32_t synAttackProtectEntry = 0;

  // Step 8: ICMP redirects.
  std::int32_t currentIcmpRedirectsFound = 0;
};
