// Step 8 (Windows NT family only): ICMP redirects. The last step unless the modem step follows.
#pragma once

#include "resources/resource.h"
#include "settings/page_members.h"
#include "wizard/wizard_page.h"

class IcmpRedirectPage : public WizardPage, public IcmpRedirectPageMembers {
 public:
  static constexpr int kTemplateId = IDD_STEP_ICMP;

  explicit IcmpRedirectPage(Toolkit& toolkit);

  void StoreValues() override;
  bool IsLastStep() const;

 protected:
  void OnShowPage() override;
  void OnHidePage() override;
  void ApplyTexts() override;
};
