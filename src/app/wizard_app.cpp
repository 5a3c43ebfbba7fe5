#include "app/wizard_app.h"

#include "lang/translate.h"
#include "store/program_values.h"
#include "wizard/texts.h"
#include "wizard/wizard_dialog.h"

WizardApp::WizardApp(Platform& platformServices)
    : AppState(platformServices), osVersion(platformServices.version) {}

WizardApp::~WizardApp() {
  delete wizard;
  wizard = nullptr;
}

void WizardApp::InitInstance() {
  ReadProgramKey();
  if (!DecideFamily()) {
    const std::string text = Translate(text::kUnknownWindows);
    platform.messages.Show(0, text.c_str(), nullptr, kMbOk | kMbIconError);
    return;
  }

  if (platform.toolkit == nullptr) return;
  delete wizard;
  wizard = new WizardDialog(*this);
  platform.toolkit->RunModal(*wizard, WizardDialog::kTemplateId, 0);
}

void WizardApp::ReadProgramKey() { ::ReadProgramKey(platform.registry, appPath, language); }

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
