// The modem step: shown after the last numbered step when a modem whose port is held to
// 115200 bps was found. It only informs; Finish on it applies everything, the modem first.
#pragma once

#include "wizard/wizard_page.h"

class ModemBoostPage : public WizardPage {
 public:
  ModemBoostPage(AppState& app, WizardDialog& frame, WizardModel& model);
  static const PageTable& Table();
};
