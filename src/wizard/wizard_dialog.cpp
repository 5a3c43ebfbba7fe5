#include "wizard/wizard_dialog.h"

#include "app/wizard_app.h"
#include "settings/recommendations.h"
#include "store/modem_port_speed.h"
#include "store/settings_store.h"
#include "store/store_messages.h"
#include "wizard/about_dialog.h"

namespace {

const char* const kIntroductionText =
    "Are you bored from your internet connection speed?*Do you need faster internet surfing?*Do "
    "you want to keep your connection secure?*Do you want to speed up your modem , DSL and LAN "
    "connection speed?*Do you want to add more speeds greater than 115200 to your modem "
    "settings?*Are you bored from trying out different internet settings in order to get more "
    "speedy internet connections and nothing happen?*Do you want to speed up your internet "
    "connection without any networking and communication background required?*Do you want to "
    "achieve all this just by a couple of mouse clicks?**Ovik Quarnel offers you all these "
    "capabilities and more, just follow the instructions to have your own speed internet "
    "connections.**No more different settings trying, Ovik Quarnel will try for you those "
    "settings to give you the most appropriate settings for your own system.";

const char* const kHintText =
    "Ovik Quarnel will save your original settings, so if you feel that Ovik Quarnel doesn't "
    "speed up your conection, you can reset your connection settings by simply click the 'Reset "
    "Connection Settings' Button.**So Good Luck ...";

// The controls that belong to the introduction screen only.
const int kIntroductionControls[] = {IDC_RESET_SETTINGS, IDC_static_Introduction, IDC_HINT,
                                     IDC_LANGUAGE_LIST, IDC_Language};

}  // namespace

WizardDialog::WizardDialog(Toolkit& toolkit)
    : Dialog(toolkit),
      connectionTypePage(toolkit),
      mtuPage(toolkit),
      pathMtuPage(toolkit),
      receiveWindowPage(toolkit),
      ttlPage(toolkit),
      keepAlivePage(toolkit),
      synAttackPage(toolkit),
      icmpRedirectPage(toolkit),
      modemBoostPage(toolkit) {}

bool WizardDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  const std::string about = toolkit().LoadResourceString(IDS_ABOUTBOX);
  if (!about.empty()) toolkit().AppendSystemMenuItem(window(), IDM_ABOUTBOX, about);
  toolkit().SetIcon(window(), IDI_APP);
  FillLanguageList();
  ApplyFrameTexts();
  EnableItem(IDC_RESET_SETTINGS, BackupExists());

  RecommendSynProtection();
  RecommendKeepAlive();
  RecommendTtl();
  RecommendConnections();

  for (int i = 0; i < kPageCount; ++i) PageInTemplateOrder(i)->Create(window());
  for (int i = 0; i < kPageCount; ++i) {
    WindowRef page = PageInTemplateOrder(i)->window();
    if (page != 0) toolkit().MoveTo(page, kPageLeft, kPageTop);
  }
  return true;
}

void WizardDialog::OnCommand(int id, int code) {
  switch (id) {
    case IDC_Next:
      if (code == kBnClicked) OnProceed();
      return;
    case IDC_Back:
      if (code == kBnClicked) OnBack();
      return;
    case IDC_RESET_SETTINGS:
      if (code == kBnClicked) OnResetConnectionSettings();
      return;
    case IDC_LANGUAGE_LIST:
      if (code == kCbnSelChange) OnLanguageChanged();
      return;
    default:
      Dialog::OnCommand(id, code);
  }
}

void WizardDialog::OnOK() {
  // The dialog's default action is the Proceed button, never ending the dialog.
  WindowRef proceed = Item(IDC_Next);
  if (proceed != 0 && toolkit().IsEnabled(proceed)) OnProceed();
}

bool WizardDialog::OnSysCommand(int id) {
  if ((id & ~0xF) != IDM_ABOUTBOX) return false;
  AboutDialog about(toolkit());
  about.Run(window());
  return true;
}

bool WizardDialog::PreTranslateKey(const KeyEvent& key) {
  if (key.virtualKey == kVkTab) {
    WindowRef exitButton = Item(IDCANCEL);
    if (exitButton != 0 && toolkit().Focus() == exitButton) {
      // From the last frame button the keyboard goes into the page on show, not round the frame.
      WizardPage* const order[] = {&connectionTypePage, &mtuPage,      &pathMtuPage,
                                   &receiveWindowPage,  &ttlPage,      &synAttackPage,
                                   &icmpRedirectPage,   &keepAlivePage};
      for (WizardPage* page : order) {
        if (page->window() != 0 && toolkit().IsVisible(page->window())) {
          toolkit().SetFocus(page->window());
          return false;
        }
      }
    }
  }
  return Dialog::PreTranslateKey(key);
}

bool WizardDialog::ConfirmBackupOverwrite() {
  return App().ShowTranslated(window(), "43",
                              "Now, your old connection settings saved as backup will be "
                              "overwritten with the current settings.*Do you want to proceed?",
                              kMbYesNo | kMbIconQuestion) == kIdYes;
}

