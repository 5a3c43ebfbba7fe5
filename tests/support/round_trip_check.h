// What must hold after Read, Finish and Reset on any machine, whatever single registry call
// failed on the way: no key left open; a read that succeeded left a backup that puts back
// exactly the machine it was taken from (at once, or at a later Reset once the registry is
// willing again); a read that failed told the user and left no backup behind. Shared by the
// fault sweep and the store fuzzer. Header only.
#pragma once

#include <cctype>
#include <string>

#include "fakes/memory_registry.h"
#include "store/settings_store.h"

// Every value of the machine, the program's own key left out, one per line under its key.
// Keys without values do not count: Finish may create a TCP/IP key Reset has no reason to
// remove.
inline std::string MachineValues(const MemoryRegistry& registry) {
  const std::string dump = registry.Dump();
  std::string out, section;
  bool own = false;
  std::size_t start = 0;
  while (start < dump.size()) {
    std::size_t end = dump.find("\r\n", start);
    if (end == std::string::npos) end = dump.size();
    const std::string line = dump.substr(start, end - start);
    start = end + 2;
    if (!line.empty() && line[0] == '[') {
      section = line;
      // Key names ignore case.
      const std::string ownKey = "[hkey_current_user\\software\\ovik quarnel";
      own = line.size() >= ownKey.size();
      for (std::size_t i = 0; own && i < ownKey.size(); ++i) {
        own = std::tolower(static_cast<unsigned char>(line[i])) == ownKey[i];
      }
    } else if (!line.empty() && !own && line != "REGEDIT4") {
      out += section + " " + line + "\n";
    }
  }
  return out;
}

// Runs the wizard's three store operations on a copy of `machine` with `fault` injected (none
// when null) and returns what went wrong, empty when everything held. `checkHandles` is false
// when the fault is a refused close, which leaves a key open by definition.
inline std::string CheckRoundTrip(const MemoryRegistry& machine, OsFamily family,
                                  const TuningSettings& chosen, const RegFault* fault,
                                  bool checkHandles = true) {
  MemoryRegistry registry = machine.Copy();
  const std::string before = MachineValues(registry);
  if (fault != nullptr) registry.AddFault(*fault);
  WizardModel model;
  const bool read = ReadCurrentSettings(registry, family, model);
  ApplySettings(registry, family, 0, chosen);
  const RestoreOutcome outcome = RestoreBackup(registry, family);
  registry.ClearFaults();
  if (checkHandles && registry.OpenHandleCount() != 0) {
    return "keys left open: " + std::to_string(registry.OpenHandleCount());
  }
  if (!read) {
    if (BackupExists(registry)) return "a read reported as failed left a backup";
    return std::string();
  }
  if (fault == nullptr && outcome != RestoreOutcome::kRestored) return "restore did not complete";
  if (outcome != RestoreOutcome::kRestored) {
    // The backup must have survived and must still be whole: Reset again, registry willing.
    if (!BackupExists(registry)) return "restore failed and the backup is gone";
    if (RestoreBackup(registry, family) != RestoreOutcome::kRestored) {
      return "a second restore did not complete";
    }
  }
  if (BackupExists(registry)) return "a complete restore left the backup";
  const std::string after = MachineValues(registry);
  if (after != before) {
    std::size_t at = 0;
    while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
    const std::size_t line =
        before.rfind('\n', at) == std::string::npos ? 0 : before.rfind('\n', at) + 1;
    return "not put back as it was, from: " + before.substr(line, 160) +
           " / now: " + after.substr(line, 160);
  }
  return std::string();
}
