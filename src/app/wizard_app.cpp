#include "app/wizard_app.h"

#include "lang/translate.h"
#include "store/program_values.h"
#include "wizard/wizard_dialog.h"

WizardApp::WizardApp(Platform& platformServices)
    : AppState(platformServices), osVersion(platformServices.version) {}

WizardApp::~WizardApp() {
  delete wizard;
  wizard = nullptr;
}

void WizardApp::InitInstance() {
  ReadProgramKey(platform.registry, appPath, language);

  if (osVersion.IsWindows95() || osVersion.IsWindows98() || osVersion.IsWindowsMe()) {
    osFamily = kOsFamily9x;
  } else if (osVersion.IsWindows2000() || osVersion.IsWindowsXp() || osVersion.IsWindowsNt4()) {
    osFamily = kOsFamilyNt;
  } else {
    std::string text =
        Translate("79", "Failed to detect your Windows version so we can't boost your connection.");
    platform.messages.Show(0, text.c_str(), nullptr, kMbOk | kMbIconError);
    return;
  }

  regeditDeletes = osVersion.IsWindows2000() || osVersion.IsWindowsXp();

  if (platform.toolkit == nullptr) return;
  delete wizard;
  wizard = new WizardDialog(*this);
  platform.toolkit->RunModal(*wizard, WizardDialog::kTemplateId, 0);
}
