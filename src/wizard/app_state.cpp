#include "wizard/app_state.h"

#include <cstring>

#include "store/store_keys.h"

std::string AppState::Translate(const char* key, const char* defaultText) const {
  return TranslateText(platform.profile, appPath, language, key, defaultText);
}

void AppState::TranslateControl(WindowRef window, int id, const char* key,
                                const char* defaultText) const {
  Toolkit* toolkit = platform.toolkit;
  if (toolkit == nullptr) return;
  WindowRef control = toolkit->Item(window, id);
  if (control == 0) return;
  toolkit->SetText(control, Translate(key, defaultText));
}

int AppState::ShowTranslated(WindowRef owner, const TextId& text, std::uint32_t style) const {
  const std::string shown = Translate(text);
  return platform.messages.Show(owner, shown.c_str(), Title().c_str(), style);
}

std::string AppState::Title() const {
  const std::string title = platform.toolkit != nullptr ? platform.toolkit->ProgramTitle() : "";
  return title.empty() ? kAppTitle : title;
}

void AppState::SaveLanguage(const char* name) {
  if (name == nullptr) return;
  ScopedKey key(platform.registry);
  if (key.Open(kHkeyCurrentUser, kProgramKey, kKeyAllAccess) != kRegOk) return;
  platform.registry.SetValue(key.get(), "Language", kRegSz,
                             reinterpret_cast<const std::uint8_t*>(name),
                             static_cast<std::uint32_t>(std::strlen(name) + 1));
}
