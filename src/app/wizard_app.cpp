#include "app/wizard_app.h"

#include <cstring>

#include "lang/translate.h"
#include "store/store_keys.h"
#include "store/store_text.h"
#include "wizard/texts.h"
#include "wizard/wizard_dialog.h"

namespace {

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
    : AppState(platformServices), osVersion(platformServices.version) {}

WizardApp::~WizardApp() {
  delete wizard;
  wizard = nullptr;
}

bool WizardApp::InitInstance() {
  ReadProgramKey();
  if (!DecideFamily()) {
    const std::string text = Translate(text::kUnknownWindows);
    platform.messages.Show(0, text.c_str(), nullptr, kMbOk | kMbIconError);
    return false;
  }

  if (platform.toolkit == nullptr) return false;
  delete wizard;
  wizard = new WizardDialog(*this);
  platform.toolkit->RunModal(*wizard, WizardDialog::kTemplateId, 0);
  return false;
}

void WizardApp::ReadProgramKey() {
  // Only what the key holds now counts: without it both texts are empty.
  std::memset(appPath, 0, sizeof(appPath));
  std::memset(language, 0, sizeof(language));
  ScopedKey key(platform.registry);
  if (key.Open(kHkeyCurrentUser, kProgramKey, kKeyAllAccess) == kRegOk) {
    ReadProgramText(platform.registry, key.get(), "AppPath", appPath);
    ReadProgramText(platform.registry, key.get(), "Language", language);
  }
}

bool WizardApp::DecideFamily() {
  if (osVersion.IsWindows95() || osVersion.IsWindows98() || osVersion.IsWindowsMe()) {
    osFamily = kOsFamily9x;
  } else if (osVersion.IsWindows2000() || osVersion.IsWindowsXp() || osVersion.IsWindowsNt4()) {
    osFamily = kOsFamilyNt;
  } else {
    return false;
  }
  regeditDeletes = osVersion.IsWindows2000() || osVersion.IsWindowsXp();
  return true;
}
