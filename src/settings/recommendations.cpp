#include "settings/recommendations.h"

void RecommendMtu(WizardModel& model, OsFamily /*family*/) {
  TuningSettings& s = model.settings;
  switch (s.connectionType) {
    case kConnectionDialUp:
      s.mtu = 576;
      break;
    case kConnectionDsl:
      s.mtu = 1492;  // PPPoE takes 8 bytes of the Ethernet frame
      break;
    case kConnectionLan:
    case kConnectionCableModem:
      s.mtu = 1500;
      break;
    default:
      break;
  }
  s.recommendedMtu = s.mtu;
  model.mtuEntry = static_cast<std::int32_t>(s.mtu);
  s.mss = MssForMtu(s.mtu);
  s.recommendedMss = s.mss;
  model.mssEntry = static_cast<std::int32_t>(s.mss);
}

std::uint32_t MssForMtu(std::uint32_t mtu) {
  // An MTU below the headers leaves no room for data at all.
  constexpr std::uint32_t kIpTcpHeaders = 40;
  return mtu > kIpTcpHeaders ? mtu - kIpTcpHeaders : 0;
}

void RecommendReceiveWindow(WizardModel& model, OsFamily /*family*/) {
  TuningSettings& s = model.settings;
  const std::int32_t multiplier =
      s.connectionType == kConnectionDialUp ? kDialUpMultiplier : kBroadbandMultiplier;
  // A large MSS typed on the MTU step must not wrap the product into a tiny window.
  std::uint64_t window = static_cast<std::uint64_t>(s.mss) *
                         static_cast<std::uint64_t>(multiplier) * kReceiveWindowScaling;
  if (window > kMaxReceiveWindow) window = kMaxReceiveWindow;

  model.recommendedMultiplier = multiplier;
  model.multiplierEntry = multiplier;
  s.receiveWindow = static_cast<std::uint32_t>(window);
  s.recommendedReceiveWindow = s.receiveWindow;
  model.receiveWindowEntry = static_cast<std::int32_t>(s.receiveWindow);
}

void RecommendTtl(WizardModel& model, OsFamily /*family*/) {
  TuningSettings& s = model.settings;
  s.ttl = 64;
  s.recommendedTtl = s.ttl;
  model.ttlEntry = static_cast<std::int32_t>(s.ttl);
}

void RecommendConnections(WizardModel& model, OsFamily family) {
  TuningSettings& s = model.settings;
  if (family == kOsFamilyNt) {
    s.maxConnectionsPer1_0Server = 20;
    s.maxConnectionsPerServer = 20;
  } else {
    s.maxConnectionsPer1_0Server = 4;
    s.maxConnectionsPerServer = 8;
  }
  s.recommendedMaxConnectionsPer1_0Server = s.maxConnectionsPer1_0Server;
  model.maxConnectionsPer1_0ServerEntry = static_cast<std::int32_t>(s.maxConnectionsPer1_0Server);
  s.recommendedMaxConnectionsPerServer = s.maxConnectionsPerServer;
  model.maxConnectionsPerServerEntry = static_cast<std::int32_t>(s.maxConnectionsPerServer);
}

void RecommendKeepAlive(WizardModel& model, OsFamily /*family*/) {
  TuningSettings& s = model.settings;
  s.keepAliveTime = 7200000;  // two hours
  s.recommendedKeepAliveTime = s.keepAliveTime;
  model.keepAliveTimeEntry = static_cast<std::int32_t>(s.keepAliveTime);
  s.keepAliveInterval = 1000;
  s.recommendedKeepAliveInterval = s.keepAliveInterval;
  model.keepAliveIntervalEntry = static_cast<std::int32_t>(s.keepAliveInterval);
}

void RecommendSynProtection(WizardModel& model, OsFamily /*family*/) {
  model.settings.synAttackProtect = 2;
  model.synAttackProtectEntry = 2;
}
