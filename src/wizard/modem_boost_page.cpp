#include "wizard/modem_boost_page.h"

#include "resources/resource.h"
#include "wizard/texts.h"

namespace {

const PageText kTexts[] = {Plain(IDC_DESCRIBTION, text::kModemDescription)};

const PageTable kTable = {IDD_STEP_MODEM, 0, text::kTitleModem, text::kTitleModem, kTexts, {}, {}};

}  // namespace

const PageTable& ModemBoostPage::Table() { return kTable; }

ModemBoostPage::ModemBoostPage(AppState& app, WizardDialog& frame, WizardModel& model)
    : WizardPage(app, frame, model, kTable) {}
