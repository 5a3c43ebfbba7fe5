#include "wizard/receive_window_page.h"

#include "wizard/wizard_dialog.h"

ReceiveWindowPage::ReceiveWindowPage(Toolkit& toolkit)
    : WizardPage(toolkit, kTemplateId, IDC_MULTIPLIER_EDIT) {}

void ReceiveWindowPage::RunRecommendation() { frame().RecommendReceiveWindow(); }

void ReceiveWindowPage::ApplyTexts() {
  SetStepTitle("24", "Step 4 of 8 : RWIN Setting", "33", "Step 4 of 6 : RWIN Setting");
}

void ReceiveWindowPage::DataToControls() {
  SetFieldNumber(IDC_MULTIPLIER_EDIT, multiplierEntry);
  SetFieldNumber(IDC_RWIN_EDIT, receiveWindowEntry);
  SetFieldUnsigned(IDC_RWIN_MSS_EDIT, frame().settings.mss);
  SetFieldNumber(IDC_SCALING_FACTOR_EDIT, 4);
}

void ReceiveWindowPage::StoreValues() {
  frame().settings.receiveWindow = static_cast<std::uint32_t>(receiveWindowEntry);
}
