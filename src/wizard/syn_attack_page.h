// Step 7 (Windows NT family only): the SYN flood protection level.
#pragma once

#include "wizard/wizard_page.h"

class SynAttackPage : public WizardPage {
 public:
  SynAttackPage(AppState& app, WizardDialog& frame, WizardModel& model);
  // The page's rules, for the command line's profiles.
  static const PageTable& Table();
};