bool WizardDialog::ConfirmGoingOnWithoutBackup() {
  return App().ShowTranslated(window(), "45",
                              "Ovik Quarnel could not save your original settings, so 'Reset "
                              "Connection Settings' could not bring them back.*Do you want to go "
                              "on anyway?",
                              kMbYesNo | kMbIconWarning | kMbDefButton2) == kIdYes;
}

WizardPage* WizardDialog::VisibleLastStep() {
  auto visible = [this](WizardPage& page) {
    return page.window() != 0 && toolkit().IsVisible(page.window());
  };
  if (visible(modemBoostPage)) return &modemBoostPage;
  if (visible(keepAlivePage) && keepAlivePage.IsLastStep()) return &keepAlivePage;
  if (visible(icmpRedirectPage) && icmpRedirectPage.IsLastStep()) return &icmpRedirectPage;
  return nullptr;
}

void WizardDialog::OnProceed() {
  WizardApp& app = App();
  if (nextStep == 1) {
    WindowRef reset = Item(IDC_RESET_SETTINGS);
    if (reset != 0 && toolkit().IsEnabled(reset) && !ConfirmBackupOverwrite()) return;
  }

  // The caption alone can't tell the last step: a translation may give "Next" and "Finish" the
  // same words, and finishing early would write values no page has set yet.
  WizardPage* last = VisibleLastStep();
  if (last != nullptr && ProceedCaption() == app.Translate("10", "Finish")) {
    Finish(*last);
    return;
  }

  switch (nextStep) {
    case 1:
      if (!ReadCurrentSettings()) return;
      ShowPage(connectionTypePage, true);
      SetProceedCaption(app.Translate("20", "&Next >"));
      EnableItem(IDC_Back, true);
      ShowIntroduction(false);
      break;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
      // Leave the page of the previous case for the next one in template order.
      ShowPage(*PageInTemplateOrder(nextStep - 2), false);
      ShowPage(*PageInTemplateOrder(nextStep - 1), true);
      break;
    case 9:
      ShowPage(app.osFamily == kOsFamilyNt ? static_cast<WizardPage&>(icmpRedirectPage)
                                           : static_cast<WizardPage&>(keepAlivePage),
               false);
      ShowPage(modemBoostPage, true);
      SetProceedCaption(app.Translate("10", "Finish"));
      break;
    default:
      break;
  }
  ++nextStep;
  ++pageIndex;

  // With a modem on Windows 9x the keep-alive step leads straight to the modem step.
  if (app.osFamily == kOsFamily9x && app.modemBoostAvailable != 0 && nextStep == 7) {
    nextStep = 9;
    pageIndex = 5;
  }
}

void WizardDialog::Finish(WizardPage& lastPage) {
  // The page stays up, so it hands its values over as it would on being hidden.
  lastPage.StoreValues();
  ApplySettings();
}

void WizardDialog::OnBack() {
  // Back is disabled on the introduction; a stray press there must not move the counters.
  if (pageIndex < 0) return;
  const bool nt = App().osFamily == kOsFamilyNt;
  switch (pageIndex) {
    case 0: {
      ShowIntroduction(true);
      WindowRef proceed = Item(IDC_Next);
      if (proceed != 0) toolkit().SetFocus(proceed);
      ShowPage(connectionTypePage, false);
      ApplyFrameTexts();
      EnableItem(IDC_Back, false);
      break;
    }
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
      ShowPage(*PageAtSlot(pageIndex), false);
      ShowPage(*PageAtSlot(pageIndex - 1), true);
      break;
    case 6:
      if (nt) {
        ShowPage(synAttackPage, false);
      } else {
        ShowPage(modemBoostPage, false);
        EnableItem(IDC_Next, true);
      }
      ShowPage(keepAlivePage, true);
      break;
    case 7:
      ShowPage(icmpRedirectPage, false);
      ShowPage(synAttackPage, true);
      break;
    case 8:
      EnableItem(IDC_Next, true);
      ShowPage(modemBoostPage, false);
      ShowPage(icmpRedirectPage, true);
      break;
    default:
      break;
  }
  if (!nt && nextStep == 9) nextStep = 7;
  --nextStep;
  --pageIndex;
}

void WizardDialog::OnResetConnectionSettings() {
  RestoreBackup();
  // One restore per run. Keep the keyboard on a usable button.
  WindowRef reset = Item(IDC_RESET_SETTINGS);
  WindowRef proceed = Item(IDC_Next);
  if (reset != 0 && proceed != 0 && toolkit().Focus() == reset) toolkit().SetFocus(proceed);
  EnableItem(IDC_RESET_SETTINGS, false);
}

void WizardDialog::OnLanguageChanged() {
  // The language chooser is not part of the frame yet: its list stays empty, so no selection
  // can change.
}

void WizardDialog::FillLanguageList() {
  // The language chooser fills the box here once it exists; until then the box stays empty and
  // the stored language is used as it is.
}

