#include "app/wizard_app.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "lang/translate.h"
#include "store/store_text.h"
#include "wizard/wizard_dialog.h"

namespace {

// Every live application object, the newest last. A function-local static so that a global
// application object in another file can register itself whatever the order of construction.
std::vector<WizardApp*>& LiveApps() {
  static std::vector<WizardApp*> apps;
  return apps;
}

// The program's key is written by others: its texts may be of any length and need not be
// terminated. The store's bounded read takes only what fits the 260-byte buffer with a
// terminator; anything else reads as not found, leaving the buffer empty.
void ReadProgramText(Registry& registry, RegKey key, const char* name, char* buffer) {
  TextValue value;
  if (ReadTextValue(registry, key, name, &value) == TextRead::kText) {
    std::memcpy(buffer, value.text, kTextBufferSize);
    buffer[kTextBufferSize - 1] = '\0';
  } else {
    std::memset(buffer, 0, kTextBufferSize);
  }
}

}  // namespace

WizardApp::WizardApp(Platform& platformServices)
    : platform(platformServices), osVersion(platformServices.version) {
  LiveApps().push_back(this);
}

WizardApp::~WizardApp() {
  delete wizard;
  wizard = nullptr;
  std::vector<WizardApp*>& apps = LiveApps();
  for (auto it = apps.begin(); it != apps.end(); ++it) {
    if (*it == this) {
      apps.erase(it);
      break;
    }
  }
}

WizardApp& App() {
  std::vector<WizardApp*>& apps = LiveApps();
  if (apps.empty()) {
    std::fputs("Quarnel: the application object was used before it was made\n", stderr);
    std::abort();
  }
  return *apps.back();
}

bool WizardApp::InitInstance() {
  // Only what the key holds now counts: without it both texts are empty.
  std::memset(appPath, 0, sizeof(appPath));
  std::memset(language, 0, sizeof(language));
  {
    ScopedKey key(platform.registry);
    if (key.Open(kHkeyCurrentUser, kProgramKey, kKeyAllAccess) == kRegOk) {
      ReadProgramText(platform.registry, key.get(), "AppPath", appPath);
      ReadProgramText(platform.registry, key.get(), "Language", language);
    }
  }

  if (osVersion.IsWindows95() || osVersion.IsWindows98() || osVersion.IsWindowsMe()) {
    osFamily = kOsFamily9x;
  } else if (osVersion.IsWindows2000() || osVersion.IsWindowsXp() || osVersion.IsWindowsNt4()) {
    osFamily = kOsFamilyNt;
  } else {
    std::string text =
        Translate("79", "Failed to detect your Windows version so we can't boost your connection.");
    platform.messages.Show(0, text.c_str(), nullptr, kMbOk | kMbIconError);
    return false;
  }

  if (platform.toolkit == nullptr) return false;
  delete wizard;
  wizard = new WizardDialog(*platform.toolkit);
  platform.toolkit->RunModal(*wizard, WizardDialog::kTemplateId, 0);
  return false;
}

std::string WizardApp::Translate(const char* key, const char* defaultText) const {
  return TranslateText(platform.profile, appPath, language, key, defaultText);
}

int WizardApp::ShowTranslated(WindowRef owner, const char* key, const char* defaultText,
                              std::uint32_t style) const {
  const std::string text = Translate(key, defaultText);
  return platform.messages.Show(owner, text.c_str(), kAppTitle, style);
}

void WizardApp::TranslateControl(WindowRef window, int id, const char* key,
                                 const char* defaultText) const {
  Toolkit* toolkit = platform.toolkit;
  if (toolkit == nullptr) return;
  WindowRef control = toolkit->Item(window, id);
  if (control == 0) return;
  toolkit->SetText(control, Translate(key, defaultText));
}

void WizardApp::SaveLanguage(const char* name) {
  if (name == nullptr) return;
  ScopedKey key(platform.registry);
  if (key.Open(kHkeyCurrentUser, kProgramKey, kKeyAllAccess) != kRegOk) return;
  platform.registry.SetValue(key.get(), "Language", kRegSz,
                             reinterpret_cast<const std::uint8_t*>(name),
                             static_cast<std::uint32_t>(std::strlen(name) + 1));
}
