#include "scenarios/win32/remote_ui.h"

#include <cstring>
#include <vector>

namespace remote {
namespace {

// Messages are answered within this time by a program that is merely busy; a longer silence
// means it hangs, and the test must not hang with it.
constexpr UINT kAnswerTimeoutMs = 3000;

// Paints a w x h area with `paint` and returns its pixels, as 0x00RRGGBB, row by row.
template <typename Paint>
std::vector<DWORD> Render(int w, int h, Paint paint) {
  std::vector<DWORD> pixels;
  HDC memory = CreateCompatibleDC(nullptr);
  if (!memory) return pixels;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    paint(memory);
    GdiFlush();
    const DWORD* p = static_cast<const DWORD*>(bits);
    pixels.assign(p, p + static_cast<std::size_t>(w) * h);
    for (DWORD& pixel : pixels) pixel &= 0xFFFFFF;
    SelectObject(memory, old);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

// A system icon as a static control paints it: on the dialog's face colour, at its own size.
std::vector<DWORD> DrawnIcon(const char* id, int w, int h) {
  return Render(w, h, [&](HDC dc) {
    RECT all = {0, 0, w, h};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    DrawIconEx(dc, 0, 0, LoadIconA(nullptr, id), 0, 0, 0, nullptr, DI_NORMAL);
  });
}

std::vector<DWORD> ScreenArea(int x, int y, int w, int h) {
  HDC screen = GetDC(nullptr);
  std::vector<DWORD> pixels =
      Render(w, h, [&](HDC dc) { BitBlt(dc, 0, 0, w, h, screen, x, y, SRCCOPY); });
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

int ShownSystemIcon(HWND iconStatic) {
  DWORD_PTR icon = 0;
  if (!SendMessageTimeoutA(iconStatic, STM_GETICON, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &icon))
    return -1;
  if (icon == 0) return 0;
  RECT client;
  if (!GetClientRect(iconStatic, &client) || client.right <= 0 || client.bottom <= 0) return -1;
  const int w = client.right;
  const int h = client.bottom;
  struct Known {
    const char* id;
    int style;
  };
  const Known known[] = {{IDI_HAND, MB_ICONHAND},
                         {IDI_QUESTION, MB_ICONQUESTION},
                         {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                         {IDI_ASTERISK, MB_ICONASTERISK}};
  std::vector<std::vector<DWORD>> drawn;
  for (const Known& k : known) drawn.push_back(DrawnIcon(k.id, w, h));
  int found = -1;
  // Painting comes last in the box's queue, and reaches the screen a moment after that.
  RedrawWindow(iconStatic, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  for (int attempt = 0; attempt < 25 && found < 0; ++attempt) {
    if (attempt > 0) Sleep(20);
    POINT origin = {0, 0};
    ClientToScreen(iconStatic, &origin);
    const std::vector<DWORD> shown = ScreenArea(origin.x, origin.y, w, h);
    for (std::size_t i = 0; i < drawn.size(); ++i)
      if (!shown.empty() && shown == drawn[i]) found = known[i].style;
  }
  return found;
}

void PostFocus(HWND dialog, HWND control) {
  PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void PostTyping(HWND edit, const std::string& text) {
  PostMessageA(edit, EM_SETSEL, 0, -1);
  if (text.empty()) {
    PostMessageA(edit, WM_CHAR, VK_BACK, 1);
    return;
  }
  for (char c : text) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void PostKey(HWND target, int virtualKey) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(virtualKey), 0)) << 16;
  PostMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), scan | 1);
  // Bits 30 and 31 of a key-up: the key was down and is being released.
  PostMessageA(target, WM_KEYUP, static_cast<WPARAM>(virtualKey),
               static_cast<LPARAM>(scan | 1 | 0xC0000000u));
}

HeldShift::HeldShift(DWORD threadId, bool active) : threadId_(threadId) {
  if (!active) return;
  // Attached threads share one keyboard state, so what we set here is what the program's
  // GetKeyState(VK_SHIFT) reads.
  attached_ = AttachThreadInput(GetCurrentThreadId(), threadId_, TRUE) != 0;
  if (!attached_) return;
  GetKeyboardState(saved_);
  BYTE state[256];
  std::memcpy(state, saved_, sizeof state);
  state[VK_SHIFT] |= 0x80;
  state[VK_LSHIFT] |= 0x80;
  SetKeyboardState(state);
}

HeldShift::~HeldShift() {
  if (!attached_) return;
  SetKeyboardState(saved_);
  AttachThreadInput(GetCurrentThreadId(), threadId_, FALSE);
}

}  // namespace remote
