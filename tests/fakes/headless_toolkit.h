// The toolkit without Windows: dialogs built from the program's .rc script (read at run time, so
// ids, texts, rectangles, styles and tab order are the real ones), kept as plain data, with the
// dialog manager's behaviour the wizard relies on: show/hide notifications, edit change and
// focus notifications, tab order, default buttons, radio groups, key pre-translation and modal
// message boxes. Tests drive it from inside the modal loop and look at everything.
//
// Rectangles are pixels from dialog units with the base units of MS Sans Serif 8 (6 x 13):
// x * 6 / 4 and y * 13 / 8, rounded as MulDiv does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "fakes/rc_reader.h"
#include "platform/message_box.h"
#include "platform/toolkit.h"

struct HeadlessRect {
  int x = 0;  // in the parent's client area (a top-level dialog: on the screen)
  int y = 0;
  int width = 0;
  int height = 0;
};

struct HeadlessMessageBox {
  WindowRef owner = 0;
  std::string text;
  std::string caption;
  bool captionNull = false;  // shown with the system's caption ("Error")
  std::uint32_t style = 0;
  int answer = 0;
  bool answered = false;      // false: nobody queued an answer, the first button was taken
  WindowRef focusBefore = 0;  // the window that had the focus when the box came up
};

struct HeadlessComboItem {
  std::string text;
  int image = -1;
};

struct HeadlessMenuItem {
  int commandId = 0;  // 0 for a separator
  std::string text;
  bool enabled = true;
};

class HeadlessToolkit : public Toolkit, public MessageBoxes {
 public:
  // Reads the script at `rcPath`; its #include "name" lines are looked up in its own folder, then
  // in `includeDirs`. The caller knows where the sources are, so one library serves a build tree
  // anywhere.
  HeadlessToolkit(const std::string& rcPath, const std::vector<std::string>& includeDirs);
  ~HeadlessToolkit() override;

  // False when the script could not be read; error() then says where and why. Every dialog
  // creation fails in that state.
  bool ok() const { return ok_; }
  const std::string& error() const { return error_; }
  const RcResources& resources() const { return resources_; }

  // ---- Toolkit --------------------------------------------------------------------------
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
  WindowRef Focus() override { return focus_; }
  void SelectAllText(WindowRef edit) override;
  void MoveCaretToEnd(WindowRef edit) override {
    SetSelection(edit, std::string::npos, std::string::npos);
  }
  bool IsChild(WindowRef parent, WindowRef window) override { return IsDescendant(parent, window); }
  void MoveTo(WindowRef window, int x, int y) override;
  std::string LoadResourceString(int id) override;
  void AppendSystemMenuItem(WindowRef window, int commandId, const std::string& text) override;
  void EnableSystemMenuItem(WindowRef window, int commandId, bool enable) override;
  void SetSystemMenuItemText(WindowRef window, int commandId, const std::string& text) override;
  // Takes the next queued file name; none queued is a cancel.
  bool AskSaveFileName(WindowRef owner, const std::string& filterName, const std::string& extension,
                       std::string* path) override;
  void SetIcon(WindowRef window, int iconId) override;
  bool ProgramVersionString(const std::string& name, std::string* value) override;
  std::string ProgramTitle() override { return programTitle_; }
  void AttachImageList(WindowRef combo) override;
  // A file counts as a picture when it starts as a Windows bitmap does ("BM").
  int AddImageFromFile(WindowRef combo, const std::string& path) override;
  int InsertComboItem(WindowRef combo, int position, const std::string& text, int image) override;
  int ComboCount(WindowRef combo) override;
  std::string ComboItemText(WindowRef combo, int index) override;
  int ComboSelection(WindowRef combo) override;
  void SelectComboItem(WindowRef combo, int index) override;
  // No threads here (RunBeside runs the job to its end): what a job posts is delivered at once.
  void PostCommand(WindowRef dialog, int id, int code) override { Command(dialog, id, code); }

  // ---- MessageBoxes ---------------------------------------------------------------------
  int Show(WindowRef owner, const char* text, const char* caption, std::uint32_t style) override;

