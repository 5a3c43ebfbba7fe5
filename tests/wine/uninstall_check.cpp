// Runs the installed uninstaller the way a user does (from the Start menu, not silently) and
// answers it. Run by installer.sh in a prefix of its own, so every window there is the
// uninstaller's: it copies itself to the temporary folder and goes on in that copy, a process
// this checker did not start.
//
//   uninstall_check <Uninstall.exe> keep|remove|no-backup
//   uninstall_check <QuarnelSetup.exe> language <NAME IN THE LIST> <NEXT BUTTON'S TEXT>
//
// keep       a backup exists: the uninstaller's first window is the question naming "Reset
//            Connection Settings"; No ends it before anything is removed.
// remove     the same question; Yes goes on, and the uninstall is confirmed and run to the end.
// no-backup  no question: the first window is the uninstaller's own, and it is run to the end.
// language   the setup's first window offers its languages with Windows' own chosen (English
//            here); NAME is chosen and the welcome page's Next button must read TEXT. Cancel
//            and Yes then end it before anything is installed.
// Whether the files and values are gone is for installer.sh to see.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "process_driver.h"

namespace {

constexpr DWORD kAppearMs = 30000;
constexpr DWORD kPollMs = 100;
// The NSIS window's buttons: Next/Uninstall/Close, Cancel.
constexpr int kNextButton = 1;
constexpr int kCancelButton = 2;

int g_failures = 0;

void Check(bool ok, const std::string& what) {
  std::printf("  %s %s\n", ok ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
  if (!ok) ++g_failures;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM param) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != GetCurrentProcessId() && IsWindowVisible(window))
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  return TRUE;
}

// Visible top-level windows of every other process of the prefix.
std::vector<HWND> OtherWindows() {
  std::vector<HWND> windows;
  EnumWindows(&CollectVisible, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool IsUninstallerWindow(HWND window) {
  return proc::IsDialog(window) && !proc::IsMessageBox(window) &&
         proc::ChildById(window, kNextButton) != nullptr &&
         proc::ChildById(window, kCancelButton) != nullptr;
}

// The first window that is a message box or the uninstaller's own; null when none comes.
HWND WaitForFirstWindow() {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kAppearMs) {
    for (HWND window : OtherWindows()) {
      if (proc::IsMessageBox(window) || IsUninstallerWindow(window)) {
        proc::RoundTrip(window);
        return window;
      }
    }
    Sleep(kPollMs);
  }
  return nullptr;
}

HWND WaitForUninstallerWindow() {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < kAppearMs) {
    for (HWND window : OtherWindows()) {
      if (IsUninstallerWindow(window)) return window;
    }
    Sleep(kPollMs);
  }
  return nullptr;
}

// Waits until the process owning `window` has ended.
bool WaitForOwnerExit(HWND window, DWORD timeoutMs) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (process == nullptr) return !IsWindow(window);
  const bool ended = WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

std::string ButtonText(HWND dialog, int id) {
  HWND button = proc::ChildById(dialog, id);
  return button == nullptr ? std::string() : proc::Text(button);
}

// Confirms the uninstall and closes the window once it is done.
void RunToTheEnd() {
  HWND window = WaitForUninstallerWindow();
  Check(window != nullptr, "the uninstaller's window appears");
  if (window == nullptr) return;
  proc::RoundTrip(window);
  Check(ButtonText(window, kNextButton) == "&Uninstall",
        "its first page confirms, with \"" + ButtonText(window, kNextButton) + "\"");
  Check(proc::ClickButton(window, kNextButton), "Uninstall is clicked");
  // The files page ends with the button turned into Close. A click that comes while the page
  // is still finishing is lost, so Close is clicked until the window goes.
  const DWORD start = GetTickCount();
  bool closed = false;
  while (GetTickCount() - start < kAppearMs) {
    if (!IsWindow(window)) {
      closed = true;
      break;
    }
    HWND next = proc::ChildById(window, kNextButton);
    if (next != nullptr && IsWindowEnabled(next) && proc::Text(next) == "&Close") {
      proc::ClickButton(window, kNextButton);
      Sleep(5 * kPollMs);
    } else {
      Sleep(kPollMs);
    }
  }
  Check(closed, "the uninstall runs to the end and Close is clicked");
  Check(WaitForOwnerExit(window, kAppearMs), "the uninstaller ends");
}

