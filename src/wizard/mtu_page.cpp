#include "wizard/mtu_page.h"

#include "resources/resource.h"
#include "settings/recommendations.h"
#include "wizard/app_state.h"
#include "wizard/mtu_finder_dialog.h"
#include "wizard/texts.h"
#include "wizard/wizard_dialog.h"

namespace {

const PageText kTexts[] = {
    CurrentValue(IDC_static_step3_MTUExplain, text::kMtuExplain, &TuningSettings::currentMtu,
                 &WizardModel::currentMtuFound, text::kBytes, text::kWasSetTo),
    CurrentValue(IDC_static_step3_MSSExplain, text::kMssExplain, &TuningSettings::currentMss,
                 &WizardModel::currentMssFound, text::kBytes, text::kWasSetTo),
    Recommended(IDC_static_RecommendedMTU, text::kRecommendedMtu, &TuningSettings::recommendedMtu),
    Recommended(IDC_static_RecommendedMSS, text::kRecommendedMss, &TuningSettings::recommendedMss),
    Plain(IDC_MTU_FIND, text::kFindMtu),
};

// Any size above 0 is taken as typed; the MSS does not follow the MTU.
const PageField kFields[] = {
    {IDC_MTU_EDIT, &WizardModel::mtuEntry, PageField::kAboveZero, &TuningSettings::recommendedMtu,
     &TuningSettings::mtu, 0, 0},
    {IDC_MSS_EDIT, &WizardModel::mssEntry, PageField::kAboveZero, &TuningSettings::recommendedMss,
     &TuningSettings::mss, 0, 0},
};

const PageTable kTable = {
    IDD_STEP_MTU,      IDC_MSS_EDIT, text::kTitleMtuNt, text::kTitleMtu9x, kTexts, kFields, {},
    PageTable::kNever, false};

}  // namespace

MtuPage::MtuPage(AppState& app, WizardDialog& frame, WizardModel& model)
    : WizardPage(app, frame, model, kTable) {}

const PageTable& MtuPage::Table() { return kTable; }

void MtuPage::RunRecommendation() { RecommendMtu(model_, app_.osFamily); }

void MtuPage::OnCommand(int id, int code) {
  if (id == IDC_MTU_FIND) {
    if (code == kBnClicked) FindMtu();
    return;
  }
  WizardPage::OnCommand(id, code);
}

void MtuPage::FindMtu() {
  MtuFinderDialog finder(app_);
  std::uint32_t mtu = 0;
  if (!finder.Run(frame_.window(), &mtu)) return;
  SetFieldNumber(IDC_MTU_EDIT, mtu);
  CheckField(IDC_MTU_EDIT);
  SetFieldNumber(IDC_MSS_EDIT, MssForMtu(mtu));
  CheckField(IDC_MSS_EDIT);
}
