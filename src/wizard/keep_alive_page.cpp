#include "wizard/keep_alive_page.h"

#include "resources/resource.h"
#include "wizard/texts.h"

namespace {

const PageText kTexts[] = {
    CurrentValue(IDC_static_step7_KeepAliveTimeExplain, text::kKeepAliveTimeExplain,
                 &TuningSettings::currentKeepAliveTime, &WizardModel::currentKeepAliveTimeFound,
                 text::kMilliseconds, text::kWasSetTo),
    CurrentValue(IDC_static_step7_KeepLAliveIntervalExplain, text::kKeepAliveIntervalExplain,
                 &TuningSettings::currentKeepAliveInterval,
                 &WizardModel::currentKeepAliveIntervalFound, text::kMilliseconds, text::kWasSetTo),
    Recommended(IDC_static_RecommendedKeepAliveTime, text::kRecommendedKeepAliveTime,
                &TuningSettings::recommendedKeepAliveTime),
    Recommended(IDC_static_RecommendedKeepAliveInterval, text::kRecommendedKeepAliveInterval,
                &TuningSettings::recommendedKeepAliveInterval),
};

const PageField kFields[] = {
    {IDC_KEEPALIVE_INTERVAL_EDIT, &WizardModel::keepAliveIntervalEntry, PageField::kAboveZero,
     &TuningSettings::recommendedKeepAliveInterval, &TuningSettings::keepAliveInterval, 0, 0},
    {IDC_KEEPALIVE_TIME_EDIT, &WizardModel::keepAliveTimeEntry, PageField::kAboveZero,
     &TuningSettings::recommendedKeepAliveTime, &TuningSettings::keepAliveTime, 0, 0},
};

const PageTable kTable = {IDD_STEP_KEEPALIVE,
                          IDC_KEEPALIVE_INTERVAL_EDIT,
                          text::kTitleKeepAliveNt,
                          text::kTitleKeepAlive9x,
                          kTexts,
                          kFields,
                          {},
                          PageTable::kLastOn9x,
                          true};

}  // namespace

KeepAlivePage::KeepAlivePage(AppState& app, WizardDialog& frame, WizardModel& model)
    : WizardPage(app, frame, model, kTable) {}

const PageTable& KeepAlivePage::Table() { return kTable; }
