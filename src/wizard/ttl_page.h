// Step 5: the default TTL and the browser's connections per server.
#pragma once

#include "resources/resource.h"
#include "settings/page_members.h"
#include "wizard/wizard_page.h"

class TtlPage : public WizardPage, public TtlPageMembers {
 public:
  static constexpr int kTemplateId = IDD_STEP_TTL;

  explicit TtlPage(Toolkit& toolkit);

  void StoreValues() override;

 protected:
  void ApplyTexts() override;
  void DataToControls() override;
};
