#include "wizard/mtu_page.h"

#include "wizard/wizard_dialog.h"

MtuPage::MtuPage(Toolkit& toolkit) : WizardPage(toolkit, kTemplateId, IDC_MSS_EDIT) {}

void MtuPage::RunRecommendation() { frame().RecommendMtu(); }

void MtuPage::ApplyTexts() {
  SetStepTitle("22", "Step 2 of 8 : Specify MTU Settings", "31",
               "Step 2 of 6 : Specify MTU Settings");
}

void MtuPage::DataToControls() {
  SetFieldNumber(IDC_MTU_EDIT, mtuEntry);
  SetFieldNumber(IDC_MSS_EDIT, mssEntry);
}

void MtuPage::StoreValues() {
  TuningSettings& settings = frame().settings;
  settings.mtu = static_cast<std::uint32_t>(mtuEntry);
  settings.mss = static_cast<std::uint32_t>(mssEntry);
}
