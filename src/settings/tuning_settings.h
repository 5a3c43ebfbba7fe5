// Every value the wizard tunes: what Finish writes, what the wizard advises and what the
// machine had. Whether a current value was found is kept beside it in the model (WizardModel).
#pragma once

#include <cstdint>

using OsFamily = std::int32_t;
constexpr OsFamily kOsFamily9x = 0;
constexpr OsFamily kOsFamilyNt = 1;

using ConnectionType = std::int32_t;
constexpr ConnectionType kConnectionDialUp = 0;
constexpr ConnectionType kConnectionDsl = 1;
constexpr ConnectionType kConnectionLan = 2;
constexpr ConnectionType kConnectionCableModem = 3;

struct TuningSettings {
  ConnectionType connectionType = kConnectionDialUp;

  // Chosen values.
  std::uint32_t pmtuDiscovery = 0;
  std::uint32_t blackHoleDetect = 0;
  std::uint32_t icmpRedirects = 0;
  std::uint32_t mtu = 0;
  std::uint32_t mss = 0;
  std::uint32_t receiveWindow = 0;
  std::uint32_t ttl = 0;
  std::uint32_t keepAliveTime = 0;
  std::uint32_t keepAliveInterval = 0;
  std::uint32_t synAttackProtect = 0;
  std::uint32_t maxConnectionsPer1_0Server = 0;
  std::uint32_t maxConnectionsPerServer = 0;

  // Recommended values.
  std::uint32_t recommendedMtu = 0;
  std::uint32_t recommendedMss = 0;
  std::uint32_t recommendedReceiveWindow = 0;
  std::uint32_t recommendedTtl = 0;
  std::uint32_t recommendedKeepAliveTime = 0;
  std::uint32_t recommendedKeepAliveInterval = 0;
  std::uint32_t recommendedMaxConnectionsPer1_0Server = 0;
  std::uint32_t recommendedMaxConnectionsPerServer = 0;

  // Values found on the machine; meaningful only where the page's found flag is 1.
  std::uint32_t currentPmtuDiscovery = 0;
  std::uint32_t currentBlackHoleDetect = 0;
  std::uint32_t currentIcmpRedirects = 0;
  std::uint32_t currentMtu = 0;
  std::uint32_t currentMss = 0;
  std::uint32_t currentReceiveWindow = 0;
  std::uint32_t currentTtl = 0;
  std::uint32_t currentKeepAliveTime = 0;
  std::uint32_t currentKeepAliveInterval = 0;
  std::uint32_t currentSynAttackProtect = 0;
  std::uint32_t currentMaxConnectionsPer1_0Server = 0;
  std::uint32_t currentMaxConnectionsPerServer = 0;
};
