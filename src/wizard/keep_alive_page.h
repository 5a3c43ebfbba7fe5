// Step 6: keep-alive time and interval. On Windows 9x without a modem step it is the last step.
#pragma once

#include "resources/resource.h"
#include "settings/page_members.h"
#include "wizard/wizard_page.h"

class KeepAlivePage : public WizardPage, public KeepAlivePageMembers {
 public:
  static constexpr int kTemplateId = IDD_STEP_KEEPALIVE;

  explicit KeepAlivePage(Toolkit& toolkit);

  void StoreValues() override;
  // Whether this page ends the wizard on the running system.
  bool IsLastStep() const;

 protected:
  void OnShowPage() override;
  void OnHidePage() override;
  void ApplyTexts() override;
  void DataToControls() override;
};