HWND ComboOf(HWND window) {
  for (HWND child : proc::Children(window)) {
    if (proc::ClassName(child) == "ComboBox") return child;
  }
  return nullptr;
}

int ChooseLanguage(const char* setup, const std::string& name, const std::string& next) {
  proc::Launched installer;
  Check(installer.Start(setup), "the setup starts");
  HWND dialog = proc::WaitForWindow(
      installer, [](HWND w) { return proc::IsDialog(w) && ComboOf(w) != nullptr; }, kAppearMs);
  Check(dialog != nullptr, "its first window offers the languages");
  if (dialog == nullptr) return 1;
  proc::RoundTrip(dialog);
  HWND combo = ComboOf(dialog);
  Check(proc::Text(combo) == "English", "Windows' language is chosen: " + proc::Text(combo));
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  Check(count == 7, "seven languages are offered: " + std::to_string(count));
  for (int i = 0; i < count && proc::Text(combo) != name; ++i) {
    SendMessageA(combo, CB_SETCURSEL, i, 0);
  }
  Check(proc::Text(combo) == name, name + " is chosen");
  Check(proc::ClickButton(dialog, IDOK), "OK is clicked");
  HWND welcome = proc::WaitForWindow(
      installer, [](HWND w) { return w != nullptr && IsUninstallerWindow(w) && !ComboOf(w); },
      kAppearMs);
  Check(welcome != nullptr, "the welcome page appears");
  if (welcome == nullptr) return 1;
  proc::RoundTrip(welcome);
  Check(ButtonText(welcome, kNextButton) == next,
        "it speaks " + name + ": \"" + ButtonText(welcome, kNextButton) + "\"");
  Check(proc::ClickButton(welcome, kCancelButton), "Cancel is clicked");
  HWND sure = proc::WaitForMessageBox(installer, kAppearMs);
  Check(sure != nullptr, "it asks whether to quit");
  if (sure != nullptr) Check(proc::ClickButton(sure, IDYES), "Yes is clicked");
  Check(installer.WaitForExit(kAppearMs), "the setup ends");
  return g_failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && std::string(argv[2]) == "language")
    return ChooseLanguage(argv[1], argv[3], argv[4]);
  if (argc != 3) {
    std::printf("usage: uninstall_check <Uninstall.exe> keep|remove|no-backup\n");
    return 2;
  }
  const std::string mode = argv[2];
  if (mode != "keep" && mode != "remove" && mode != "no-backup") {
    std::printf("unknown mode %s\n", mode.c_str());
    return 2;
  }
  proc::Launched uninstaller;
  Check(uninstaller.Start(argv[1]), "Uninstall.exe starts");
  HWND first = WaitForFirstWindow();
  Check(first != nullptr, "a window appears");
  if (first == nullptr) return 1;

  if (mode == "no-backup") {
    Check(!proc::IsMessageBox(first), "no question comes first without a backup");
    RunToTheEnd();
    return g_failures == 0 ? 0 : 1;
  }

  Check(proc::IsMessageBox(first), "a question comes first");
  if (!proc::IsMessageBox(first)) return 1;
  const std::string text = proc::MessageBoxText(first);
  std::printf("    %s\n", text.c_str());
  Check(text.find("\"Reset Connection Settings\"") != std::string::npos,
        "it names \"Reset Connection Settings\"");
  Check(proc::ChildById(first, IDYES) != nullptr && proc::ChildById(first, IDNO) != nullptr,
        "it asks Yes or No");
  if (mode == "keep") {
    Check(proc::ClickButton(first, IDNO), "No is clicked");
    Check(WaitForOwnerExit(first, kAppearMs), "the uninstaller ends");
    Check(OtherWindows().empty(), "and shows nothing more");
  } else {
    Check(proc::ClickButton(first, IDYES), "Yes is clicked");
    RunToTheEnd();
  }
  return g_failures == 0 ? 0 : 1;
}