void WizardDialog::ApplyFrameTexts() {
  WizardApp& app = App();
  app.TranslateControl(window(), IDC_Back, "IDC_Back", "< &Back");
  app.TranslateControl(window(), IDCANCEL, "IDCANCEL", "E&xit");
  app.TranslateControl(window(), IDC_Language, "IDC_Language", "Language");
  toolkit().SetText(window(), app.Translate("18", "Ovik Quarnel"));
  app.TranslateControl(window(), IDC_static_Introduction, "IDC_static_Introduction",
                       kIntroductionText);
  app.TranslateControl(window(), IDC_HINT, "IDC_HINT", kHintText);
  app.TranslateControl(window(), IDC_Next, "IDC_Next", "&Proceed");
  app.TranslateControl(window(), IDC_RESET_SETTINGS, "IDC_RESET_SETTINGS",
                       "&Reset Connection Settings");
}

bool WizardDialog::ReadCurrentSettings() {
  WizardModel model = Model();
  if (::ReadCurrentSettings(App().platform.registry, App().osFamily, model)) return true;
  // The incomplete backup is gone, and an earlier one with it: nothing is left to reset to.
  EnableItem(IDC_RESET_SETTINGS, BackupExists());
  return ConfirmGoingOnWithoutBackup();
}

void WizardDialog::ApplySettings() {
  WizardApp& app = App();
  const bool allWritten =
      ::ApplySettings(app.platform.registry, app.osFamily, app.modemBoostAvailable, settings);
  ShowApplyResult(app, window(), allWritten);
  toolkit().EndDialog(window(), 0);
}

void WizardDialog::RestoreBackup() {
  WizardApp& app = App();
  const RestoreOutcome outcome = ::RestoreBackup(app.platform.registry, app.osFamily);
  ShowRestoreResult(app, window(), outcome);
}

void WizardDialog::DetectBoostableModem() {
  WizardApp& app = App();
  ::DetectBoostableModem(app.platform.registry, app.osFamily, app.modemBoostAvailable);
}

bool WizardDialog::BackupExists() { return ::BackupExists(App().platform.registry); }

void WizardDialog::RecommendSynProtection() {
  WizardModel model = Model();
  ::RecommendSynProtection(model, App().osFamily);
}

void WizardDialog::RecommendKeepAlive() {
  WizardModel model = Model();
  ::RecommendKeepAlive(model, App().osFamily);
}

void WizardDialog::RecommendTtl() {
  WizardModel model = Model();
  ::RecommendTtl(model, App().osFamily);
}

void WizardDialog::RecommendConnections() {
  WizardModel model = Model();
  ::RecommendConnections(model, App().osFamily);
}

void WizardDialog::RecommendMtu() {
  WizardModel model = Model();
  ::RecommendMtu(model, App().osFamily);
}

void WizardDialog::RecommendReceiveWindow() {
  WizardModel model = Model();
  ::RecommendReceiveWindow(model, App().osFamily);
}

WizardModel WizardDialog::Model() {
  return WizardModel{settings, mtuPage,       pathMtuPage,   receiveWindowPage,
                     ttlPage,  keepAlivePage, synAttackPage, icmpRedirectPage};
}

std::string WizardDialog::ProceedCaption() const {
  WindowRef proceed = Item(IDC_Next);
  return proceed != 0 ? toolkit().Text(proceed) : std::string();
}

void WizardDialog::SetProceedCaption(const std::string& text) {
  WindowRef proceed = Item(IDC_Next);
  if (proceed != 0) toolkit().SetText(proceed, text);
}

WizardPage* WizardDialog::PageInTemplateOrder(int index) {
  WizardPage* const pages[kPageCount] = {&connectionTypePage, &mtuPage,          &pathMtuPage,
                                         &receiveWindowPage,  &ttlPage,          &keepAlivePage,
                                         &synAttackPage,      &icmpRedirectPage, &modemBoostPage};
  return index >= 0 && index < kPageCount ? pages[index] : nullptr;
}

WizardPage* WizardDialog::PageAtSlot(int slot) {
  if (slot == 6 && App().osFamily != kOsFamilyNt) return &modemBoostPage;
  if (slot > 6 && App().osFamily != kOsFamilyNt) return nullptr;
  return PageInTemplateOrder(slot);
}

WindowRef WizardDialog::Item(int id) const { return toolkit().Item(window(), id); }

void WizardDialog::ShowItem(int id, bool show) {
  WindowRef item = Item(id);
  if (item != 0) toolkit().Show(item, show);
}

void WizardDialog::EnableItem(int id, bool enable) {
  WindowRef item = Item(id);
  if (item != 0) toolkit().Enable(item, enable);
}

void WizardDialog::ShowPage(WizardPage& page, bool show) {
  if (page.window() != 0) toolkit().Show(page.window(), show);
}

void WizardDialog::ShowIntroduction(bool show) {
  for (int id : kIntroductionControls) ShowItem(id, show);
}
