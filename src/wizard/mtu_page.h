// Step 2: MTU and MSS, recommended afresh from the connection type on every visit, or measured
// to a host with the MTU finder.
#pragma once

#include "wizard/wizard_page.h"

class MtuPage : public WizardPage {
 public:
  MtuPage(AppState& app, WizardDialog& frame, WizardModel& model);
  // The page's rules, for the command line's profiles.
  static const PageTable& Table();

  void OnCommand(int id, int code) override;

 protected:
  void RunRecommendation() override;

 private:
  // Runs the MTU finder; a measured MTU goes into the MTU field and MTU - 40 into the MSS
  // field, each then taken as if the user had typed it and left the field.
  void FindMtu();
};
