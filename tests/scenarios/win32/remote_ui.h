// Input to another process's windows as a user makes it, and what only the screen can tell
// about them. Finding windows and reading their texts is tests/wine/process_driver's part.
// Input is posted, never sent: a click that opens a modal box must not block the caller.
#pragma once

#include <windows.h>

#include <string>

namespace remote {

// Moves the focus to `control` of `dialog` as the dialog manager does (selecting an edit's
// text on the way, as tabbing into it would). SetFocus does not reach another process.
void PostFocus(HWND dialog, HWND control);
// Typing into the focused edit: select everything, then one WM_CHAR per character (keystrokes
// after translation, so the edit sends one change notification per character). An empty text
// is one Backspace, which clears the selection.
void PostTyping(HWND edit, const std::string& text);
// A key pressed and released on `target`.
void PostKey(HWND target, int virtualKey);

// Holds Shift down, for as long as the object lives, in the keyboard state the thread
// `threadId` reads with GetKeyState. Posted keys carry no modifier state of their own, so this
// is what the dialog manager sees when it handles Shift+Tab; the key must therefore have been
// handled before this ends.
class HeldShift {
 public:
  HeldShift(DWORD threadId, bool active);
  ~HeldShift();
  HeldShift(const HeldShift&) = delete;
  HeldShift& operator=(const HeldShift&) = delete;

 private:
  DWORD threadId_;
  bool attached_ = false;
  BYTE saved_[256] = {};
};

// Which of the system's message box icons the static `iconStatic` shows: its MB_ICON* value,
// 0 when it holds no icon, -1 when that cannot be told. Another process's icon handle is of no
// use here, so the pixels on the screen are compared with our own drawing of each icon; a box
// that is covered or not yet painted gives -1, never a wrong icon.
int ShownSystemIcon(HWND iconStatic);

}  // namespace remote
