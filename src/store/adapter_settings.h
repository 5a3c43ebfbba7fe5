// MTU and MSS belong to a network adapter. Windows 95/98/Me keep them as text on the TCP/IP
// transport of the dial-up adapter; NT/2000/XP as numbers on every TCP/IP interface.
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"
#include "settings/wizard_model.h"
#include "settings/tuning_settings.h"
#include "store/registry_values.h"

// Read the adapter values into currentMtu/currentMss with their found flags and copy them into
// the backup's "MTU Settings" and "MSS Settings" (the backup key must exist). Every sub-key and
// copy the backup could not take counts against `backupResults`.
void ReadAdapterSettings9x(Registry& registry, WizardModel& model, WriteResults& backupResults);
void ReadAdapterSettingsNt(Registry& registry, WizardModel& model, WriteResults& backupResults);

// A key that holds an adapter's MTU and MSS: every NT interface, or the 9x dial-up adapter's
// TCP/IP transport. `owner` is the interface name or the transport's instance id.
struct AdapterKey {
  std::string path;  // below HKLM
  std::string owner;
};
// The keys Finish writes MTU and MSS to. On 9x that is the adapter the backup recorded, or
// when there is no record and `searchUnrecorded` is set, the one the read would find. False
// when something on the way could not be read, so keys may be missing; finding none is no
// failure.
bool ListAdapterKeys(Registry& registry, OsFamily family, bool searchUnrecorded,
                     std::vector<AdapterKey>* keys);

// Put the backed-up values back and delete those that were absent. True when every write and
// delete went through.
bool RestoreAdapterSettings9x(Registry& registry);
bool RestoreAdapterSettingsNt(Registry& registry);
