// Runs the installed uninstaller the way a user does (from the Start menu, not silently) and
// answers it. Run by installer.sh in a prefix of its own, so every window there is the
// uninstaller's: it copies itself to the temporary folder and goes on in that copy, a process
// this checker did not start.
//
//   uninstall_check <Uninstall.exe> keep|remove|no-backup
//
// keep       a backup exists: the uninstaller's first window is the question naming "Reset
//            Connection Settings"; No ends it before anything is removed.
// remove     the same question; Yes goes on, and the uninstall is confirmed and run to the end.
// no-backup  no question: the first window is the uninstaller's own, and it is run to the end.
// Whether the files and values are gone is for installer.sh to see.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "process_driver.h"

namespace {

std::string g_uninstaller;
std::string g_mode;
// The language mode: the language to choose and the welcome page's Next button in it.
std::string g_language;
std::string g_next;

constexpr DWORD kAppearMs = 30000;
constexpr DWORD kPollMs = 100;
// The NSIS window's buttons: Next/Uninstall/Close, Cancel.
constexpr int kNextButton = 1;
constexpr int kCancelButton = 2;

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
  EXPECT_TRUE(window != nullptr) << "the uninstaller's window appears";
  if (window == nullptr) return;
  proc::RoundTrip(window);
  EXPECT_TRUE(ButtonText(window, kNextButton) == "&Uninstall")
      << "its first page confirms, with \"" + ButtonText(window, kNextButton) + "\"";
  EXPECT_TRUE(proc::ClickButton(window, kNextButton)) << "Uninstall is clicked";
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
  EXPECT_TRUE(closed) << "the uninstall runs to the end and Close is clicked";
  EXPECT_TRUE(WaitForOwnerExit(window, kAppearMs)) << "the uninstaller ends";
}

HWND ComboOf(HWND window) {
  for (HWND child : proc::Children(window)) {
    if (proc::ClassName(child) == "ComboBox") return child;
  }
  return nullptr;
}

}  // namespace

// The setup's first window offers the languages and the setup then speaks the one chosen.
TEST(SetupCheck, SpeaksTheChosenLanguage) {
  if (g_mode != "language") GTEST_SKIP();
  proc::Launched installer;
  EXPECT_TRUE(installer.Start(g_uninstaller)) << "the setup starts";
  HWND dialog = proc::WaitForWindow(
      installer, [](HWND w) { return proc::IsDialog(w) && ComboOf(w) != nullptr; }, kAppearMs);
  ASSERT_NE(dialog, nullptr) << "its first window offers the languages";
  proc::RoundTrip(dialog);
  HWND combo = ComboOf(dialog);
  EXPECT_EQ(proc::Text(combo), "English") << "Windows' language is chosen";
  const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(count, 7) << "seven languages are offered";
  for (int i = 0; i < count && proc::Text(combo) != g_language; ++i) {
    SendMessageA(combo, CB_SETCURSEL, i, 0);
  }
  EXPECT_EQ(proc::Text(combo), g_language) << g_language << " is chosen";
  EXPECT_TRUE(proc::ClickButton(dialog, IDOK)) << "OK is clicked";
  HWND welcome = proc::WaitForWindow(
      installer, [](HWND w) { return w != nullptr && IsUninstallerWindow(w) && !ComboOf(w); },
      kAppearMs);
  ASSERT_NE(welcome, nullptr) << "the welcome page appears";
  proc::RoundTrip(welcome);
  EXPECT_EQ(ButtonText(welcome, kNextButton), g_next) << "it speaks " << g_language;
  EXPECT_TRUE(proc::ClickButton(welcome, kCancelButton)) << "Cancel is clicked";
  HWND sure = proc::WaitForMessageBox(installer, kAppearMs);
  EXPECT_NE(sure, nullptr) << "it asks whether to quit";
  if (sure != nullptr) {
    EXPECT_TRUE(proc::ClickButton(sure, IDYES)) << "Yes is clicked";
  }
  EXPECT_TRUE(installer.WaitForExit(kAppearMs)) << "the setup ends";
}

// The uninstaller answered as this run's mode says.
TEST(UninstallCheck, AnsweredAsAUserWould) {
  if (g_mode == "language") GTEST_SKIP();
  proc::Launched uninstaller;
  EXPECT_TRUE(uninstaller.Start(g_uninstaller)) << "Uninstall.exe starts";
  HWND first = WaitForFirstWindow();
  ASSERT_NE(first, nullptr) << "a window appears";

  if (g_mode == "no-backup") {
    EXPECT_FALSE(proc::IsMessageBox(first)) << "no question comes first without a backup";
    RunToTheEnd();
    return;
  }

  ASSERT_TRUE(proc::IsMessageBox(first)) << "a question comes first";
  const std::string text = proc::MessageBoxText(first);
  std::printf("    %s\n", text.c_str());
  EXPECT_NE(text.find("\"Reset Connection Settings\""), std::string::npos)
      << "it names \"Reset Connection Settings\"";
  EXPECT_TRUE(proc::ChildById(first, IDYES) != nullptr && proc::ChildById(first, IDNO) != nullptr)
      << "it asks Yes or No";
  if (g_mode == "keep") {
    EXPECT_TRUE(proc::ClickButton(first, IDNO)) << "No is clicked";
    EXPECT_TRUE(WaitForOwnerExit(first, kAppearMs)) << "the uninstaller ends";
    EXPECT_TRUE(OtherWindows().empty()) << "and shows nothing more";
  } else {
    EXPECT_TRUE(proc::ClickButton(first, IDYES)) << "Yes is clicked";
    RunToTheEnd();
  }
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc == 5 && std::string(argv[2]) == "language") {
    g_uninstaller = argv[1];  // the setup, in this mode
    g_mode = argv[2];
    g_language = argv[3];
    g_next = argv[4];
    return RUN_ALL_TESTS();
  }
  if (argc != 3) {
    std::printf("usage: uninstall_check <Uninstall.exe> keep|remove|no-backup\n");
    return 2;
  }
  g_uninstaller = argv[1];
  g_mode = argv[2];
  if (g_mode != "keep" && g_mode != "remove" && g_mode != "no-backup") {
    std::printf("unknown mode %s\n", g_mode.c_str());
    return 2;
  }
  return RUN_ALL_TESTS();
}
