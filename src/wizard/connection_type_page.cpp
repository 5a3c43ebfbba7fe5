#include "wizard/connection_type_page.h"

#include "app/wizard_app.h"
#include "wizard/wizard_dialog.h"

ConnectionTypePage::ConnectionTypePage(Toolkit& toolkit)
    : WizardPage(toolkit, kTemplateId, kAnyControl) {}

bool ConnectionTypePage::OnInitDialog() {
  WizardPage::OnInitDialog();
  // Dial-up is the answer until the user picks another, so the type is never left unset.
  WindowRef dialUp = Item(IDC_step2_RADIO_DialUp);
  if (dialUp != 0) toolkit().SetCheck(dialUp, true);
  // Nothing here reacts to the focus, so the dialog manager may place it as usual.
  return true;
}

void ConnectionTypePage::OnOK() {
  WindowRef next = toolkit().Item(frame().window(), IDC_Next);
  if (next != 0) toolkit().SetFocus(next);
  frame().OnProceed();
}

void ConnectionTypePage::OnShowPage() {
  // No recommendation here, and the radio buttons keep the user's last choice.
  toolkit().SetFocus(window());
  ApplyTexts();
}

void ConnectionTypePage::ApplyTexts() {
  SetStepTitle("21", "Step 1 of 8 : Choose Connection Type", "30",
               "Step 1 of 6 : Choose Connection Type");
  TranslateItem(IDC_step2_RADIO_DialUp, "IDC_step2_RADIO_DialUp", "Dial Up Connection (&Modem).");
  TranslateItem(IDC_step2_RADIO_CableModem, "IDC_step2_RADIO_CableModem", "&Cable Modem.");
  TranslateItem(IDC_step2_RADIO_DSL, "IDC_step2_RADIO_DSL", "&Digital Subscriber Line (DSL).");
  TranslateItem(IDC_step2_RADIO_LAN, "IDC_step2_RADIO_LAN", "&LAN Connection (Ethernet).");
  TranslateItem(IDC_static_step2_Explain, "IDC_static_step2_Explain",
                "How do you connect to the internet?");
}

void ConnectionTypePage::StoreValues() {
  ConnectionType& type = frame().settings.connectionType;
  if (IsItemChecked(IDC_step2_RADIO_CableModem)) {
    type = kConnectionCableModem;
  } else if (IsItemChecked(IDC_step2_RADIO_DialUp)) {
    type = kConnectionDialUp;
  } else if (IsItemChecked(IDC_step2_RADIO_DSL)) {
    type = kConnectionDsl;
  } else if (IsItemChecked(IDC_step2_RADIO_LAN)) {
    type = kConnectionLan;
  }
}

void ConnectionTypePage::OnHidePage() {
  StoreValues();
  if (frame().settings.connectionType == kConnectionDialUp) frame().DetectBoostableModem();
}
