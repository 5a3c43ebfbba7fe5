// The machine a scenario runs on under Wine: the registry keys the program touches, its
// language files in a scratch folder, and the Windows version Wine reports to it.
#pragma once

#include <string>

#include "platform/registry.h"
#include "scenarios/driver.h"

class ScenarioMachine {
 public:
  // `programName` is the file name Wine's per-program settings are kept under ("Quarnel.exe").
  ScenarioMachine(Registry& registry, std::string programName);

  // Clears what any earlier run may have left, then prepares `setup`. Every problem is reported
  // as a failure of the running case; false when the machine is not as the case asked.
  bool Prepare(const WizardSetup& setup);
  // Removes everything Prepare made (the program's key, the values it may have written, the
  // scratch folder, the version setting).
  void Clear();

  const std::string& scratchFolder() const { return scratchFolder_; }

 private:
  bool ClearRegistry();
  bool WriteLanguageFiles(const WizardSetup& setup);
  bool SetProgramValues(const WizardSetup& setup);
  bool SetWindowsVersion(const std::string& version);

  Registry& registry_;
  std::string programName_;
  std::string scratchFolder_;
};
