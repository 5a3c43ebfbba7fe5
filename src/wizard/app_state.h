// What the wizard reads and changes of the application object: the system services, the
// language in use, the Windows family and the modem flag. The application object is one of
// these; the frame and every page are handed it when they are made.
#pragma once

#include <cstdint>
#include <string>

#include "lang/translate.h"
#include "platform/platform.h"
#include "settings/tuning_settings.h"

// The program's title where its file's name can't be had.
constexpr const char* kAppTitle = "Quarnel";
// The classic size of the program's text buffers (MAX_PATH).
constexpr std::uint32_t kTextBufferSize = 260;

class AppState {
 public:
  explicit AppState(Platform& platformServices) : platform(platformServices) {}
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  // The language lookup with the current appPath and language.
  std::string Translate(const char* key, const char* defaultText) const;
  std::string Translate(const TextId& text) const { return Translate(text.key, text.english); }
  void TranslateControl(WindowRef window, int id, const char* key, const char* defaultText) const;
  void TranslateControl(WindowRef window, int id, const TextId& text) const {
    TranslateControl(window, id, text.key, text.english);
  }
  // A message box with the text in the current language and the program's title as its
  // caption; returns the button pressed.
  int ShowTranslated(WindowRef owner, const TextId& text, std::uint32_t style) const;
  // The program file's name without extension: the caption of the wizard's message boxes, so a
  // renamed copy names itself.
  std::string Title() const;
  // Stores the chosen language in the program's key (only when the key exists).
  void SaveLanguage(const char* name);

  Platform& platform;
  char appPath[kTextBufferSize] = {};
  char language[kTextBufferSize] = {};
  OsFamily osFamily = -1;
  // Whether this Windows' regedit deletes a value written as "name"=- (2000 and XP).
  bool regeditDeletes = false;
  std::int32_t modemBoostAvailable = 0;
};
