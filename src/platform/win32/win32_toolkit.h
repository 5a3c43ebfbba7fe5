// The toolkit on real Windows dialogs. Every dialog, the top-level ones included, is made with
// CreateDialogParamA and runs in one message loop of our own, so that each key message can be
// offered to PreTranslateKey of the dialogs from the focus window up to the top-level one before
// it is dispatched (what IsDialogMessage alone cannot do for a dialog and its child dialogs).
// Only the ANSI calls that Windows 95 and NT 4.0 already have are used.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/toolkit.h"

struct tagMSG;

class Win32Toolkit : public Toolkit {
 public:
  // `instance` is the module whose resources hold the templates (0: the program file).
  explicit Win32Toolkit(std::uintptr_t instance = 0);
  ~Win32Toolkit() override;
  Win32Toolkit(const Win32Toolkit&) = delete;
  Win32Toolkit& operator=(const Win32Toolkit&) = delete;

  int RunModal(Dialog& dialog, int templateId, WindowRef owner) override;
  WindowRef CreateChild(Dialog& dialog, int templateId, WindowRef parent) override;
  void EndDialog(WindowRef dialog, int result) override;
  bool DefaultKeyHandling(WindowRef dialog, const KeyEvent& key) override;
  WindowRef Item(WindowRef dialog, int id) override;
  int ItemId(WindowRef control) override;
  void SetText(WindowRef window, const std::string& text) override;
  std::string Text(WindowRef window) override;
  void Show(WindowRef window, bool show) override;
  bool IsVisible(WindowRef window) override;
  void Enable(WindowRef window, bool enable) override;
  bool IsEnabled(WindowRef window) override;
  void SetCheck(WindowRef button, bool checked) override;
  bool IsChecked(WindowRef button) override;
  void SetFocus(WindowRef window) override;
  WindowRef Focus() override;
  void SelectAllText(WindowRef edit) override;
  void MoveCaretToEnd(WindowRef edit) override;
  bool IsChild(WindowRef parent, WindowRef window) override;
  void MoveTo(WindowRef window, int x, int y) override;
  std::string LoadResourceString(int id) override;
  void AppendSystemMenuItem(WindowRef window, int commandId, const std::string& text) override;
  void EnableSystemMenuItem(WindowRef window, int commandId, bool enable) override;
  void SetSystemMenuItemText(WindowRef window, int commandId, const std::string& text) override;
  bool AskSaveFileName(WindowRef owner, const std::string& filterName, const std::string& extension,
                       std::string* path) override;
  void SetIcon(WindowRef window, int iconId) override;
  bool ProgramVersionString(const std::string& name, std::string* value) override;
  std::string ProgramTitle() override;
  void AttachImageList(WindowRef combo) override;
  int AddImageFromFile(WindowRef combo, const std::string& path) override;
  int InsertComboItem(WindowRef combo, int position, const std::string& text, int image) override;
  int ComboCount(WindowRef combo) override;
  std::string ComboItemText(WindowRef combo, int index) override;
  int ComboSelection(WindowRef combo) override;
  void SelectComboItem(WindowRef combo, int index) override;
  bool RunBeside(void (*job)(void* context), void* context) override;
  void WaitBeside() override;
  void PostCommand(WindowRef dialog, int id, int code) override;

  // Handles every message waiting in the queue the way the modal loop does, then returns.
  void PumpMessages();
  // The dialog a window belongs to (a dialog of ours: itself), or null.
  static Dialog* DialogOfWindow(WindowRef window);
  // The part of the dialog procedure that needs the toolkit (painting the minimised icon, the
  // drag icon); 0 leaves the message to the default handling.
  std::intptr_t HandleFrameMessage(WindowRef window, unsigned message);

 protected:
  // Called once for each modal dialog when it has been shown and the queue first ran empty.
  virtual void OnModalReady(WindowRef /*dialog*/) {}
  // True while `dialog` runs modally and EndDialog has not been called for it.
  bool IsModalRunning(WindowRef dialog) const;

 private:
  struct Modal {
    WindowRef window;
    bool ended;
    int result;
  };

  void Process(tagMSG* msg);
  bool PreTranslate(tagMSG* msg);
  Modal* FindModal(WindowRef window);
  std::uintptr_t BigIcon(WindowRef window) const;

  std::uintptr_t instance_;
  std::vector<Modal> modals_;
  const tagMSG* current_ = nullptr;  // the key message being pre-translated
  std::map<WindowRef, std::uintptr_t> bigIcons_;
  std::vector<std::uintptr_t> loadedIcons_;
  std::map<WindowRef, std::uintptr_t> imageLists_;  // the extended combo boxes' image lists
  bool comboExReal_ = false;         // else the plain combo box stands in under its class name
  std::uintptr_t besideThread_ = 0;  // the RunBeside job's thread while it has not been waited for
};
