// Step 3: path-MTU discovery and black-hole router detection, one check box each.
#pragma once

#include "resources/resource.h"
#include "settings/page_members.h"
#include "wizard/wizard_page.h"

class PathMtuPage : public WizardPage, public PathMtuPageMembers {
 public:
  static constexpr int kTemplateId = IDD_STEP_PATH_MTU;

  explicit PathMtuPage(Toolkit& toolkit);

  void StoreValues() override;

 protected:
  void ApplyTexts() override;
};
