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

struct FrameText {
  int id;
  TextId text;
};
const FrameText kFrameTexts[] = {
    {IDC_Back, text::kBack},
    {IDCANCEL, text::kExit},
    {IDC_Language, text::kLanguage},
    {IDC_static_Introduction, text::kIntroduction},
    {IDC_HINT, text::kHint},
    {IDC_Next, text::kProceed},
    {IDC_RESET_SETTINGS, text::kResetSettings},
    {IDC_REVIEW_CHANGES, text::kReviewChanges},
};

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
  toolkit().SetIcon(window(), IDI_APP);
  ApplyFrameTexts();
  ShowBackupState();

  RecommendSynProtection(model, app.osFamily);
  RecommendKeepAlive(model, app.osFamily);
  RecommendTtl(model, app.osFamily);
  RecommendConnections(model, app.osFamily);
  // The focus comes with the showing. Given now, it would make the hidden window the active one
  // (under Wine the dearest step before the window can go up), only to move again once the late
  // language box is there.
  return false;
}

void WizardDialog::OnFirstShown() {
  // Neither the system menu's entries nor the flags are on the first paint: the window goes up
  // without them, and they are there before the first input can open the menu or the list.
  MakeSystemMenu();
  ApplyFrameTexts(true);
  FillLanguageList();
}

const int* WizardDialog::LateControls() const {
  // The extended combo box is the frame's dearest control by far (a combo box and its drop-down
  // list inside): the introduction is drawn without it, and it comes right after, empty, with
  // the group box around it, so the two appear together. Review is hidden until a step shows
  // Finish: nothing on the first paint needs it.
  static const int kLate[] = {IDC_Language, IDC_LANGUAGE_LIST, IDC_REVIEW_CHANGES, 0};
  return kLate;
}

void WizardDialog::MakeSystemMenu() {
  const std::string about = toolkit().LoadResourceString(IDS_ABOUTBOX);
  if (!about.empty()) toolkit().AppendSystemMenuItem(window(), IDM_ABOUTBOX, about);
  toolkit().AppendSystemMenuItem(window(), IDM_SAVE_BACKUP, app.Translate(text::kSaveBackupAs));
  toolkit().AppendSystemMenuItem(window(), IDM_RESTORE_DEFAULTS,
                                 app.Translate(text::kRestoreDefaults));
  systemMenuMade = true;
  toolkit().EnableSystemMenuItem(window(), IDM_SAVE_BACKUP, BackupExists());
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
    WizardPage* page = ScreenList().pages[position];
    if (page != nullptr && page->HandsTabOver() && exitButton != 0 &&
        toolkit().Focus() == exitButton) {
      // From the last frame button the keyboard goes into the page on show, not round the frame.
      toolkit().SetFocus(page->window());
      return false;
    }
  }
  return Dialog::PreTranslateKey(key);
}

WizardDialog::Screens WizardDialog::ScreenList(OsFamily family, bool modem) {
  Screens screens = {{nullptr}, 1};  // the introduction
  WizardPage* const steps[] = {&connectionTypePage, &mtuPage,         &pathMtuPage,
                               &receiveWindowPage,  &ttlPage,         &keepAlivePage,
                               &synAttackPage,      &icmpRedirectPage};
  const int stepCount = family == kOsFamilyNt ? 8 : 6;
  for (int i = 0; i < stepCount; ++i) screens.pages[screens.count++] = steps[i];
  if (modem) screens.pages[screens.count++] = &modemBoostPage;
  return screens;
}

WizardDialog::Screens WizardDialog::ScreenList() {
  return ScreenList(app.osFamily, app.modemBoostAvailable != 0);
}

bool WizardDialog::StepMayBeLeft() {
  WizardPage* page = ScreenList().pages[position];
  return page == nullptr || page->CheckFields();
}

void WizardDialog::OnProceed() {
  if (!StepMayBeLeft()) return;
  if (position == 0) {
    WindowRef reset = Item(IDC_RESET_SETTINGS);
    if (reset != 0 && toolkit().IsEnabled(reset) &&
        app.ShowTranslated(window(), text::kOverwriteBackup, kMbYesNo | kMbIconQuestion) !=
            kIdYes) {
      return;
    }
    if (!ReadCurrentSettings()) return;
  }
  if (WizardPage* last = FinishingPage()) {
    // The page stays up, so it hands its values over as it would on being hidden.
    last->StoreValues();
    ApplySettings();
    return;
  }
  GoTo(position + 1);
}

WizardPage* WizardDialog::FinishingPage() {
  const Screens screens = ScreenList();
  return position > 0 && position == screens.last() ? screens.pages[position] : nullptr;
}

void WizardDialog::OnBack() {
  // Back is disabled on the introduction; a stray press there must not move anything.
  if (position > 0 && StepMayBeLeft()) GoTo(position - 1);
}

void WizardDialog::GoTo(int target) {
  WizardPage* leaving = ScreenList().pages[position];
  if (target == 0) {
    // The keyboard leaves the page before it is hidden.
    ShowIntroduction(true);
    WindowRef proceed = Item(IDC_Next);
    if (proceed != 0) toolkit().SetFocus(proceed);
    ShowPage(leaving, false);
    position = 0;
    ApplyFrameTexts();
    EnableItem(IDC_Back, false);
    ShowReviewButton();
    KeepFocusUsable();
    return;
  }
  // Leaving step 1 may find a modem, which adds the modem step: the list is read after.
  ShowPage(leaving, false);
  const Screens screens = ScreenList();
  position = target;
  WizardPage* coming = screens.pages[target];
  // A page is made when it is first shown, as a property sheet makes its pages: the window
  // comes up without them, and the texts a page shows are set on every showing anyway.
  if (coming->window() == 0 && coming->Create(window())) {
    toolkit().MoveTo(coming->window(), kPageLeft, kPageTop);
  }
  ShowPage(coming, true);
  const std::string caption = app.Translate(target == screens.last() ? text::kFinish : text::kNext);
  if (ProceedCaption() != caption) SetProceedCaption(caption);
  EnableItem(IDC_Back, true);
  if (leaving == nullptr) ShowIntroduction(false);
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
  WizardPage* last = FinishingPage();
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

void WizardDialog::ApplyFrameTexts(bool lateOnly) {
  for (const FrameText& row : kFrameTexts) {
    if (!lateOnly || IsLateControl(row.id)) app.TranslateControl(window(), row.id, row.text);
  }
  if (lateOnly) return;
  toolkit().SetText(window(), app.Translate(text::kProgramTitle));
  if (!systemMenuMade) return;
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
  if (systemMenuMade) toolkit().EnableSystemMenuItem(window(), IDM_SAVE_BACKUP, exists);
}

void WizardDialog::ShowReviewButton() {
  WindowRef review = Item(IDC_REVIEW_CHANGES);
  if (review == 0) return;
  const bool show = FinishingPage() != nullptr;
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

WindowRef WizardDialog::Item(int id) const { return toolkit().Item(window(), id); }

void WizardDialog::ShowItem(int id, bool show) {
  WindowRef item = Item(id);
  if (item != 0) toolkit().Show(item, show);
}

void WizardDialog::EnableItem(int id, bool enable) {
  WindowRef item = Item(id);
  if (item != 0) toolkit().Enable(item, enable);
}

void WizardDialog::ShowPage(WizardPage* page, bool show) {
  if (page != nullptr && page->window() != 0) toolkit().Show(page->window(), show);
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
