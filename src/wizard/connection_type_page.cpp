#include "wizard/connection_type_page.h"

#include "resources/resource.h"
#include "store/modem_port_speed.h"
#include "wizard/app_state.h"
#include "wizard/texts.h"
#include "wizard/wizard_dialog.h"

namespace {

const PageText kTexts[] = {
    Plain(IDC_step2_RADIO_DialUp, text::kDialUp),
    Plain(IDC_step2_RADIO_CableModem, text::kCableModem),
    Plain(IDC_step2_RADIO_DSL, text::kDsl),
    Plain(IDC_step2_RADIO_LAN, text::kLan),
    Plain(IDC_static_step2_Explain, text::kConnectionQuestion),
};

const PageTable kTable = {IDD_STEP_CONNECTION,
                          WizardPage::kAnyControl,
                          text::kTitleConnectionNt,
                          text::kTitleConnection9x,
                          kTexts,
                          {},
                          {}};

// Asked in this order; the first radio button found checked decides.
const struct {
  int id;
  ConnectionType type;
} kRadioTypes[] = {
    {IDC_step2_RADIO_CableModem, kConnectionCableModem},
    {IDC_step2_RADIO_DialUp, kConnectionDialUp},
    {IDC_step2_RADIO_DSL, kConnectionDsl},
    {IDC_step2_RADIO_LAN, kConnectionLan},
};

}  // namespace

const PageTable& ConnectionTypePage::Table() { return kTable; }

ConnectionTypePage::ConnectionTypePage(AppState& app, WizardDialog& frame, WizardModel& model)
    : WizardPage(app, frame, model, kTable) {}

bool ConnectionTypePage::OnInitDialog() {
  WizardPage::OnInitDialog();
  // Dial-up is the answer until the user picks another, so the type is never left unset.
  WindowRef dialUp = Item(IDC_step2_RADIO_DialUp);
  if (dialUp != 0) toolkit().SetCheck(dialUp, true);
  // Nothing here reacts to the focus, so the dialog manager may place it as usual.
  return true;
}

void ConnectionTypePage::OnOK() {
  WindowRef next = toolkit().Item(frame_.window(), IDC_Next);
  if (next != 0) toolkit().SetFocus(next);
  frame_.OnProceed();
}

void ConnectionTypePage::OnShowPage() {
  // The radio buttons keep the user's last choice; the keyboard goes to the checked one.
  toolkit().SetFocus(window());
  WizardPage::OnShowPage();
}

void ConnectionTypePage::StoreValues() {
  for (const auto& radio : kRadioTypes) {
    if (IsItemChecked(radio.id)) {
      model_.settings.connectionType = radio.type;
      return;
    }
  }
}

void ConnectionTypePage::OnHidePage() {
  WizardPage::OnHidePage();
  if (model_.settings.connectionType == kConnectionDialUp) {
    DetectBoostableModem(app_.platform.registry, app_.osFamily, app_.modemBoostAvailable);
  }
}
