// Step 2: MTU and MSS. Every visit starts again from the recommendation for the chosen
// connection type.
#pragma once

#include "resources/resource.h"
#include "settings/page_members.h"
#include "wizard/wizard_page.h"

class MtuPage : public WizardPage, public MtuPageMembers {
 public:
  static constexpr int kTemplateId = IDD_STEP_MTU;

  explicit MtuPage(Toolkit& toolkit);

  void StoreValues() override;

 protected:
  void RunRecommendation() override;
  void ApplyTexts() override;
  void DataToControls() override;
};
