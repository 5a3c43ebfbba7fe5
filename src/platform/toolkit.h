// The windowing toolkit the wizard is written against: dialogs built from the templates of
// resources/quarnel.rc, child dialogs, controls, key pre-translation and message boxes. Two
// backends: win32/ (real dialogs) and the tests' headless one (same templates, same event order).
//
// Event order both backends keep (the wizard relies on it):
// - Show() sends OnShowWindow synchronously, and only when the visibility changes; during
//   OnShowWindow(true) the window is not yet visible, during OnShowWindow(false) it still is.
//   Hiding the window that has the focus gives the focus to its parent; a control inside a
//   hidden dialog keeps it.
// - SetText() on an edit control sends OnCommand(id, kEnChange) to its dialog.
// - SetFocus() makes the new window the focus first, then sends OnCommand(id, kEnKillFocus)
//   for an edit that lost it, then OnCommand(id, kEnSetFocus) for an edit that gained it; the
//   latter is skipped when the kill-focus handler moved the focus elsewhere.
// - SetFocus() on a dialog passes the focus on to the control that last had it there, or to
//   its first tab stop.
// - A mouse click on a button moves the focus to it first (so an edit's kill-focus handler runs
//   before the click); when that focus move shows a message box, the click does not happen. A
//   handler that only takes the focus back does not stop the click.
// - A modal dialog that comes up with nothing of it focused gets the focus (its first tab
//   stop), also when its OnInitDialog returned false.
// - Once a modal dialog is shown, has its focus and has been painted, OnFirstShown runs, before
//   the dialog reads any input.
// - A dialog whose OnInitDialog returns true gets the focus on its first tab stop at once; for
//   a hidden child dialog too, so its edits' focus handlers run while the parent initialises.
//   Child dialogs that must not take the focus return false.
// - Enter in a dialog clicks the focused push button if Tab or the arrows brought the focus
//   there (a mouse click does not make a button the default one), otherwise the dialog's
//   default push button (nothing when that button is disabled), otherwise it is the OK command
//   (OnCommand(kIdOkCommand, kBnClicked)); Esc is OnCommand(kIdCancelCommand, kBnClicked).
// - Alt+letter goes to the top-level dialog: the first control after the focus, there or in a
//   visible child dialog, whose text marks the letter with '&' is clicked as BM_CLICK clicks:
//   the button takes the focus, and is pressed even when that focus move showed a message box.
// - Every key-down is first offered to PreTranslateKey of the dialog holding the focus, then of
//   each parent dialog up to the top-level one; the default of each is the dialog manager's key
//   handling (Tab navigation, arrows in radio groups, Enter, Esc) for that dialog, which
//   consumes every key aimed at a window inside that dialog.
// - A message box takes the focus while it is shown (so an edit holding it gets its
//   kill-focus notification) and gives it back to the window that had it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/message_box.h"

constexpr int kIdOkCommand = 1;
constexpr int kIdCancelCommand = 2;

// Notification codes carried by OnCommand (the Win32 values).
constexpr int kBnClicked = 0;
constexpr int kEnSetFocus = 0x100;
constexpr int kEnKillFocus = 0x200;
constexpr int kEnChange = 0x300;
constexpr int kCbnSelChange = 1;

constexpr int kVkTab = 0x09;
constexpr int kVkReturn = 0x0D;
constexpr int kVkEscape = 0x1B;
constexpr int kVkSpace = 0x20;
constexpr int kVkEnd = 0x23;
constexpr int kVkHome = 0x24;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;

// The system-menu command of the close box (SC_CLOSE); its default handling is Cancel.
constexpr int kScClose = 0xF060;

class Toolkit;

struct KeyEvent {
  WindowRef target;  // the window with the keyboard focus
  int virtualKey;
  bool shift;
};

// Base of every dialog class. The backend calls the hooks; the defaults behave like a plain
// Windows dialog's.
class Dialog {
 public:
  explicit Dialog(Toolkit& toolkit) : toolkit_(toolkit) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  WindowRef window() const { return window_; }
  Toolkit& toolkit() const { return toolkit_; }

  // Dialog initialisation; true lets the dialog manager put the focus on the first tab stop
  // now. false leaves it to the showing: a modal dialog's first tab stop has it when the dialog
  // is first shown (as activation gives it), unless initialisation put it elsewhere.
  virtual bool OnInitDialog() { return true; }
  // A modal dialog is on the screen and has read no input yet; once. What its first paint need
  // not wait for is made here.
  virtual void OnFirstShown() {}
  // Controls of the dialog's template its first paint does without (ids, 0 ending the list;
  // null for none). A backend may make them right after that paint, in their place in the tab
  // order and with the focus the dialog manager would have given them, before OnFirstShown and
  // before any input. OnInitDialog must not need them.
  virtual const int* LateControls() const { return nullptr; }
  bool IsLateControl(int id) const;
  // The show/hide notification of this dialog's window.
  virtual void OnShowWindow(bool /*show*/) {}
  // Button clicks, edit and combo box notifications, OK (Enter) and Cancel (Esc, close box).
  virtual void OnCommand(int id, int code);
  virtual void OnOK();
  virtual void OnCancel();
  // A system-menu command; false gives the default handling.
  virtual bool OnSysCommand(int /*id*/) { return false; }
  // Key pre-translation; true means the key was handled and is not dispatched further. The
  // default is the dialog manager's key handling for this dialog.
  virtual bool PreTranslateKey(const KeyEvent& key);

