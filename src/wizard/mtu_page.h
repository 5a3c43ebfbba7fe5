// Step 2: MTU and MSS, recommended afresh from the connection type on every visit.
#pragma once

#include "wizard/wizard_page.h"

class MtuPage : public WizardPage {
 public:
  MtuPage(AppState& app, WizardDialog& frame, WizardModel& model);
  // The page's rules, for the command line's profiles.
  static const PageTable& Table();

 protected:
  void RunRecommendation() override;
};