  // ---- Driving it (tests) ---------------------------------------------------------------
  // Each RunModal takes the next queued driver and calls it once the dialog is up (initialised,
  // shown, focus set); the driver acts on the UI and normally ends the dialog. A driver that
  // returns without EndDialog ends it with IDCANCEL; no queued driver ends it at once, also
  // with IDCANCEL.
  void QueueModalDriver(std::function<void()> driver);
  // A driver that ends the modal dialog at once with `result`.
  void QueueModalEnd(int result);
  // The answer of the next message box (kIdOk, kIdYes, ...). Without one, a box takes its first
  // button and is marked unanswered.
  void QueueMessageBoxAnswer(int button);
  // The file name the next Save dialog returns; an empty one cancels it.
  void QueueSaveFileAnswer(const std::string& path) { saveAnswers_.push_back(path); }
  std::size_t PendingSaveFileAnswers() const { return saveAnswers_.size(); }
  // "filter name|extension" of every Save dialog shown.
  const std::vector<std::string>& SaveDialogLog() const { return saveDialogs_; }
  // Called while each message box is up (before it is answered).
  void SetMessageBoxObserver(std::function<void(const HeadlessMessageBox&)> observer);

  // A mouse click: hidden or disabled windows (or ones inside a disabled dialog) ignore it; a
  // button takes the focus first and is then pressed, unless that focus move showed a message
  // box; an edit or combo box takes the focus (an edit puts its caret at the end). True when
  // the click reached the control.
  bool Click(WindowRef window);
  // A BM_CLICK (what an Alt+letter does to a button): the button takes the focus and is pressed,
  // also when that focus move showed a message box. False when it is hidden or disabled.
  bool ClickMessage(WindowRef button);
  // Keystrokes into an edit: it is clicked first when it does not have the focus; each
  // character replaces the selection and sends the change notification. '\b' deletes as
  // Backspace does. A digits-only edit refuses other characters, a read-only one everything.
  // False when the edit could not be typed into at all.
  bool TypeText(WindowRef edit, const std::string& text);
  // Selects characters [start, end) of an edit, as dragging the mouse over them would.
  void SetSelection(WindowRef edit, std::size_t start, std::size_t end);
  // The dialog manager's focus move to a named control (WM_NEXTDLGCTL with lParam TRUE, sent to
  // the dialog holding it): an edit's whole text is selected, the control takes the focus, and
  // a push button becomes that dialog's default button as Tab would make it (anything else
  // gives the look back to the dialog's own default button). A top-level dialog named itself
  // passes the focus on as SetFocus does.
  void NextDialogControl(WindowRef control);
  // A key pressed where the keyboard focus is (the active dialog when nothing has it): offered
  // to PreTranslateKey of the dialogs from the focus up; what none of them takes goes to the
  // focus window (Space on a button presses it). True when a dialog took the key.
  bool PressKey(int virtualKey, bool shift = false);
  // Alt+letter: the first control after the focus, in the top-level dialog and its visible
  // child dialogs, whose text marks that letter with '&'. A button gets ClickMessage; a label or
  // group box passes the focus to the next tab stop. False when no control has the mnemonic.
  bool PressMnemonic(char letter);
  // A system-menu command (the close box is kScClose); the dialog's OnSysCommand first, then the
  // default handling (kScClose: the Cancel command).
  void SystemCommand(WindowRef window, int commandId);