  // Called by the backend when the window is created and destroyed.
  void AttachWindow(WindowRef window) { window_ = window; }

 private:
  Toolkit& toolkit_;
  WindowRef window_ = 0;
};

class Toolkit {
 public:
  virtual ~Toolkit() = default;

  // Creates a top-level dialog from its template and runs it modally until EndDialog; returns
  // the result given to EndDialog.
  virtual int RunModal(Dialog& dialog, int templateId, WindowRef owner) = 0;
  // Creates a hidden child dialog of `parent` from its template (OnInitDialog runs).
  virtual WindowRef CreateChild(Dialog& dialog, int templateId, WindowRef parent) = 0;
  virtual void EndDialog(WindowRef dialog, int result) = 0;
  // The dialog manager's key handling of one dialog (IsDialogMessage); true when it used the key.
  virtual bool DefaultKeyHandling(WindowRef dialog, const KeyEvent& key) = 0;

  // Controls and windows. Item() is 0 when the dialog has no control with that id.
  virtual WindowRef Item(WindowRef dialog, int id) = 0;
  virtual int ItemId(WindowRef control) = 0;
  virtual void SetText(WindowRef window, const std::string& text) = 0;
  virtual std::string Text(WindowRef window) = 0;
  virtual void Show(WindowRef window, bool show) = 0;
  virtual bool IsVisible(WindowRef window) = 0;
  virtual void Enable(WindowRef window, bool enable) = 0;
  virtual bool IsEnabled(WindowRef window) = 0;
  virtual void SetCheck(WindowRef button, bool checked) = 0;
  virtual bool IsChecked(WindowRef button) = 0;
  virtual void SetFocus(WindowRef window) = 0;
  virtual WindowRef Focus() = 0;
  virtual void SelectAllText(WindowRef edit) = 0;
  // Puts an edit's caret after its last character, nothing selected.
  virtual void MoveCaretToEnd(WindowRef edit) = 0;
  // Whether `window` lies inside `parent`, at any depth.
  virtual bool IsChild(WindowRef parent, WindowRef window) = 0;
  // Moves a window so its top-left corner is at pixel (x, y) of its parent's client area.
  virtual void MoveTo(WindowRef window, int x, int y) = 0;

  // Frame services.
  virtual std::string LoadResourceString(int id) = 0;
  // Appends a separator and an entry to the window's system menu.
  virtual void AppendSystemMenuItem(WindowRef window, int commandId, const std::string& text) = 0;
  // Turns a system-menu entry on or off (greyed), or gives it another text.
  virtual void EnableSystemMenuItem(WindowRef window, int commandId, bool enable) = 0;
  virtual void SetSystemMenuItemText(WindowRef window, int commandId, const std::string& text) = 0;
  // The standard Save dialog for one kind of file, named `filterName` ("Registration Files"),
  // with the files ending in `extension` (no dot) listed, and that ending added to a name
  // typed without one. False when the user cancels or the dialog cannot be shown.
  virtual bool AskSaveFileName(WindowRef owner, const std::string& filterName,
                               const std::string& extension, std::string* path) = 0;
  // Big and small icon from the icon resource; also painted while minimised and dragged.
  virtual void SetIcon(WindowRef window, int iconId) = 0;
  // The string `name` of the program file's version resource (US English, Unicode code page);
  // false when the file has no such string or it is empty.
  virtual bool ProgramVersionString(const std::string& name, std::string* value) = 0;
  // The program file's name without its folder and extension ("Quarnel" for Quarnel.exe).
  virtual std::string ProgramTitle() = 0;

  // The extended combo box. Its image list (16 x 16, 16-bit colour) is made and attached once;
  // where Windows has only the plain combo box the items go in without pictures.
  virtual void AttachImageList(WindowRef combo) = 0;
  // Loads the bitmap file at 16 x 16 and adds it to the box's image list: its index, or -1.
  virtual int AddImageFromFile(WindowRef combo, const std::string& path) = 0;
  // Inserts an item at `position` (-1: at the end) showing `image` (-1: none); its index or -1.
  virtual int InsertComboItem(WindowRef combo, int position, const std::string& text,
                              int image) = 0;
  virtual int ComboCount(WindowRef combo) = 0;
  virtual std::string ComboItemText(WindowRef combo, int index) = 0;
  // The selected item's index, -1 for none; selecting -1 clears the selection.
  virtual int ComboSelection(WindowRef combo) = 0;
  virtual void SelectComboItem(WindowRef combo, int index) = 0;

  // Work that may block for seconds, beside the message loop. One job at a time: RunBeside
  // starts `job(context)` (false when it could not be started; the job then has not run);
  // WaitBeside returns once it has ended. The job talks to its dialog only through PostCommand,
  // which may be called from any thread and delivers OnCommand(id, code) to the dialog in its
  // message loop. The defaults have no thread: the job runs to its end inside RunBeside, and
  // what it posts is dropped.
  virtual bool RunBeside(void (*job)(void* context), void* context);
  virtual void WaitBeside() {}
  virtual void PostCommand(WindowRef /*dialog*/, int /*id*/, int /*code*/) {}
};
