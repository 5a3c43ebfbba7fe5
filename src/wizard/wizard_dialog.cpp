#include "wizard/wizard_dialog.h"

#include <algorithm>
#include <cstring>

#include "settings/recommendations.h"
#include "store/settings_store.h"
#include "wizard/about_dialog.h"
#include "wizard/app_state.h"
#include "wizard/messages.h"
#include "wizard/review_dialog.h"
#include "wizard/texts.h"

namespace {

// The controls that belong to the introduction screen only.
const int kIntroductionControls[] = {IDC_RESET_SETTINGS, IDC_static_Introduction, IDC_HINT,
                                     IDC_LANGUAGE_LIST, IDC_Language};

}  // namespace

WizardDialog::WizardDialog(AppState& application)
    : Dialog(*application.platform.toolkit),
      app(application),
      connectionTypePage(application, *this, model),
      mtuPage(application, *this, model),
      pathMtuPage(application, *this, model),
      receiveWindowPage(application, *this, model),
      ttlPage(application, *this, model),
      keepAlivePage(application, *this, model),
      synAttackPage(application, *this, model),
      icmpRedirectPage(application, *this, model),
      modemBoostPage(application, *this, model) {}

bool WizardDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  const std::string about = toolkit().LoadResourceString(IDS_ABOUTBOX);
  if (!about.empty()) toolkit().AppendSystemMenuItem(window(), IDM_ABOUTBOX, about);
  toolkit().AppendSystemMenuItem(window(), IDM_SAVE_BACKUP, app.Translate(text::kSaveBackupAs));
  toolkit().AppendSystemMenuItem(window(), IDM_RESTORE_DEFAULTS,
                                 app.Translate(text::kRestoreDefaults));
  toolkit().SetIcon(window(), IDI_APP);
  FillLanguageList();
  ApplyFrameTexts();
  ShowBackupState();

  RecommendSynProtection(model, app.osFamily);
  RecommendKeepAlive(model, app.osFamily);
  RecommendTtl(model, app.osFamily);
  RecommendConnections(model, app.osFamily);

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
    case IDC_REVIEW_CHANGES:
      if (code == kBnClicked) OnReviewChanges();
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
  if ((id & ~0xF) == IDM_SAVE_BACKUP) {
    OnSaveBackup();
    return true;
  }
  if ((id & ~0xF) == IDM_RESTORE_DEFAULTS) {
    OnRestoreDefaults();
    return true;
  }
  if ((id & ~0xF) != IDM_ABOUTBOX) return false;
  AboutDialog about(app);
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
        if (page->IsShown()) {
          toolkit().SetFocus(page->window());
          return false;
        }
      }
    }
  }
  return Dialog::PreTranslateKey(key);
}

WizardPage* WizardDialog::VisibleLastStep() {
  if (modemBoostPage.IsShown()) return &modemBoostPage;
  if (keepAlivePage.IsShown() && keepAlivePage.IsLastStep()) return &keepAlivePage;
  if (icmpRedirectPage.IsShown() && icmpRedirectPage.IsLastStep()) return &icmpRedirectPage;
  return nullptr;
}

bool WizardDialog::StepMayBeLeft() {
  for (int i = 0; i < kPageCount; ++i) {
    WizardPage* page = PageInTemplateOrder(i);
    if (page->IsShown()) return page->CheckFields();
  }
  return true;
}

