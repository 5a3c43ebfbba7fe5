#include "process_driver.h"

#include <cstring>

namespace proc {
namespace {

// Message box parts as user32 lays them out: Wine numbers the icon 1088 and the text 100,
// Windows 20 and 0xFFFF.
constexpr int kBoxIconIds[] = {1088, 20};
constexpr int kBoxTextIds[] = {0xFFFF, 100};

constexpr DWORD kPollMs = 50;

struct EnumState {
  DWORD processId;
  bool visibleOnly;
  std::vector<HWND>* out;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == state->processId && (!state->visibleOnly || IsWindowVisible(window)))
    state->out->push_back(window);
  return TRUE;
}

}  // namespace

Launched::~Launched() {
  if (info_.hProcess != nullptr && Running()) Kill();
  if (info_.hThread != nullptr) CloseHandle(info_.hThread);
  if (info_.hProcess != nullptr) CloseHandle(info_.hProcess);
}

bool Launched::Start(const std::string& program, const std::string& arguments,
                     const std::string& folder) {
  if (info_.hProcess != nullptr) return false;
  std::string commandLine = "\"" + program + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  STARTUPINFOA startup;
  std::memset(&startup, 0, sizeof(startup));
  startup.cb = sizeof(startup);
  if (!CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info_)) {
    std::memset(&info_, 0, sizeof(info_));
    return false;
  }
  return true;
}

bool Launched::Running() const {
  return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

bool Launched::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (info_.hProcess == nullptr) return false;
  if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode != nullptr) GetExitCodeProcess(info_.hProcess, exitCode);
  return true;
}

void Launched::Kill() {
  if (info_.hProcess == nullptr) return;
  TerminateProcess(info_.hProcess, 255);
  WaitForSingleObject(info_.hProcess, 5000);
}

std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly) {
  std::vector<HWND> windows;
  EnumState state{processId, visibleOnly, &windows};
  EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&state));
  return windows;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

HWND ChildById(HWND parent, int id) {
  for (HWND child : Children(parent)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

std::string ClassName(HWND window) {
  char name[64] = {};
  if (GetClassNameA(window, name, sizeof(name)) == 0) return std::string();
  return name;
}

std::string Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 3000, &length))
    return std::string();
  std::vector<char> buffer(length + 2, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(),
                           reinterpret_cast<LPARAM>(buffer.data()), SMTO_NORMAL, 3000, &copied))
    return std::string();
  buffer.back() = '\0';
  return std::string(buffer.data());
}

bool RoundTrip(HWND window, UINT timeoutMs) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

bool IsDialog(HWND window) { return ClassName(window) == "#32770"; }

bool IsMessageBox(HWND window) {
  if (!IsDialog(window)) return false;
  bool icon = false;
  for (int id : kBoxIconIds) icon = icon || ChildById(window, id) != nullptr;
  bool text = false;
  for (int id : kBoxTextIds) text = text || ChildById(window, id) != nullptr;
  return icon && text;
}

std::string MessageBoxText(HWND box) {
  for (int id : kBoxTextIds) {
    HWND text = ChildById(box, id);
    if (text != nullptr) return Text(text);
  }
  return std::string();
}

HWND WaitForWindow(const Launched& process, const std::function<bool(HWND)>& match,
                   DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    for (HWND window : TopLevelWindows(process.id())) {
      if (match(window)) return window;
    }
    if (!process.Running() || GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(kPollMs);
  }
}

HWND WaitForMessageBox(const Launched& process, DWORD timeoutMs) {
  return WaitForWindow(
      process, [](HWND window) { return IsMessageBox(window); }, timeoutMs);
}

HWND WaitForDialog(const Launched& process, const std::vector<int>& ids, DWORD timeoutMs) {
  return WaitForWindow(
      process,
      [&ids](HWND window) {
        if (!IsDialog(window)) return false;
        for (int id : ids) {
          if (ChildById(window, id) == nullptr) return false;
        }
        return true;
      },
      timeoutMs);
}

bool ClickButton(HWND dialog, int id) {
  HWND button = ChildById(dialog, id);
  if (button == nullptr) return false;
  return PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

bool PostCommand(HWND dialog, int id) {
  HWND control = ChildById(dialog, id);
  return PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(control)) != 0;
}

}  // namespace proc
