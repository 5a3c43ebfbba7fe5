#include "contract/toolkit_backend.h"

#include <windows.h>

#include <cstring>
#include <deque>
#include <set>

#include "platform/win32/win32_toolkit.h"

namespace {

HWND H(WindowRef window) { return reinterpret_cast<HWND>(window); }

// Message boxes come up inside MessageBoxA's own loop; a hook on this thread answers each one as
// it is activated, with the next queued button (or its first one), and keeps its text.
std::deque<int> g_answers;
std::vector<std::string> g_texts;
std::set<HWND> g_answered;
HHOOK g_hook = nullptr;

int FirstButton(HWND box) {
  static const int kOrder[] = {IDOK, IDYES, IDABORT, IDRETRY, IDCANCEL, IDNO};
  for (int id : kOrder) {
    if (GetDlgItem(box, id) != nullptr) return id;
  }
  return IDOK;
}

LRESULT CALLBACK AnswerBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND hwnd = reinterpret_cast<HWND>(wParam);
    char className[16] = {};
    GetClassNameA(hwnd, className, sizeof className);
    if (std::strcmp(className, "#32770") == 0 &&
        Win32Toolkit::DialogOfWindow(reinterpret_cast<WindowRef>(hwnd)) == nullptr &&
        g_answered.insert(hwnd).second) {
      char text[1024] = {};
      GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text);
      g_texts.push_back(text);
      int answer = FirstButton(hwnd);
      if (!g_answers.empty()) {
        answer = g_answers.front();
        g_answers.pop_front();
      }
      PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hwnd, answer)));
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

class BoxMessages : public MessageBoxes {
 public:
  int Show(WindowRef owner, const char* text, const char* caption, std::uint32_t style) override {
    int answer = MessageBoxA(H(owner), text, caption, style);
    g_answered.clear();
    return answer;
  }
};

class DrivenToolkit : public Win32Toolkit {
 public:
  std::deque<std::function<void()>> drivers;

 protected:
  void OnModalReady(WindowRef dialog) override {
    if (!drivers.empty()) {
      std::function<void()> driver = std::move(drivers.front());
      drivers.pop_front();
      driver();
    }
    if (IsModalRunning(dialog)) EndDialog(dialog, kIdCancelCommand);
  }
};

bool EnabledChain(HWND hwnd) {
  for (; hwnd != nullptr;
       hwnd = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr) {
    if (!IsWindowEnabled(hwnd)) return false;
  }
  return true;
}

class RealBackend : public ToolkitBackend {
 public:
  RealBackend() {
    if (g_hook == nullptr) {
      g_hook = SetWindowsHookExA(WH_CBT, AnswerBoxes, nullptr, GetCurrentThreadId());
    }
    g_answers.clear();
    g_texts.clear();
    g_answered.clear();
  }
  // Other suites in the same program answer their boxes their own way.
  ~RealBackend() override {
    if (g_hook != nullptr) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
  }

  bool ready(std::string* why) override {
    if (FindResourceA(nullptr, MAKEINTRESOURCEA(900), MAKEINTRESOURCEA(5)) == nullptr) {
      *why = "contract_tests.exe carries no dialog 900 (toolkit_templates.rc not linked in)";
      return false;
    }
    if (g_hook == nullptr) {
      *why = "no CBT hook for the message boxes";
      return false;
    }
    return true;
  }
  Toolkit& toolkit() override { return toolkit_; }
  MessageBoxes& messageBoxes() override { return boxes_; }
  void QueueModalDriver(std::function<void()> body) override {
    toolkit_.drivers.push_back(std::move(body));
  }

  // The mouse goes down and up over the middle of a button, or at the right end of an edit so
  // the caret lands after its text. Hidden or disabled windows never see it.
  void Click(WindowRef window) override {
    HWND hwnd = H(window);
    if (!IsWindow(hwnd) || !IsWindowVisible(hwnd) || !EnabledChain(hwnd)) return;
    RECT client;
    GetClientRect(hwnd, &client);
    char className[32] = {};
    GetClassNameA(hwnd, className, sizeof className);
    int x = lstrcmpiA(className, "Edit") == 0 ? client.right - 2 : client.right / 2;
    LPARAM point = MAKELPARAM(x, client.bottom / 2);
    PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(hwnd, WM_LBUTTONUP, 0, point);
    toolkit_.PumpMessages();
    if (GetCapture() != nullptr) ReleaseCapture();  // a press the focus move interrupted
    toolkit_.PumpMessages();
  }

  void Type(WindowRef edit, const std::string& text) override {
    if (GetFocus() != H(edit)) Click(edit);
    for (char c : text) {
      HWND focus = GetFocus();
      if (focus != H(edit)) return;
      PostMessageA(focus, WM_CHAR, static_cast<unsigned char>(c), 1);
      toolkit_.PumpMessages();
    }
  }

  void Key(int virtualKey, bool shift) override {
    BYTE state[256];
    GetKeyboardState(state);
    BYTE saved = state[VK_SHIFT];
    state[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(state);
    HWND target = GetFocus();
    if (target == nullptr) target = GetActiveWindow();
    PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
    PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(virtualKey), 0xC0000001);
    toolkit_.PumpMessages();
    GetKeyboardState(state);
    state[VK_SHIFT] = saved;
    SetKeyboardState(state);
  }

  void Mnemonic(char letter) override {
    HWND target = GetFocus();
    if (target == nullptr) target = GetActiveWindow();
    // The character Alt+letter produces; bit 29 says Alt was down.
    PostMessageA(target, WM_SYSCHAR, static_cast<unsigned char>(letter), 0x20000001);
    toolkit_.PumpMessages();
  }

  void SystemCommand(WindowRef window, int commandId) override {
    SendMessageA(H(window), WM_SYSCOMMAND, static_cast<WPARAM>(commandId), 0);
    toolkit_.PumpMessages();
  }

  void QueueMessageBoxAnswer(int button) override { g_answers.push_back(button); }
  std::vector<std::string> MessageBoxTexts() override { return g_texts; }

  PixelRect Rect(WindowRef window) override {
    HWND hwnd = H(window);
    RECT r;
    GetWindowRect(hwnd, &r);
    if (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) {
      MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    }
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }

  void BaseUnits(WindowRef dialog, int* x, int* y) override {
    RECT r = {0, 0, 4, 8};
    MapDialogRect(H(dialog), &r);
    *x = r.right;
    *y = r.bottom;
  }

  std::string Name() override { return "win32"; }

 private:
  DrivenToolkit toolkit_;
  BoxMessages boxes_;
};

}  // namespace

std::unique_ptr<ToolkitBackend> MakeToolkitBackend() { return std::make_unique<RealBackend>(); }
