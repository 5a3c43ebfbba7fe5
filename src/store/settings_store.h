// Reading the current settings with their backup, applying the chosen ones, restoring the
// backup. Runs on the registry interface alone; the wizard shows the outcome.
#pragma once

#include <cstdint>

#include "platform/registry.h"
#include "settings/wizard_model.h"
#include "settings/tuning_settings.h"
#include "store/change_plan.h"

// Fills the current values and found flags and replaces the backup with what the machine has.
// False when the backup could not take all of it; that backup is then deleted. The current values
// are read all the same, but for the adapters' when the backup key itself could not be made.
bool ReadCurrentSettings(Registry& registry, OsFamily family, WizardModel& model);

// Writes the chosen values (the modem change first when a modem was detected). True when every
// create and set succeeded; every value is attempted either way.
bool ApplySettings(Registry& registry, OsFamily family, std::int32_t modemBoostAvailable,
                   const TuningSettings& settings);

enum class RestoreOutcome {
  kNoBackup,    // the backup key does not open: nothing changed
  kIncomplete,  // something could not be written back or deleted: the backup is kept
  kRestored,    // everything written back; the backup is gone
  kBackupKept,  // everything written back, but the backup could not be deleted
};
RestoreOutcome RestoreBackup(Registry& registry, OsFamily family);

// Whether the backup key opens (the frame enables Reset on it).
bool BackupExists(Registry& registry);

enum class DefaultsOutcome {
  kBackupNotSaved,  // there was no backup and none could be taken: nothing deleted
  kIncomplete,      // something could not be deleted
  kRestored,        // every value the wizard manages is gone; Windows uses its built-in ones
};
// Deletes every value the wizard manages (the modems keep their port speeds). Without a backup
// one is taken first, as leaving the introduction takes it, so that Reset can still bring back
// what the user had; `withoutBackup` goes on when that fails (the user agreed). An existing
// backup is never replaced.
DefaultsOutcome RestoreDefaults(Registry& registry, OsFamily family, bool withoutBackup = false);

// The backup as a REGEDIT4 file that puts the user's values back when merged with regedit (see
// FormatRegFile for `canDelete` and `deleteByHand`). False, leaving `text` alone, when there is
// no backup or it could not be read whole.
bool BackupRegFile(Registry& registry, OsFamily family, bool canDelete, const char* deleteByHand,
                   std::string* text);
