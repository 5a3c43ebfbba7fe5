// MTU and MSS belong to a network adapter. Windows 95/98/Me keep them as text on the TCP/IP
// transport of the dial-up adapter; NT/2000/XP as numbers on every TCP/IP interface.
#pragma once

#include "platform/registry.h"
#include "settings/wizard_model.h"
#include "settings/tuning_settings.h"
#include "store/registry_values.h"

// Read the adapter values into currentMtu/currentMss with their found flags and copy them into
// the backup's "MTU Settings" and "MSS Settings" (the backup key must exist). Every sub-key and
// copy the backup could not take counts against `backupResults`.
void ReadAdapterSettings9x(Registry& registry, WizardModel& model, WriteResults& backupResults);
void ReadAdapterSettingsNt(Registry& registry, WizardModel& model, WriteResults& backupResults);

// Write the chosen mtu and mss. True unless a write (or the open of a key that is there)
// failed; finding no adapter to tune is not a failure.
bool ApplyAdapterSettings9x(Registry& registry, const TuningSettings& settings);
bool ApplyAdapterSettingsNt(Registry& registry, const TuningSettings& settings);

// Put the backed-up values back and delete those that were absent. True when every write and
// delete went through.
bool RestoreAdapterSettings9x(Registry& registry);
bool RestoreAdapterSettingsNt(Registry& registry);
