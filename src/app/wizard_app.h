// The application object: reads the program's key, decides the Windows family, refuses unknown
// versions and runs the wizard. Everything process-wide lives here.
#pragma once

#include <cstdint>
#include <string>

#include "app/platform.h"
#include "settings/tuning_settings.h"

class WizardDialog;

constexpr const char* kProgramKey = "Software\\Ovik Quarnel";
constexpr const char* kBackupKey = "Software\\Ovik Quarnel\\Original Settings";
// The program file's name without extension; the caption of the wizard's message boxes.
constexpr const char* kAppTitle = "Quarnel";
constexpr std::uint32_t kTextBufferSize = 260;

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

class WizardApp {
 public:
  explicit WizardApp(Platform& platform);
  ~WizardApp();
  WizardApp(const WizardApp&) = delete;
  WizardApp& operator=(const WizardApp&) = delete;

  // Start-up; false in every case, so the process ends when it returns.
  bool InitInstance();

  // The language lookup with the current appPath and language.
  std::string Translate(const char* key, const char* defaultText) const;
  void TranslateControl(WindowRef window, int id, const char* key, const char* defaultText) const;
  // A message box with the text of `key` in the current language and the program's title as
  // its caption; returns the button pressed.
  int ShowTranslated(WindowRef owner, const char* key, const char* defaultText,
                     std::uint32_t style) const;
  // Stores the chosen language in the program's key (only when the key exists).
  void SaveLanguage(const char* name);

  Platform& platform;
  char appPath[kTextBufferSize] = {};
  char language[kTextBufferSize] = {};
  WizardDialog* wizard = nullptr;
  OsFamily osFamily = -1;
  OsVersionInfo osVersion;
  std::int32_t modemBoostAvailable = 0;
};

// The one application object of the process (the most recently constructed one).
WizardApp& App();
