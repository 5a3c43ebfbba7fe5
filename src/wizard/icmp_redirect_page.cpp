#include "wizard/icmp_redirect_page.h"

#include "app/wizard_app.h"
#include "wizard/wizard_dialog.h"

IcmpRedirectPage::IcmpRedirectPage(Toolkit& toolkit)
    : WizardPage(toolkit, kTemplateId, IDC_chk_ICMP) {}

bool IcmpRedirectPage::IsLastStep() const {
  return app().osFamily == kOsFamilyNt && app().modemBoostAvailable == 0;
}

void IcmpRedirectPage::OnShowPage() {
  WizardPage::OnShowPage();
  if (IsLastStep()) SetProceedToFinish();
}

void IcmpRedirectPage::OnHidePage() {
  StoreValues();
  RestoreProceedToNext();
}

void IcmpRedirectPage::ApplyTexts() {
  SetStepTitle("28", "Step 8 of 8 : ICMP Redirect Attack Setting", "28",
               "Step 8 of 8 : ICMP Redirect Attack Setting");
}

void IcmpRedirectPage::StoreValues() {
  frame().settings.icmpRedirects = IsItemChecked(IDC_chk_ICMP) ? 1 : 0;
}
