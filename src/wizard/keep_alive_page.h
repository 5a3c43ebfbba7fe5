// Step 6: keep-alive time and interval. On Windows 9x without a modem step it is the last step.
#pragma once

#include "wizard/wizard_page.h"

class KeepAlivePage : public WizardPage {
 public:
  KeepAlivePage(AppState& app, WizardDialog& frame, WizardModel& model);
  // The page's rules, for the command line's profiles.
  static const PageTable& Table();
};
