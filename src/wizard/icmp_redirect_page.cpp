#include "wizard/icmp_redirect_page.h"

#include "resources/resource.h"
#include "wizard/texts.h"

namespace {

const PageText kTexts[] = {
    Plain(IDC_chk_ICMP, text::kEnableIcmp),
    Plain(IDC_static_step9_ICMPExplain, text::kIcmpExplain1),
    Plain(IDC_static_step9_ICMPExplain2, text::kIcmpExplain2),
    Plain(IDC_static_step9_ICMPExplain3, text::kIcmpExplain3),
    CurrentState(IDC_static_step9_ICMPExplain4, text::kIcmpExplain4,
                 &TuningSettings::currentIcmpRedirects, &WizardModel::currentIcmpRedirectsFound),
    Plain(IDC_RecommendedICMP, text::kIcmpAdvice),
};

// Unchecked at first, and never set by the page: it keeps what the user left it at.
const PageCheck kChecks[] = {{IDC_chk_ICMP, &TuningSettings::icmpRedirects, 1}};

const PageTable kTable = {IDD_STEP_ICMP, IDC_chk_ICMP, text::kTitleIcmp, text::kTitleIcmp,
                          kTexts,        {},           kChecks,          PageTable::kLastOnNt,
                          true};

}  // namespace

IcmpRedirectPage::IcmpRedirectPage(AppState& app, WizardDialog& frame, WizardModel& model)
    : WizardPage(app, frame, model, kTable) {}

const PageTable& IcmpRedirectPage::Table() { return kTable; }
