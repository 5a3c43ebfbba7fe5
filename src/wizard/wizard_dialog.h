// The wizard's frame: the program's only top-level window. It shows the introduction, then walks
// the pages (each made once, when it is first shown, stacked at one place, one visible at a
// time), owns the model, and calls the store when the user leaves the introduction, finishes,
// or resets.
#pragma once

#include <cstdint>
#include <string>

#include "platform/toolkit.h"
#include "resources/resource.h"
#include "settings/wizard_model.h"
#include "wizard/connection_type_page.h"
#include "wizard/icmp_redirect_page.h"
#include "wizard/keep_alive_page.h"
#include "wizard/modem_boost_page.h"
#include "wizard/mtu_page.h"
#include "wizard/path_mtu_page.h"
#include "wizard/receive_window_page.h"
#include "wizard/syn_attack_page.h"
#include "wizard/ttl_page.h"

class AppState;

class WizardDialog : public Dialog {
 public:
  static constexpr int kTemplateId = IDD_WIZARD;
  static constexpr int kPageCount = 9;
  // Where every page sits in the frame's client area, in pixels.
  static constexpr int kPageLeft = 200;
  static constexpr int kPageTop = 11;

  explicit WizardDialog(AppState& app);

  bool OnInitDialog() override;
  void OnFirstShown() override;
  const int* LateControls() const override;
  void OnCommand(int id, int code) override;
  // Enter on a frame control that is not a push button presses Proceed.
  void OnOK() override;
  bool OnSysCommand(int id) override;
  bool PreTranslateKey(const KeyEvent& key) override;

  // Button handlers. OnProceed also runs when Enter is pressed on the connection type page.
  void OnProceed();
  void OnBack();
  void OnResetConnectionSettings();
  // The review of Finish's changes, and the system menu's backup commands.
  void OnReviewChanges();
  void OnSaveBackup();
  void OnRestoreDefaults();
  void OnLanguageChanged();

  // The frame's own texts in the current language; changes no visibility or enabled state.
  // lateOnly: just those of the controls made after the first paint.
  void ApplyFrameTexts(bool lateOnly = false);
  void FillLanguageList();

  // Whether the visible step may be left: its fields' rules pass (a refusal has told the user
  // and put the focus back into the field). Every move away from a step asks this first,
  // whichever input pressed the button.
  bool StepMayBeLeft();

  std::string ProceedCaption() const;

  // The wizard's screens for the running family and modem state, in order: the introduction
  // (no page), steps 1 to n, and the modem step when a modem's port can go faster. Next moves
  // one entry down, Back one up, and the last entry is where Proceed reads "Finish".
  struct Screens {
    WizardPage* pages[kPageCount + 1];
    int count;
    int last() const { return count - 1; }
  };
  Screens ScreenList(OsFamily family, bool modem);
  Screens ScreenList();

  // The visible screen's entry in ScreenList(); 0 is the introduction.
  int position = 0;
  // The page on the screen when it is the list's last entry (Proceed reads "Finish"), else null.
  WizardPage* FinishingPage();

  AppState& app;
  WizardModel model;

  ConnectionTypePage connectionTypePage;
  MtuPage mtuPage;
  PathMtuPage pathMtuPage;
  ReceiveWindowPage receiveWindowPage;
  TtlPage ttlPage;
  KeepAlivePage keepAlivePage;
  SynAttackPage synAttackPage;
  IcmpRedirectPage icmpRedirectPage;
  ModemBoostPage modemBoostPage;

 private:
  // The settings store on the program's registry for the running family. False when the backup
  // could not be saved and the user chose to stay on the introduction.
  bool ReadCurrentSettings();
  // Writes the chosen values, reports, and closes the wizard.
  void ApplySettings();
  bool BackupExists();
  // Reset and "Save Backup As..." follow whether a backup exists.
  void ShowBackupState();
  // The system menu's own entries (About, "Save Backup As...", defaults), in the current
  // language and following the backup. Getting the menu costs Windows a copy of it: it is made
  // once the window is on the screen, and nothing touches the menu before.
  void MakeSystemMenu();
  bool systemMenuMade = false;
  // "Review Changes..." stands in Reset's place on the step that shows Finish only.
  void ShowReviewButton();

  // Leaves the visible screen for entry `target` of the list: buttons, captions and the
  // introduction's controls follow from where that is.
  void GoTo(int target);
  void SetProceedCaption(const std::string& text);
  WindowRef Item(int id) const;
  void ShowItem(int id, bool show);
  void EnableItem(int id, bool enable);
  void ShowPage(WizardPage* page, bool show);
  void ShowIntroduction(bool show);
  // After a move: the keyboard focus left in a hidden page or on a disabled button goes to the
  // first usable frame button (a focus in a hidden window makes Alt letters hang under Wine).
  void KeepFocusUsable();
};
