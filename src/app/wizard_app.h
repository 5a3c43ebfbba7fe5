// The application object: reads the program's key, decides the Windows family, refuses unknown
// versions and runs the wizard. Everything process-wide lives here.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "settings/tuning_settings.h"
#include "wizard/app_state.h"

class WizardDialog;

class OsVersionInfo {
 public:
  explicit OsVersionInfo(VersionQuery& query);
  virtual ~OsVersionInfo() = default;

  bool IsWindows95() const;
  bool IsWindows98() const;
  bool IsWindowsMe() const;
  bool IsWindows2000() const;
  bool IsWindowsXp() const;
  bool IsWindowsNt4() const;

  OsVersionRecord info;
};

class WizardApp : public AppState {
 public:
  explicit WizardApp(Platform& platform);
  ~WizardApp();

  // Start-up: reads the program's key, decides the family and runs the wizard; the process ends
  // when it returns.
  void InitInstance();
  // The first steps of start-up, which the command line shares: the program's key into appPath
  // and language, then the family. False on a Windows version the program does not know.
  void ReadProgramKey();
  bool DecideFamily();

  WizardDialog* wizard = nullptr;
  OsVersionInfo osVersion;
};