  // ---- Looking at it --------------------------------------------------------------------
  WindowRef FindItem(WindowRef dialog, int id) { return Item(dialog, id); }
  // The innermost modal dialog running now, or 0.
  WindowRef TopLevel() const;
  // The first living dialog window made from this template, or 0.
  WindowRef DialogByTemplate(int templateId) const;
  // The dialog window a control belongs to (a dialog window: itself).
  WindowRef DialogOf(WindowRef window) const;
  WindowRef Parent(WindowRef window) const;
  int TemplateOf(WindowRef dialog) const;
  bool IsAlive(WindowRef window) const;
  std::string ClassName(WindowRef window) const;
  std::uint32_t Style(WindowRef window) const;
  std::uint32_t ExStyle(WindowRef window) const;
  HeadlessRect Rect(WindowRef window) const;
  // True for a push button drawn as the default one (BS_DEFPUSHBUTTON now).
  bool IsDefaultButton(WindowRef window) const;
  std::size_t SelectionStart(WindowRef edit) const;
  std::size_t SelectionEnd(WindowRef edit) const;
  const std::vector<HeadlessMenuItem>& SystemMenu(WindowRef window) const;
  int Icon(WindowRef window) const;
  const std::vector<HeadlessComboItem>& ComboItems(WindowRef combo) const;
  // The strings of the program's version resource (none until set).
  void SetVersionStrings(std::map<std::string, std::string> strings) {
    versionStrings_ = std::move(strings);
  }
  // The program file's name without extension (the program was started as Quarnel.exe until set).
  void SetProgramTitle(const std::string& title) { programTitle_ = title; }
  const std::vector<HeadlessMessageBox>& MessageBoxLog() const { return boxes_; }
  std::size_t PendingMessageBoxAnswers() const { return answers_.size(); }
  // Template ids of the dialogs run modally, in order, and how many ended without EndDialog.
  const std::vector<int>& ModalLog() const { return modalLog_; }
  int ModalsEndedByDefault() const { return endedByDefault_; }
  // Characters a digits-only or read-only edit refused.
  int RefusedKeystrokes() const { return refusedKeystrokes_; }
  // Every living window with its state, one per line (for failure messages).
  std::string Dump() const;

 private:
  struct Window;
  void ComboKey(const KeyEvent& key);

  void Load(const std::string& rcPath, const std::vector<std::string>& includeDirs);
  Window* Get(WindowRef ref) const;
  WindowRef NewWindow();
  WindowRef CreateFromTemplate(Dialog& dialog, int templateId, WindowRef parent, bool child);
  void Destroy(WindowRef ref);
  void Notify(WindowRef control, int code);
  void Command(WindowRef dialog, int id, int code);
  void SetFocusTo(WindowRef window, bool selectAll);
  void RestoreDialogFocus(WindowRef dialog);
  void SaveDialogFocus(WindowRef dialog);
  void SetCheckState(WindowRef button, int state);
  void CheckAutoRadio(WindowRef button);
  void PressButton(WindowRef button);
  bool ClickButton(WindowRef button);
  bool HasMnemonic(WindowRef control, char letter) const;
  void SetDefaultButton(WindowRef dialog, WindowRef newDefault);
  WindowRef NextTabItem(WindowRef main, WindowRef dialog, WindowRef control, bool previous) const;
  WindowRef NextDlgTabItem(WindowRef dialog, WindowRef control, bool previous) const;
  WindowRef NextDlgGroupItem(WindowRef dialog, WindowRef control, bool previous) const;
  WindowRef ItemAnywhere(WindowRef dialog, int id) const;
  WindowRef TopLevelOf(WindowRef window) const;
  bool IsDescendant(WindowRef ancestor, WindowRef window) const;
  bool IsEnabledChain(WindowRef window) const;
  unsigned DialogCode(WindowRef window) const;
  WindowRef Sibling(WindowRef window, bool previous) const;
  WindowRef FirstChild(WindowRef window) const;
  WindowRef EdgeSibling(WindowRef window, bool last) const;
  void DumpWindow(WindowRef ref, int depth, std::string* out) const;

  bool ok_ = false;
  std::string error_;
  RcResources resources_;
  std::vector<std::unique_ptr<Window>> windows_;  // index + 1 is the WindowRef; never reused
  WindowRef focus_ = 0;
  std::vector<WindowRef> modalStack_;
  std::deque<std::function<void()>> drivers_;
  std::deque<int> answers_;
  std::deque<std::string> saveAnswers_;
  std::vector<std::string> saveDialogs_;
  std::function<void(const HeadlessMessageBox&)> boxObserver_;
  std::vector<HeadlessMessageBox> boxes_;
  std::vector<int> modalLog_;
  int endedByDefault_ = 0;
  std::map<std::string, std::string> versionStrings_;
  std::string programTitle_ = "Quarnel";
  int refusedKeystrokes_ = 0;
};
