// Step 3: path-MTU discovery and black-hole router detection, one check box each.
#pragma once

#include "wizard/wizard_page.h"

class PathMtuPage : public WizardPage {
 public:
  PathMtuPage(AppState& app, WizardDialog& frame, WizardModel& model);
  // The page's rules, for the command line's profiles.
  static const PageTable& Table();
};
