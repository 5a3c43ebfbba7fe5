#include "wizard/keep_alive_page.h"

#include "app/wizard_app.h"
#include "wizard/wizard_dialog.h"

KeepAlivePage::KeepAlivePage(Toolkit& toolkit)
    : WizardPage(toolkit, kTemplateId, IDC_KEEPALIVE_INTERVAL_EDIT) {}

bool KeepAlivePage::IsLastStep() const {
  return app().osFamily == kOsFamily9x && app().modemBoostAvailable == 0;
}

void KeepAlivePage::OnShowPage() {
  WizardPage::OnShowPage();
  if (IsLastStep()) SetProceedToFinish();
}

void KeepAlivePage::OnHidePage() {
  StoreValues();
  RestoreProceedToNext();
}

void KeepAlivePage::ApplyTexts() {
  SetStepTitle("26", "Step 6 of 8 : Keep Alive Settings", "35",
               "Step 6 of 6 : Keep Alive Settings");
}

void KeepAlivePage::DataToControls() {
  SetFieldNumber(IDC_KEEPALIVE_INTERVAL_EDIT, keepAliveIntervalEntry);
  SetFieldNumber(IDC_KEEPALIVE_TIME_EDIT, keepAliveTimeEntry);
}

void KeepAlivePage::StoreValues() {
  TuningSettings& settings = frame().settings;
  settings.keepAliveTime = static_cast<std::uint32_t>(keepAliveTimeEntry);
  settings.keepAliveInterval = static_cast<std::uint32_t>(keepAliveIntervalEntry);
}
