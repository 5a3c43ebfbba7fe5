#include "wizard/syn_attack_page.h"

#include "resources/resource.h"
#include "wizard/texts.h"

namespace {

const PageText kTexts[] = {
    Plain(IDC_static_step8_SYNExplain, text::kSynExplain),
    CurrentValue(IDC_static_RecommendedSYN, text::kSynLevels,
                 &TuningSettings::currentSynAttackProtect,
                 &WizardModel::currentSynAttackProtectFound, {}, text::kWasSetToOption),
    Plain(IDC_STATIC_SYN, text::kSynPrompt),
};

const PageField kFields[] = {
    {IDC_SYN_EDIT, &WizardModel::synAttackProtectEntry, PageField::kFrameworkRange, nullptr,
     &TuningSettings::synAttackProtect, 0, 2},
};

// Only the NT family gets here, so there is one title.
const PageTable kTable = {
    IDD_STEP_SYN,      IDC_SYN_EDIT, text::kTitleSyn, text::kTitleSyn, kTexts, kFields, {},
    PageTable::kNever, false};

}  // namespace

SynAttackPage::SynAttackPage(AppState& app, WizardDialog& frame, WizardModel& model)
    : WizardPage(app, frame, model, kTable) {}

const PageTable& SynAttackPage::Table() { return kTable; }
