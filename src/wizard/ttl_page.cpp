#include "wizard/ttl_page.h"

#include "wizard/wizard_dialog.h"

TtlPage::TtlPage(Toolkit& toolkit) : WizardPage(toolkit, kTemplateId, IDC_HTTP_1_1_EDIT) {}

void TtlPage::ApplyTexts() {
  SetStepTitle("25", "Step 5 of 8 : TTL & Internet Explorer Optimization", "34",
               "Step 5 of 6 : TTL & Internet Explorer Optimization");
}

void TtlPage::DataToControls() {
  SetFieldNumber(IDC_HTTP_1_0_EDIT, maxConnectionsPer1_0ServerEntry);
  SetFieldNumber(IDC_HTTP_1_1_EDIT, maxConnectionsPerServerEntry);
  SetFieldNumber(IDC_TTL_EDIT, ttlEntry);
}

void TtlPage::StoreValues() {
  TuningSettings& settings = frame().settings;
  settings.ttl = static_cast<std::uint32_t>(ttlEntry);
  settings.maxConnectionsPer1_0Server = static_cast<std::uint32_t>(maxConnectionsPer1_0ServerEntry);
  settings.maxConnectionsPerServer = static_cast<std::uint32_t>(maxConnectionsPerServerEntry);
}
