// The members each wizard page holds besides its window: found flags of the current values it
// shows and the integers bound to its edit fields. The page classes derive from these so that
// the settings store and the recommendation rules can fill them without any window.
#pragma once

#include <cstdint>

#include "settings/tuning_settings.h"

struct MtuPageMembers {
  std::int32_t currentMtuFound = 0;
  std::int32_t currentMssFound = 0;
  std::int32_t mtuEntry = 0;
  std::int32_t mssEntry = 0;
};

struct PathMtuPageMembers {
  std::int32_t currentPmtuDiscoveryFound = 0;
  std::int32_t currentBlackHoleDetectFound = 0;
};

struct ReceiveWindowPageMembers {
  std::int32_t currentReceiveWindowFound = 0;
  std::int32_t recommendedMultiplier = 0;
  std::int32_t multiplierEntry = 0;
  std::int32_t receiveWindowEntry = 0;
};

struct TtlPageMembers {
  std::int32_t currentTtlFound = 0;
  std::int32_t currentMaxConnectionsPer1_0ServerFound = 0;
  std::int32_t currentMaxConnectionsPerServerFound = 0;
  std::int32_t maxConnectionsPer1_0ServerEntry = 0;
  std::int32_t maxConnectionsPerServerEntry = 0;
  std::int32_t ttlEntry = 0;
};

struct KeepAlivePageMembers {
  std::int32_t currentKeepAliveTimeFound = 0;
  std::int32_t currentKeepAliveIntervalFound = 0;
  std::int32_t keepAliveIntervalEntry = 0;
  std::int32_t keepAliveTimeEntry = 0;
};

struct SynAttackPageMembers {
  std::int32_t currentSynAttackProtectFound = 0;
  std::int32_t synAttackProtectEntry = 0;
};

struct IcmpRedirectPageMembers {
  std::int32_t currentIcmpRedirectsFound = 0;
};

// What the store and the rules reach: the record and the members of the pages that show it.
struct WizardModel {
  TuningSettings& settings;
  MtuPageMembers& mtuPage;
  PathMtuPageMembers& pathMtuPage;
  ReceiveWindowPageMembers& receiveWindowPage;
  TtlPageMembers& ttlPage;
  KeepAlivePageMembers& keepAlivePage;
  SynAttackPageMembers& synAttackPage;
  IcmpRedirectPageMembers& icmpRedirectPage;
};
