// Raising the port-speed limit of analog modems whose capability record caps the serial port at
// 115200 bps. The change is not part of the backup.
#pragma once

#include <cstdint>

#include "platform/registry.h"
#include "settings/tuning_settings.h"
#include "store/change_plan.h"

// Sets `modemBoostAvailable` to 1 when a modem of the running family's modem class can be
// boosted; never clears it. Nothing is written.
void DetectBoostableModem(Registry& registry, OsFamily family, std::int32_t& modemBoostAvailable);

// Rewrites the capability record of every boostable modem. False when such a record could not
// be written back.
bool BoostModemPortSpeeds(Registry& registry, OsFamily family);

// Adds the capability record of every modem whose port limit is 115200 bps to `plan`, with the
// raised limit to write; with `backToLimit`, every record that carries the raised limit, with
// the 115200 bps limit to write back.
void PlanModemPortSpeeds(Registry& registry, OsFamily family, bool backToLimit, ChangePlan* plan);
