#include "wizard/syn_attack_page.h"

#include "wizard/wizard_dialog.h"

SynAttackPage::SynAttackPage(Toolkit& toolkit) : WizardPage(toolkit, kTemplateId, IDC_SYN_EDIT) {}

void SynAttackPage::ApplyTexts() {
  // Only the NT family gets here, so there is one title.
  SetStepTitle("27", "Step 7 of 8 : SYN Flood Attack Setting", "27",
               "Step 7 of 8 : SYN Flood Attack Setting");
}

void SynAttackPage::DataToControls() { SetFieldNumber(IDC_SYN_EDIT, synAttackProtectEntry); }

void SynAttackPage::StoreValues() {
  frame().settings.synAttackProtect = static_cast<std::uint32_t>(synAttackProtectEntry);
}
