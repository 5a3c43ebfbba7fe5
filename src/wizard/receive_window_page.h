// Step 4: the receive window, chosen as MSS x multiplier x 4. The RWIN field follows the
// multiplier as it is typed; leaving the field checks the product's range. The window kept for
// writing is always within that range: the capped recommendation until a typed multiplier
// passes the check.
#pragma once

#include <cstdint>
#include <string>

#include "wizard/wizard_page.h"

class ReceiveWindowPage : public WizardPage {
 public:
  ReceiveWindowPage(AppState& app, WizardDialog& frame, WizardModel& model);

 protected:
  void RunRecommendation() override;
  void DataToControls() override;
  void OnFieldChanged(int id) override;
  bool CheckField(int id) override;

 private:
  // The page is filling its fields: their change notifications are not the user's.
  bool filling_ = false;
  // The multiplier field holds what the user typed since the page last filled it.
  bool typed_ = false;
};

// MSS x multiplier x 4 without any wrap-around: a 31-bit MSS times a 32-bit multiplier times 4
// fits 64 bits as a magnitude with its sign beside it.
struct ReceiveWindowProduct {
  bool negative;
  std::uint64_t magnitude;

  // From the MSS to the largest window TCP can announce, both included.
  bool InRange(std::uint32_t mss) const;
  std::string Text() const;
};
ReceiveWindowProduct MultiplyReceiveWindow(std::uint32_t mss, std::int32_t multiplier);
