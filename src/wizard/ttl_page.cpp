#include "wizard/ttl_page.h"

#include "resources/resource.h"
#include "wizard/texts.h"

namespace {

const PageText kTexts[] = {
    CurrentValue(IDC_static_step6_Explain, text::kTtlExplain, &TuningSettings::currentTtl,
                 &WizardModel::currentTtlFound, text::kSeconds, text::kWasSetTo),
    Recommended(IDC_static_RecommendedTTL, text::kRecommendedTtl, &TuningSettings::recommendedTtl),
    Plain(IDC_IE_GROUP_BOX, text::kBrowserGroup),
    Plain(IDC_IE_OPTIMIZATION, text::kBrowserExplain),
    CurrentValue(IDC_CURRENT_HTTP_1_0, text::kCurrentHttp10,
                 &TuningSettings::currentMaxConnectionsPer1_0Server,
                 &WizardModel::currentMaxConnectionsPer1_0ServerFound, {}, text::kWasSetTo),
    Recommended(IDC_RECOMMENDED_HTTP_1_0, text::kRecommendedHttp10,
                &TuningSettings::recommendedMaxConnectionsPer1_0Server),
    CurrentValue(IDC_CURRENT_HTTP_1_1, text::kCurrentHttp11,
                 &TuningSettings::currentMaxConnectionsPerServer,
                 &WizardModel::currentMaxConnectionsPerServerFound, {}, text::kWasSetTo),
    Recommended(IDC_RECOMMENDED_HTTP_1_1, text::kRecommendedHttp11,
                &TuningSettings::recommendedMaxConnectionsPerServer),
};

// In the order the framework exchanges them. Windows takes a TTL from 1 to 255: 0 would be a
// TTL no packet can be sent with.
const PageField kFields[] = {
    {IDC_HTTP_1_0_EDIT, &WizardModel::maxConnectionsPer1_0ServerEntry, PageField::kAtLeast,
     &TuningSettings::recommendedMaxConnectionsPer1_0Server,
     &TuningSettings::maxConnectionsPer1_0Server, 4, 0},
    {IDC_HTTP_1_1_EDIT, &WizardModel::maxConnectionsPerServerEntry, PageField::kAtLeast,
     &TuningSettings::recommendedMaxConnectionsPerServer, &TuningSettings::maxConnectionsPerServer,
     2, 0},
    {IDC_TTL_EDIT, &WizardModel::ttlEntry, PageField::kFrameworkRange, nullptr,
     &TuningSettings::ttl, 1, 255},
};

const PageTable kTable = {IDD_STEP_TTL,
                          IDC_HTTP_1_1_EDIT,
                          text::kTitleTtlNt,
                          text::kTitleTtl9x,
                          kTexts,
                          kFields,
                          {},
                          PageTable::kNever,
                          false};

}  // namespace

TtlPage::TtlPage(AppState& app, WizardDialog& frame, WizardModel& model)
    : WizardPage(app, frame, model, kTable) {}

const PageTable& TtlPage::Table() { return kTable; }
