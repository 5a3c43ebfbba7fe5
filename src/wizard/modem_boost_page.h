// The step after the last numbered one when a modem limited to 115200 bps was found. It only
// informs; Finish on it also raises the modem's port speed limit.
#pragma once

#include "resources/resource.h"
#include "wizard/wizard_page.h"

class ModemBoostPage : public WizardPage {
 public:
  static constexpr int kTemplateId = IDD_STEP_MODEM;

  explicit ModemBoostPage(Toolkit& toolkit);

 protected:
  void OnHidePage() override;
  void ApplyTexts() override;
};
