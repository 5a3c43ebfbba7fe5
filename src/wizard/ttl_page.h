// Step 5: the default TTL and the browser's connections per HTTP 1.0 and 1.1 server.
#pragma once

#include "wizard/wizard_page.h"

class TtlPage : public WizardPage {
 public:
  TtlPage(AppState& app, WizardDialog& frame, WizardModel& model);
  // The page's rules, for the command line's profiles.
  static const PageTable& Table();
};
