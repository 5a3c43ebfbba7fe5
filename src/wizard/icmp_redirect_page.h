// Step 8 (Windows NT family only): ICMP redirects. The last step unless the modem step follows.
#pragma once

#include "wizard/wizard_page.h"

class IcmpRedirectPage : public WizardPage {
 public:
  IcmpRedirectPage(AppState& app, WizardDialog& frame, WizardModel& model);
  // The page's rules, for the command line's profiles.
  static const PageTable& Table();
};
