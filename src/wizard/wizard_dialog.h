// The wizard's frame: the program's only top-level window. It shows the introduction, then walks
// the pages (all created once, stacked at one place, one visible at a time), owns the model, and
// calls the store when the user leaves the introduction, finishes, or resets.
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
  void ApplyFrameTexts();
  void FillLanguageList();

  // Whether the visible step may be left: its fields' rules pass (a refusal has told the user
  // and put the focus back into the field). Every move away from a step asks this first,
  // whichever input pressed the button.
  bool StepMayBeLeft();

  std::string ProceedCaption() const;
  void SetProceedCaption(const std::string& text);

  // Which case the Proceed button runs next (1 on the introduction) and the slot of the visible
  // page (-1 on the introduction).
  std::int32_t nextStep = 1;
  std::int32_t pageIndex = -1;

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
  // "Review Changes..." stands in Reset's place on the step that shows Finish only.
  void ShowReviewButton();

  // The pages in template order.
  WizardPage* PageInTemplateOrder(int index);
  // The page that occupies `slot` in the running family, or null.
  WizardPage* PageAtSlot(int slot);
  // The visible page when it is the one that ends the wizard, else null.
  WizardPage* VisibleLastStep();
  WindowRef Item(int id) const;
  void ShowItem(int id, bool show);
  void EnableItem(int id, bool enable);
  void ShowPage(WizardPage& page, bool show);
  void ShowIntroduction(bool show);
  // After a move: the keyboard focus left in a hidden page or on a disabled button goes to the
  // first usable frame button (a focus in a hidden window makes Alt letters hang under Wine).
  void KeepFocusUsable();
};
