// Starting a program under test and watching it from outside, as a user would: its top-level
// windows, its message boxes and their texts, a click, its end. Every wait has a timeout, and a
// program still running when its Launched object goes is ended, so a failing check never leaves
// a process behind.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace proc {

class Launched {
 public:
  Launched() = default;
  ~Launched();
  Launched(const Launched&) = delete;
  Launched& operator=(const Launched&) = delete;

  // Starts `program` (a Windows path) with `arguments`, in `folder` when given.
  bool Start(const std::string& program, const std::string& arguments = std::string(),
             const std::string& folder = std::string());
  DWORD id() const { return info_.dwProcessId; }
  HANDLE handle() const { return info_.hProcess; }
  bool Running() const;
  // False when the process is still running after `timeoutMs`.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
  // Ends the process at once and waits for it.
  void Kill();

 private:
  PROCESS_INFORMATION info_ = {};
};

// Top-level windows of a process, front to back; `visibleOnly` leaves hidden ones out.
std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly = true);
// Direct children of a window, front to back.
std::vector<HWND> Children(HWND parent);
HWND ChildById(HWND parent, int id);
std::string ClassName(HWND window);
// The window's text asked from its own thread (works for controls of other processes too);
// empty when it does not answer.
std::string Text(HWND window);
// One round trip through the window's message queue.
bool RoundTrip(HWND window, UINT timeoutMs = 3000);

bool IsDialog(HWND window);
// A system message box: a dialog with the message box's icon control and a text.
bool IsMessageBox(HWND window);
// The message of a message box (not its caption).
std::string MessageBoxText(HWND box);

// Polls until a visible top-level window of the process satisfies `match`; null when the time
// runs out or the process ends first.
HWND WaitForWindow(const Launched& process, const std::function<bool(HWND)>& match,
                   DWORD timeoutMs);
HWND WaitForMessageBox(const Launched& process, DWORD timeoutMs);
// A dialog holding a control with each of `ids`.
HWND WaitForDialog(const Launched& process, const std::vector<int>& ids, DWORD timeoutMs);

// Posts a click on the button `id` of `dialog` (posted: a click that opens a modal box must not
// block the caller). False when there is no such button.
bool ClickButton(HWND dialog, int id);
// Posts WM_COMMAND for `id` as its button would send it.
bool PostCommand(HWND dialog, int id);

}  // namespace proc
