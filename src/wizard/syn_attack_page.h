// Step 7 (Windows NT family only): the SYN flood protection level.
#pragma once

#include "resources/resource.h"
#include "settings/page_members.h"
#include "wizard/wizard_page.h"

class SynAttackPage : public WizardPage, public SynAttackPageMembers {
 public:
  static constexpr int kTemplateId = IDD_STEP_SYN;

  explicit SynAttackPage(Toolkit& toolkit);

  void StoreValues() override;

 protected:
  void ApplyTexts() override;
  void DataToControls() override;
};
