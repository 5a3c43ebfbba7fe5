#include "wizard/receive_window_page.h"

#include "resources/resource.h"
#include "settings/recommendations.h"
#include "wizard/app_state.h"
#include "wizard/page_format.h"
#include "wizard/texts.h"

namespace {

const PageText kTexts[] = {
    CurrentValue(IDC_static_step5_Explain, text::kRwinExplain,
                 &TuningSettings::currentReceiveWindow, &WizardModel::currentReceiveWindowFound,
                 text::kBytes, text::kWasSetTo),
    Recommended(IDC_static_RecommendedRWIN, text::kRecommendedRwin,
                &TuningSettings::recommendedReceiveWindow),
    Plain(IDC_STATIC_SCALING_FACTOR, text::kScalingFactor),
    Plain(IDC_STATIC_MULTIPLIER, text::kMultiplier),
};

// The multiplier is read by the page's own handlers; the RWIN field only shows the product.
const PageField kFields[] = {
    {IDC_MULTIPLIER_EDIT, &WizardModel::multiplierEntry, PageField::kShowOnly, nullptr, nullptr, 0,
     0},
    {IDC_RWIN_EDIT, &WizardModel::receiveWindowEntry, PageField::kShowOnly, nullptr,
     &TuningSettings::receiveWindow, 0, 0},
};

const PageTable kTable = {IDD_STEP_RWIN,
                          IDC_MULTIPLIER_EDIT,
                          text::kTitleRwinNt,
                          text::kTitleRwin9x,
                          kTexts,
                          kFields,
                          {},
                          PageTable::kNever,
                          false};

}  // namespace

ReceiveWindowProduct MultiplyReceiveWindow(std::uint32_t mss, std::int32_t multiplier) {
  const bool negative = multiplier < 0;
  const std::uint64_t factor = negative ? 0 - static_cast<std::uint64_t>(multiplier)
                                        : static_cast<std::uint64_t>(multiplier);
  return {negative && mss != 0, mss * factor * kReceiveWindowScaling};
}

bool ReceiveWindowProduct::InRange(std::uint32_t mss) const {
  return !negative && magnitude >= mss && magnitude <= kMaxReceiveWindow;
}

std::string ReceiveWindowProduct::Text() const {
  return (negative ? "-" : "") + std::to_string(magnitude);
}

ReceiveWindowPage::ReceiveWindowPage(AppState& app, WizardDialog& frame, WizardModel& model)
    : WizardPage(app, frame, model, kTable) {}

void ReceiveWindowPage::RunRecommendation() { RecommendReceiveWindow(model_, app_.osFamily); }

void ReceiveWindowPage::DataToControls() {
  // The recommendation for a large MSS is capped, so the multiplier shown may not give it: the
  // window shown is the one kept, not the product.
  filling_ = true;
  WizardPage::DataToControls();
  filling_ = false;
  typed_ = false;
  SetFieldNumber(IDC_RWIN_MSS_EDIT, model_.settings.mss);
  SetFieldNumber(IDC_SCALING_FACTOR_EDIT, kReceiveWindowScaling);
}

void ReceiveWindowPage::OnFieldChanged(int id) {
  if (id != IDC_MULTIPLIER_EDIT || filling_) return;
  typed_ = true;
  std::int32_t multiplier = 0;
  if (!ParseInteger(FieldText(id), &multiplier)) multiplier = 0;
  model_.multiplierEntry = multiplier;
  // While the field is empty the window keeps its last value.
  if (multiplier == 0) return;
  const ReceiveWindowProduct product = MultiplyReceiveWindow(model_.settings.mss, multiplier);
  // A product out of range is shown as it is but not kept; leaving the field rejects it.
  if (product.InRange(model_.settings.mss)) {
    model_.receiveWindowEntry = static_cast<std::int32_t>(product.magnitude);
  }
  // Rewriting drops leading zeros and would put the caret in front: the next digit goes after.
  const std::string number = std::to_string(multiplier);
  if (FieldText(id) != number) {
    SetFieldText(id, number);
    toolkit().MoveCaretToEnd(Item(id));
  }
  SetFieldText(IDC_RWIN_EDIT, product.Text());
}

bool ReceiveWindowPage::CheckField(int id) {
  if (id != IDC_MULTIPLIER_EDIT || !typed_) return true;
  const std::uint32_t mss = model_.settings.mss;
  const ReceiveWindowProduct product = MultiplyReceiveWindow(mss, model_.multiplierEntry);
  if (product.InRange(mss)) {
    model_.receiveWindowEntry = static_cast<std::int32_t>(product.magnitude);
    return true;
  }
  ShowMessage(app_.Translate(text::kRwinRange), kMbOk | kMbIconInformation);
  model_.multiplierEntry = model_.recommendedMultiplier;
  model_.receiveWindowEntry = static_cast<std::int32_t>(model_.settings.recommendedReceiveWindow);
  DataToControls();
  FocusField(id);
  return false;
}
