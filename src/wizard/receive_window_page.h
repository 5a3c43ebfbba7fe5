// Step 4: the TCP receive window, shown as MSS x multiplier x 4.
#pragma once

#include "resources/resource.h"
#include "settings/page_members.h"
#include "wizard/wizard_page.h"

class ReceiveWindowPage : public WizardPage, public ReceiveWindowPageMembers {
 public:
  static constexpr int kTemplateId = IDD_STEP_RWIN;

  explicit ReceiveWindowPage(Toolkit& toolkit);

  void StoreValues() override;

 protected:
  void RunRecommendation() override;
  void ApplyTexts() override;
  void DataToControls() override;
};