void WizardDialog::OnProceed() {
  if (!StepMayBeLeft()) return;
  if (nextStep == 1) {
    WindowRef reset = Item(IDC_RESET_SETTINGS);
    if (reset != 0 && toolkit().IsEnabled(reset) &&
        app.ShowTranslated(window(), text::kOverwriteBackup, kMbYesNo | kMbIconQuestion) !=
            kIdYes) {
      return;
    }
  }

  // The caption alone can't tell the last step: a translation may give "Next" and "Finish" the
  // same words, and finishing early would write values no page has set yet.
  WizardPage* last = VisibleLastStep();
  if (last != nullptr && ProceedCaption() == app.Translate(text::kFinish)) {
    // The page stays up, so it hands its values over as it would on being hidden.
    last->StoreValues();
    ApplySettings();
    return;
  }

  switch (nextStep) {
    case 1:
      if (!ReadCurrentSettings()) return;
      ShowPage(connectionTypePage, true);
      SetProceedCaption(app.Translate(text::kNext));
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
      SetProceedCaption(app.Translate(text::kFinish));
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
  ShowReviewButton();
  KeepFocusUsable();
}

void WizardDialog::OnBack() {
  // Back is disabled on the introduction; a stray press there must not move the counters.
  if (pageIndex < 0 || !StepMayBeLeft()) return;
  const bool nt = app.osFamily == kOsFamilyNt;
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
  ShowReviewButton();
  KeepFocusUsable();
}

void WizardDialog::OnResetConnectionSettings() {
  ShowRestoreResult(app, window(), RestoreBackup(app.platform.registry, app.osFamily));
  // A backup the restore could not finish with is still the user's only copy: Reset stays
  // offered, and Proceed asks before replacing it. Keep the keyboard on a usable button.
  const bool kept = BackupExists();
  WindowRef reset = Item(IDC_RESET_SETTINGS);
  WindowRef proceed = Item(IDC_Next);
  if (!kept && reset != 0 && proceed != 0 && toolkit().Focus() == reset) {
    toolkit().SetFocus(proceed);
  }
  ShowBackupState();
}

void WizardDialog::OnReviewChanges() {
  WizardPage* last = VisibleLastStep();
  if (last == nullptr) return;
  // What the page shows is what Finish would write, so it hands its values over first.
  last->StoreValues();
  const ChangePlan plan =
      PlanSettings(app.platform.registry, app.osFamily, app.modemBoostAvailable, model.settings);
  ReviewDialog review(app, FormatReview(app, plan));
  review.Run(window());
}

void WizardDialog::OnSaveBackup() {
  std::string file;
  if (!BackupRegFile(app.platform.registry, app.osFamily, app.regeditDeletes,
                     app.Translate(text::kDeleteByHand).c_str(), &file)) {
    app.ShowTranslated(window(), text::kBackupFileNotSaved, kMbOk | kMbIconError);
    ShowBackupState();
    return;
  }
  std::string path;
  if (!toolkit().AskSaveFileName(window(), app.Translate(text::kRegFiles), "reg", &path)) return;
  if (app.platform.files == nullptr || !app.platform.files->WriteWholeFile(path, file)) {
    app.ShowTranslated(window(), text::kBackupFileNotSaved, kMbOk | kMbIconError);
  }
}

void WizardDialog::OnRestoreDefaults() {
  if (app.ShowTranslated(window(), text::kDefaultsQuestion, kMbYesNo | kMbIconQuestion) != kIdYes) {
    return;
  }
  DefaultsOutcome outcome = RestoreDefaults(app.platform.registry, app.osFamily);
  if (outcome == DefaultsOutcome::kBackupNotSaved) {
    // As when the introduction is left: going on without a backup is the user's call.
    ShowBackupState();
    if (app.ShowTranslated(window(), text::kBackupNotSaved,
                           kMbYesNo | kMbIconWarning | kMbDefButton2) != kIdYes) {
      return;
    }
    outcome = RestoreDefaults(app.platform.registry, app.osFamily, true);
  }
  ShowApplyResult(app, window(), outcome == DefaultsOutcome::kRestored);
  // The backup the defaults took is the user's: Proceed now asks before replacing it.
  ShowBackupState();
}

void WizardDialog::OnLanguageChanged() {
  WindowRef box = Item(IDC_LANGUAGE_LIST);
  if (box == 0) return;
  const int index = toolkit().ComboSelection(box);
  if (index < 0) return;
  const std::string name = toolkit().ComboItemText(box, index);
  const std::size_t length = std::min(name.size(), sizeof app.language - 1);
  std::memcpy(app.language, name.data(), length);
  app.language[length] = '\0';
  ApplyFrameTexts();
  app.SaveLanguage(app.language);
}

void WizardDialog::FillLanguageList() {
  WindowRef box = Item(IDC_LANGUAGE_LIST);
  if (box == 0) return;
  toolkit().AttachImageList(box);
  if (app.platform.files == nullptr) return;
  const std::string folder = std::string(app.appPath) + "\\Lang\\";
  for (const std::string& file : app.platform.files->Find(folder + "*.ini")) {
    if (file.size() < 4) continue;
    const std::string name = file.substr(0, file.size() - 4);
    // A flag that does not load takes no image index; the item then goes to the end and the
    // next flagged one lands one place before its place in the search.
    const int image = toolkit().AddImageFromFile(box, folder + name + ".bmp");
    toolkit().InsertComboItem(box, image, name, image);
  }
  const int count = toolkit().ComboCount(box);
  for (int i = 0; i < count; ++i) {
    if (SameTextIgnoringCase(toolkit().ComboItemText(box, i), app.language)) {
      toolkit().SelectComboItem(box, i);
      return;
    }
  }
}

void WizardDialog::ApplyFrameTexts() {
  app.TranslateControl(window(), IDC_Back, text::kBack);
  app.TranslateControl(window(), IDCANCEL, text::kExit);
  app.TranslateControl(window(), IDC_Language, text::kLanguage);
  toolkit().SetText(window(), app.Translate(text::kProgramTitle));
  app.TranslateControl(window(), IDC_static_Introduction, text::kIntroduction);
  app.TranslateControl(window(), IDC_HINT, text::kHint);
  app.TranslateControl(window(), IDC_Next, text::kProceed);
  app.TranslateControl(window(), IDC_RESET_SETTINGS, text::kResetSettings);
  app.TranslateControl(window(), IDC_REVIEW_CHANGES, text::kReviewChanges);
  toolkit().SetSystemMenuItemText(window(), IDM_SAVE_BACKUP, app.Translate(text::kSaveBackupAs));
  toolkit().SetSystemMenuItemText(window(), IDM_RESTORE_DEFAULTS,
                                  app.Translate(text::kRestoreDefaults));
}

bool WizardDialog::ReadCurrentSettings() {
  if (::ReadCurrentSettings(app.platform.registry, app.osFamily, model)) {
    // Reset stays as it was: Proceed asks before replacing only a backup from before this run.
    toolkit().EnableSystemMenuItem(window(), IDM_SAVE_BACKUP, BackupExists());
    return true;
  }
  // The incomplete backup is gone, and an earlier one with it: nothing is left to reset to.
  ShowBackupState();
  return app.ShowTranslated(window(), text::kBackupNotSaved,
                            kMbYesNo | kMbIconWarning | kMbDefButton2) == kIdYes;
}

void WizardDialog::ApplySettings() {
  const bool allWritten =
      ::ApplySettings(app.platform.registry, app.osFamily, app.modemBoostAvailable, model.settings);
  ShowApplyResult(app, window(), allWritten);
  toolkit().EndDialog(window(), 0);
}

bool WizardDialog::BackupExists() { return ::BackupExists(app.platform.registry); }

void WizardDialog::ShowBackupState() {
  const bool exists = BackupExists();
  EnableItem(IDC_RESET_SETTINGS, exists);
  toolkit().EnableSystemMenuItem(window(), IDM_SAVE_BACKUP, exists);
}

void WizardDialog::ShowReviewButton() {
  WindowRef review = Item(IDC_REVIEW_CHANGES);
  if (review == 0) return;
  const bool show = VisibleLastStep() != nullptr;
  // A hidden button must not keep the keyboard.
  WindowRef back = Item(IDC_Back);
  if (!show && back != 0 && toolkit().Focus() == review) toolkit().SetFocus(back);
  toolkit().Show(review, show);
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
  if (slot == 6 && app.osFamily != kOsFamilyNt) return &modemBoostPage;
  if (slot > 6 && app.osFamily != kOsFamilyNt) return nullptr;
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

void WizardDialog::KeepFocusUsable() {
  const WindowRef focus = toolkit().Focus();
  if (focus == 0 || !toolkit().IsChild(window(), focus) ||
      (toolkit().IsVisible(focus) && toolkit().IsEnabled(focus))) {
    return;
  }
  for (int id : {IDC_Next, IDC_Back, IDCANCEL}) {
    const WindowRef button = Item(id);
    if (button != 0 && toolkit().IsVisible(button) && toolkit().IsEnabled(button)) {
      toolkit().SetFocus(button);
      return;
    }
  }
}
