// Step 1: how the machine reaches the internet. The answer drives the MTU and receive window
// recommendations, and dial-up also starts the search for a modem whose port can go faster.
#pragma once

#include "wizard/wizard_page.h"

class ConnectionTypePage : public WizardPage {
 public:
  ConnectionTypePage(AppState& app, WizardDialog& frame, WizardModel& model);
  static const PageTable& Table();

  bool OnInitDialog() override;
  // Enter on this page is a press of Next.
  void OnOK() override;
  void StoreValues() override;

 protected:
  void OnShowPage() override;
  void OnHidePage() override;
};
