#include "wizard/path_mtu_page.h"

#include "wizard/wizard_dialog.h"

PathMtuPage::PathMtuPage(Toolkit& toolkit)
    : WizardPage(toolkit, kTemplateId, IDC_chk_BlackHoleDetection) {}

void PathMtuPage::ApplyTexts() {
  SetStepTitle("23", "Step 3 of 8 : Other MTU Settings", "32", "Step 3 of 6 : Other MTU Settings");
}

void PathMtuPage::StoreValues() {
  // The boxes ask opposite questions, so both unchecked is the recommended setting.
  TuningSettings& settings = frame().settings;
  settings.blackHoleDetect = IsItemChecked(IDC_chk_BlackHoleDetection) ? 1 : 0;
  settings.pmtuDiscovery = IsItemChecked(IDC_chk_MTUDiscovery) ? 0 : 1;
}
