#include "wizard/app_state.h"

#include "store/program_values.h"

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

void AppState::SaveLanguage(const char* name) { WriteLanguage(platform.registry, name); }
