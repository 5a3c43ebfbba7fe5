#include "wizard/path_mtu_page.h"

#include "resources/resource.h"
#include "wizard/texts.h"

namespace {

const PageText kTexts[] = {
    Plain(IDC_chk_MTUDiscovery, text::kDisableDiscovery),
    Plain(IDC_chk_BlackHoleDetection, text::kEnableBlackHole),
    CurrentState(IDC_static_step4_MTUDiscoveryExplain, text::kDiscoveryExplain,
                 &TuningSettings::currentPmtuDiscovery, &WizardModel::currentPmtuDiscoveryFound),
    CurrentState(IDC_static_step4_BlackHoeDetectExplain, text::kBlackHoleExplain,
                 &TuningSettings::currentBlackHoleDetect,
                 &WizardModel::currentBlackHoleDetectFound),
    Plain(IDC_static_MTUDiscovery, text::kDiscoveryAdvice),
    Plain(IDC_static_BlackHoleDetect, text::kBlackHoleAdvice),
};

// The boxes ask opposite questions, so both unchecked is the recommended setting.
const PageCheck kChecks[] = {
    {IDC_chk_BlackHoleDetection, &TuningSettings::blackHoleDetect, 1},
    {IDC_chk_MTUDiscovery, &TuningSettings::pmtuDiscovery, 0},
};

const PageTable kTable = {IDD_STEP_PATH_MTU,
                          IDC_chk_BlackHoleDetection,
                          text::kTitlePathMtuNt,
                          text::kTitlePathMtu9x,
                          kTexts,
                          {},
                          kChecks,
                          PageTable::kNever,
                          false};

}  // namespace

PathMtuPage::PathMtuPage(AppState& app, WizardDialog& frame, WizardModel& model)
    : WizardPage(app, frame, model, kTable) {}

const PageTable& PathMtuPage::Table() { return kTable; }
