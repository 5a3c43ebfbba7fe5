// What an operation is going to do to the registry, worked out before anything is written: one
// entry per value, with the bytes found and the bytes that replace them (or the delete). Finish
// carries out its plan; the review shows it; the backup file is the plan that puts the backup
// back; restoring Windows' defaults carries out a plan of deletes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "settings/tuning_settings.h"
#include "store/registry_values.h"

struct PlannedValue {
  RegKey hive = 0;
  std::string path;   // the key below the hive
  const char* label;  // the key as a reader knows it ("Tcpip\Parameters")
  std::string name;
  // The interface, 9x transport or modem a value belongs to (its sub-key name); empty for the
  // values every machine has once.
  std::string owner;
  bool modem = false;      // a modem capability record: its port-speed field is what changes
  bool createKey = false;  // Finish makes a missing key; otherwise one that is missing is skipped
  bool remove = false;     // deleted rather than written
  std::uint32_t type = 0;  // what is written, unless `remove`
  std::vector<std::uint8_t> bytes;
  // What the registry holds now; filled by ReadFoundValues (and by the plan itself for modems).
  ValueState found = ValueState::kAbsent;
  std::uint32_t foundType = 0;
  std::vector<std::uint8_t> foundBytes;

  // Carrying the entry out would leave the value as it is.
  bool Unchanged() const;
};

struct ChangePlan {
  std::vector<PlannedValue> values;
  // False when a key that lists values (the interfaces, the modems, the dial-up adapter's
  // record) could not be read whole: values may be missing, and carrying it out fails.
  bool complete = true;
};

// Finish's plan, values in the order Finish writes them: the modem change first (when a modem
// was detected), then the browser, TCP/IP and per-adapter values. Reads the values it replaces;
// nothing is written.
ChangePlan PlanSettings(Registry& registry, OsFamily family, std::int32_t modemBoostAvailable,
                        const TuningSettings& settings);
// Every value the wizard manages deleted, so that Windows uses its built-in values. The modems
// are left as they are.
ChangePlan PlanDefaults(Registry& registry, OsFamily family);
// What the backup puts back: each value with the type and bytes it had, each that was absent
// deleted; a modem whose record carries the raised port speed gets its 115200 bps limit back.
// Empty when there is no backup.
ChangePlan PlanBackup(Registry& registry, OsFamily family);

// Fills the found state and bytes of every entry and drops the entries of keys that are not
// there and would not be made: nothing would happen to them.
void ReadFoundValues(Registry& registry, ChangePlan& plan);

// Writes and deletes in plan order; a value that fails does not stop the others. True when
// every open, create, set and delete went through (a value already gone counts as deleted).
bool ApplyPlan(Registry& registry, const ChangePlan& plan);

// The words of a review line, in the user's language.
struct PlanWords {
  const char* notSet;      // a value that is absent
  const char* unreadable;  // a value that is there but could not be read
  const char* unchanged;   // the value already is what it would become
  const char* remove;      // the value is deleted
  const char* adapter;     // "(adapter {GUID})"
  const char* modem;       // "(modem 0000)"
};
// One line of the review: "Tcpip\Parameters  DefaultTTL  128 -> 64".
std::string FormatPlanLine(const PlannedValue& value, const PlanWords& words);
// Every line, each ended with CR LF.
std::string FormatPlan(const ChangePlan& plan, const PlanWords& words);

// The plan as a REGEDIT4 file (CR LF line ends). Where regedit cannot delete a value
// (`canDelete` false: Windows 95/98/Me and NT 4.0) a comment line starting with
// `deleteByHand` names each value to delete instead.
std::string FormatRegFile(const ChangePlan& plan, bool canDelete, const char* deleteByHand);
