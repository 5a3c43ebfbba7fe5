#include "platform/win32/win32_toolkit.h"

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include "platform/max_path.h"

namespace {

HWND ToHwnd(WindowRef window) { return reinterpret_cast<HWND>(window); }
WindowRef FromHwnd(HWND window) { return reinterpret_cast<WindowRef>(window); }

Dialog* StoredDialog(HWND hwnd) {
  return reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// A window's parent when it is a child window; 0 for a top-level one (whose GetParent would
// give its owner).
HWND ParentOf(HWND hwnd) {
  if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) return nullptr;
  return GetParent(hwnd);
}

HWND TopLevelOf(HWND hwnd) {
  while (hwnd != nullptr) {
    HWND parent = ParentOf(hwnd);
    if (parent == nullptr) break;
    hwnd = parent;
  }
  return hwnd;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    Dialog* dialog = reinterpret_cast<Dialog*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(lParam));
    if (dialog == nullptr) return TRUE;
    dialog->AttachWindow(FromHwnd(hwnd));
    return dialog->OnInitDialog() ? TRUE : FALSE;
  }
  Dialog* dialog = StoredDialog(hwnd);
  if (dialog == nullptr) return FALSE;
  switch (message) {
    case WM_SHOWWINDOW:
      dialog->OnShowWindow(wParam != FALSE);
      return FALSE;  // the dialog manager still remembers the focus of a page being hidden
    case WM_COMMAND:
      dialog->OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_SYSCOMMAND:
      return dialog->OnSysCommand(static_cast<int>(wParam)) ? TRUE : FALSE;
    case WM_PAINT:
    case WM_QUERYDRAGICON:
      return static_cast<Win32Toolkit&>(dialog->toolkit())
          .HandleFrameMessage(FromHwnd(hwnd), message);
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      if (dialog->window() == FromHwnd(hwnd)) dialog->AttachWindow(0);
      return FALSE;
    default:
      return FALSE;
  }
}

// ComboBoxEx32 needs InitCommonControlsEx, which Windows 95 has only with a newer comctl32:
// take it when it is there, else the classic registration.
void RegisterCommonControls() {
  InitCommonControls();
  HMODULE comctl = GetModuleHandleA("comctl32.dll");
  if (comctl == nullptr) return;
  using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  InitEx initEx = reinterpret_cast<InitEx>(
      reinterpret_cast<void (*)()>(GetProcAddress(comctl, "InitCommonControlsEx")));
  if (initEx == nullptr) return;
  INITCOMMONCONTROLSEX init;
  init.dwSize = sizeof init;
  init.dwICC = ICC_USEREX_CLASSES;
  initEx(&init);
}

// A dialog whose template names a class nobody registered is not created at all. Where the
// comctl32 of Windows 95 or NT 4.0 has no extended combo box, the frame would not open; a plain
// drop-down combo box under that name keeps the wizard usable.
// True when the real extended combo box is there.
bool RegisterComboBoxExFallback(HINSTANCE instance) {
  WNDCLASSA existing;
  if (GetClassInfoA(nullptr, "ComboBoxEx32", &existing)) return true;
  WNDCLASSA combo;
  if (!GetClassInfoA(nullptr, "COMBOBOX", &combo)) return false;
  combo.hInstance = instance;
  combo.lpszClassName = "ComboBoxEx32";
  combo.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
  RegisterClassA(&combo);
  return false;
}

// A flag as the language pack ships it, an uncompressed 16 x 16 bitmap with the plain info
// header, costs one file read and one DIB section: half of what LoadImageA takes for it under
// Wine. Null for any other file, which is left to LoadImageA (it also scales other sizes).
HBITMAP ReadSmallBitmap(const char* path) {
  BYTE file[4096];
  HANDLE handle = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  DWORD size = 0;
  const BOOL read = ReadFile(handle, file, sizeof file, &size, nullptr);
  CloseHandle(handle);
  BITMAPFILEHEADER fileHeader;
  // Aligned for CreateDIBSection, with room for the largest palette of a 16 x 16 bitmap.
  union {
    BITMAPINFO info;
    BYTE bytes[sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)];
  } header;
  if (!read || size < sizeof fileHeader + sizeof(BITMAPINFOHEADER)) return nullptr;
  CopyMemory(&fileHeader, file, sizeof fileHeader);
  CopyMemory(&header.info.bmiHeader, file + sizeof fileHeader, sizeof(BITMAPINFOHEADER));
  const BITMAPINFOHEADER& info = header.info.bmiHeader;
  if (fileHeader.bfType != 0x4D42 || info.biSize != sizeof(BITMAPINFOHEADER) ||
      info.biWidth != 16 || (info.biHeight != 16 && info.biHeight != -16) || info.biPlanes != 1 ||
      info.biCompression != BI_RGB) {
    return nullptr;
  }
  DWORD colours = 0;
  switch (info.biBitCount) {
    case 1:
    case 4:
    case 8:
      colours = info.biClrUsed != 0 ? info.biClrUsed : 1u << info.biBitCount;
      if (colours > (1u << info.biBitCount)) return nullptr;
      break;
    case 16:
    case 24:
    case 32:
      if (info.biClrUsed != 0) return nullptr;
      break;
    default:
      return nullptr;
  }
  const DWORD headers = sizeof fileHeader + sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD);
  const DWORD pixels = (16 * info.biBitCount + 31) / 32 * 4 * 16;
  if (fileHeader.bfOffBits < headers || fileHeader.bfOffBits > size ||
      size - fileHeader.bfOffBits < pixels) {
    return nullptr;
  }
  CopyMemory(header.info.bmiColors, file + sizeof fileHeader + sizeof(BITMAPINFOHEADER),
             colours * sizeof(RGBQUAD));
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &header.info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return nullptr;
  if (bits == nullptr) {
    DeleteObject(bitmap);
    return nullptr;
  }
  CopyMemory(bits, file + fileHeader.bfOffBits, pixels);
  return bitmap;
}

// A control a dialog's first paint does without: its entry in the template (an extended one,
// DLGITEMTEMPLATEEX) and how many of the template's controls come before it.
struct LateItem {
  const BYTE* item;
  int place;
};

// Past a name-or-number field of a template: 0xFFFF and a number, or a zero-ended text.
const BYTE* SkipNameField(const BYTE* at, const BYTE* end) {
  if (at + 2 <= end && *reinterpret_cast<const WORD*>(at) == 0xFFFF) return at + 4;
  while (at + 2 <= end && *reinterpret_cast<const WORD*>(at) != 0) at += 2;
  return at + 2;
}

const BYTE* AlignToDword(const BYTE* at, const BYTE* base) { return base + ((at - base + 3) & ~3); }

// Copies dialog template `templateId` into `kept` without the dialog's late controls, which go to
// `later`. False (nothing to leave out) when the template is not an extended one or has none of
// them: the dialog is then made from the resource as it is.
bool SplitTemplate(HINSTANCE instance, int templateId, const Dialog& dialog,
                   std::vector<DWORD>* kept, std::vector<LateItem>* later) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const BYTE* base = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
  if (base == nullptr) return false;
  const BYTE* end = base + SizeofResource(instance, found);
  const DWORD kHeader = 26;      // DLGTEMPLATEEX up to its menu field
  const DWORD kItemHeader = 24;  // DLGITEMTEMPLATEEX up to its class field
  if (end - base < static_cast<std::ptrdiff_t>(kHeader) ||
      *reinterpret_cast<const WORD*>(base) != 1 ||
      *reinterpret_cast<const WORD*>(base + 2) != 0xFFFF) {
    return false;
  }
  DWORD style = 0;
  CopyMemory(&style, base + 12, sizeof style);
  const WORD count = *reinterpret_cast<const WORD*>(base + 16);
  const BYTE* at = SkipNameField(SkipNameField(SkipNameField(base + kHeader, end), end), end);
  if (style & DS_SETFONT) at = SkipNameField(at + 6, end);  // size, weight, italic, charset, face
  std::vector<BYTE> copy(base, AlignToDword(at, base));
  for (int place = 0; place < count; ++place) {
    at = AlignToDword(at, base);
    if (end - at < static_cast<std::ptrdiff_t>(kItemHeader)) return false;
    const BYTE* item = at;
    at = SkipNameField(SkipNameField(item + kItemHeader, end), end);
    if (at + 2 > end) return false;
    at += 2 + *reinterpret_cast<const WORD*>(at);  // the creation data
    if (at > end) return false;
    DWORD id = 0;
    CopyMemory(&id, item + 20, sizeof id);
    if (id <= 0xFFFF && dialog.IsLateControl(static_cast<int>(id))) {
      later->push_back({item, place});
      continue;
    }
    copy.resize((copy.size() + 3) & ~static_cast<std::size_t>(3));
    copy.insert(copy.end(), item, at);
  }
  if (later->empty()) return false;
  const WORD keptCount = static_cast<WORD>(count - later->size());
  CopyMemory(&copy[16], &keptCount, sizeof keptCount);
  kept->assign((copy.size() + 3) / 4, 0);
  CopyMemory(kept->data(), copy.data(), copy.size());
  return true;
}

// Makes a left-out control the way the dialog manager makes it: its place in dialog units, the
// dialog's font, and its place among the dialog's controls (the tab order).
void MakeLateControl(HWND dialog, HINSTANCE instance, const LateItem& late) {
  DWORD exStyle = 0;
  DWORD style = 0;
  short box[4] = {};
  DWORD id = 0;
  CopyMemory(&exStyle, late.item + 4, sizeof exStyle);
  CopyMemory(&style, late.item + 8, sizeof style);
  CopyMemory(box, late.item + 12, sizeof box);
  CopyMemory(&id, late.item + 20, sizeof id);
  // Windows 95 has no wide CreateWindowEx: the class name and text go in the ANSI code page.
  char names[2][64] = {};
  const WORD* field = reinterpret_cast<const WORD*>(late.item + 24);
  for (char* name : names) {
    if (*field == 0xFFFF) {
      static const char* const kPredefined[] = {"Button",  "Edit",      "Static",
                                                "ListBox", "ScrollBar", "ComboBox"};
      const WORD number = field[1];
      if (name == names[0] && number >= 0x80 && number <= 0x85) {
        lstrcpyA(name, kPredefined[number - 0x80]);
      } else {
        wsprintfA(name, "#%u", number);
      }
      field += 2;
    } else {
      WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(field), -1, name, 64, nullptr,
                          nullptr);
      name[63] = '\0';
      while (*field != 0) ++field;
      ++field;
    }
  }
  RECT rect = {box[0], box[1], box[0] + box[2], box[1] + box[3]};
  MapDialogRect(dialog, &rect);
  HWND control =
      CreateWindowExA(exStyle | WS_EX_NOPARENTNOTIFY, names[0], names[1], style, rect.left,
                      rect.top, rect.right - rect.left, rect.bottom - rect.top, dialog,
                      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
  if (control == nullptr) return;
  const LRESULT font = SendMessageA(dialog, WM_GETFONT, 0, 0);
  if (font != 0) SendMessageA(control, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
  HWND before = HWND_TOP;
  HWND child = GetWindow(dialog, GW_CHILD);
  for (int i = 0; i < late.place && child != nullptr; ++i) {
    before = child;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  // Not painted here: OnFirstShown may fill it first, and the queue paints it once, filled.
  SetWindowPos(control, before, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

Win32Toolkit::Win32Toolkit(std::uintptr_t instance)
    : instance_(instance != 0 ? instance
                              : reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr))) {
  RegisterCommonControls();
  comboExReal_ = RegisterComboBoxExFallback(reinterpret_cast<HINSTANCE>(instance_));
}

Win32Toolkit::~Win32Toolkit() {
  WaitBeside();
  for (std::uintptr_t icon : loadedIcons_) DestroyIcon(reinterpret_cast<HICON>(icon));
  for (auto& list : imageLists_) ImageList_Destroy(reinterpret_cast<HIMAGELIST>(list.second));
}

Dialog* Win32Toolkit::DialogOfWindow(WindowRef window) {
  HWND hwnd = ToHwnd(window);
  if (hwnd == nullptr || !IsWindow(hwnd)) return nullptr;
  char className[16] = {};
  GetClassNameA(hwnd, className, sizeof className);
  if (lstrcmpA(className, "#32770") != 0) return nullptr;
  // Only dialogs of ours: a message box or another module's dialog keeps its own data there.
  if (GetWindowLongPtrA(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc)) {
    return nullptr;
  }
  return StoredDialog(hwnd);
}

Win32Toolkit::Modal* Win32Toolkit::FindModal(WindowRef window) {
  for (Modal& modal : modals_) {
    if (modal.window == window) return &modal;
  }
  return nullptr;
}

bool Win32Toolkit::IsModalRunning(WindowRef dialog) const {
  for (const Modal& modal : modals_) {
    if (modal.window == dialog) return !modal.ended;
  }
  return false;
}

int Win32Toolkit::RunModal(Dialog& dialog, int templateId, WindowRef owner) {
  HWND ownerTop = TopLevelOf(ToHwnd(owner));
  bool disabledOwner = false;
  if (ownerTop != nullptr && IsWindowEnabled(ownerTop)) {
    EnableWindow(ownerTop, FALSE);
    disabledOwner = true;
  }
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(instance_);
  std::vector<DWORD> kept;
  std::vector<LateItem> later;
  HWND hwnd =
      dialog.LateControls() != nullptr && SplitTemplate(instance, templateId, dialog, &kept, &later)
          ? CreateDialogIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(kept.data()),
                                       ownerTop, DialogProc, reinterpret_cast<LPARAM>(&dialog))
          : CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), ownerTop, DialogProc,
                               reinterpret_cast<LPARAM>(&dialog));
  if (hwnd == nullptr) {
    if (disabledOwner) EnableWindow(ownerTop, TRUE);
    return -1;
  }
  modals_.push_back({FromHwnd(hwnd), false, kIdCancelCommand});
  bool shown = false;
  bool quit = false;
  WPARAM quitCode = 0;
  for (;;) {
    Modal* modal = FindModal(FromHwnd(hwnd));
    if (modal == nullptr || modal->ended || !IsWindow(hwnd)) break;
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!shown) {
        // Like DialogBox: shown once initialisation's messages are through.
        shown = true;
        ShowWindow(hwnd, SW_SHOWNORMAL);
        UpdateWindow(hwnd);
        if (!later.empty()) {
          // The focus the dialog manager gave the first tab stop goes to a late control that
          // now comes before it.
          HWND first = GetNextDlgTabItem(hwnd, nullptr, FALSE);
          for (const LateItem& item : later) MakeLateControl(hwnd, instance, item);
          HWND nowFirst = GetNextDlgTabItem(hwnd, nullptr, FALSE);
          if (nowFirst != first && GetFocus() == first) {
            SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(nowFirst), TRUE);
          }
        }
        // A dialog that leaves its focus to the showing (OnInitDialog false) has it on its first
        // tab stop now, from the activation. Where there was none (another program kept the
        // foreground), it goes there all the same, as the dialog manager would have put it.
        HWND focus = GetFocus();
        HWND firstStop = GetNextDlgTabItem(hwnd, nullptr, FALSE);
        if (focus != hwnd && !::IsChild(hwnd, focus) && firstStop != nullptr) {
          SendMessageA(hwnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(firstStop), TRUE);
        }
        dialog.OnFirstShown();
        OnModalReady(FromHwnd(hwnd));
        continue;
      }
      if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        quit = true;
        quitCode = msg.wParam;
        break;
      }
    }
    if (msg.message == WM_QUIT) {
      quit = true;
      quitCode = msg.wParam;
      break;
    }
    Process(&msg);
  }
  int result = kIdCancelCommand;
  for (std::size_t i = modals_.size(); i-- > 0;) {
    if (modals_[i].window == FromHwnd(hwnd)) {
      result = modals_[i].result;
      modals_.erase(modals_.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
  // The owner comes back before this window goes, so activation returns to it.
  if (disabledOwner) EnableWindow(ownerTop, TRUE);
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
  bigIcons_.erase(FromHwnd(hwnd));
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
  return result;
}

WindowRef Win32Toolkit::CreateChild(Dialog& dialog, int templateId, WindowRef parent) {
  HWND hwnd =
      CreateDialogParamA(reinterpret_cast<HINSTANCE>(instance_), MAKEINTRESOURCEA(templateId),
                         ToHwnd(parent), DialogProc, reinterpret_cast<LPARAM>(&dialog));
  return FromHwnd(hwnd);
}

void Win32Toolkit::EndDialog(WindowRef dialog, int result) {
  Modal* modal = FindModal(dialog);
  if (modal != nullptr) {
    modal->ended = true;
    modal->result = result;
  }
  ::EndDialog(ToHwnd(dialog), result);
}

void Win32Toolkit::Process(MSG* msg) {
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && PreTranslate(msg)) return;
  TranslateMessage(msg);
  DispatchMessageA(msg);
}

// A key message goes to the dialogs from the focus window's up to the top-level one: key-downs
// through PreTranslateKey (whose default is IsDialogMessage), other key messages (characters,
// key-ups) straight to IsDialogMessage; Alt+letter mnemonics to the top-level dialog.
bool Win32Toolkit::PreTranslate(MSG* msg) {
  const MSG* saved = current_;
  current_ = msg;
  bool used = false;
  if (msg->message == WM_SYSCHAR) {
    // Alt+letter: the top-level dialog looks for the mnemonic among its own controls and those
    // of its visible child dialogs, so a frame button answers while a page has the focus.
    HWND top = nullptr;
    for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ParentOf(hwnd)) {
      if (DialogOfWindow(FromHwnd(hwnd)) != nullptr) top = hwnd;
    }
    used = top != nullptr && IsDialogMessageA(top, msg) != FALSE;
    current_ = saved;
    return used;
  }
  for (HWND hwnd = msg->hwnd; hwnd != nullptr && !used; hwnd = ParentOf(hwnd)) {
    Dialog* dialog = DialogOfWindow(FromHwnd(hwnd));
    if (dialog == nullptr) continue;
    if (msg->message == WM_KEYDOWN) {
      KeyEvent key{FromHwnd(msg->hwnd), static_cast<int>(msg->wParam), GetKeyState(VK_SHIFT) < 0};
      used = dialog->PreTranslateKey(key);
    } else {
      used = IsDialogMessageA(hwnd, msg) != FALSE;
    }
    if (!IsWindow(hwnd)) used = true;
  }
  current_ = saved;
  return used;
}

bool Win32Toolkit::DefaultKeyHandling(WindowRef dialog, const KeyEvent& key) {
  MSG msg;
  if (current_ != nullptr && current_->message == WM_KEYDOWN &&
      FromHwnd(current_->hwnd) == key.target &&
      static_cast<int>(current_->wParam) == key.virtualKey) {
    msg = *current_;
  } else {
    msg = MSG();
    msg.hwnd = ToHwnd(key.target);
    msg.message = WM_KEYDOWN;
    msg.wParam = static_cast<WPARAM>(key.virtualKey);
    msg.lParam = 1;
    msg.time = GetMessageTime();
  }
  // The dialog manager reads Shift from the keyboard state; make it agree with the event.
  BYTE state[256];
  bool adjust = (GetKeyState(VK_SHIFT) < 0) != key.shift && GetKeyboardState(state);
  BYTE savedShift = adjust ? state[VK_SHIFT] : 0;
  if (adjust) {
    state[VK_SHIFT] = key.shift ? 0x80 : 0;
    SetKeyboardState(state);
  }
  bool used = IsDialogMessageA(ToHwnd(dialog), &msg) != FALSE;
  if (adjust && GetKeyboardState(state)) {
    state[VK_SHIFT] = savedShift;
    SetKeyboardState(state);
  }
  return used;
}

void Win32Toolkit::PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Process(&msg);
  }
}

WindowRef Win32Toolkit::Item(WindowRef dialog, int id) {
  if (ToHwnd(dialog) == nullptr) return 0;
  return FromHwnd(GetDlgItem(ToHwnd(dialog), id));
}

int Win32Toolkit::ItemId(WindowRef control) { return GetDlgCtrlID(ToHwnd(control)); }

void Win32Toolkit::SetText(WindowRef window, const std::string& text) {
  SetWindowTextA(ToHwnd(window), text.c_str());
}

std::string Win32Toolkit::Text(WindowRef window) {
  int length = GetWindowTextLengthA(ToHwnd(window));
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(ToHwnd(window), &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

void Win32Toolkit::Show(WindowRef window, bool show) {
  ShowWindow(ToHwnd(window), show ? SW_SHOW : SW_HIDE);
}

bool Win32Toolkit::IsVisible(WindowRef window) { return IsWindowVisible(ToHwnd(window)) != FALSE; }

void Win32Toolkit::Enable(WindowRef window, bool enable) {
  EnableWindow(ToHwnd(window), enable ? TRUE : FALSE);
}

bool Win32Toolkit::IsEnabled(WindowRef window) { return IsWindowEnabled(ToHwnd(window)) != FALSE; }

void Win32Toolkit::SetCheck(WindowRef button, bool checked) {
  SendMessageA(ToHwnd(button), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Win32Toolkit::IsChecked(WindowRef button) {
  return SendMessageA(ToHwnd(button), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32Toolkit::SetFocus(WindowRef window) { ::SetFocus(ToHwnd(window)); }

WindowRef Win32Toolkit::Focus() { return FromHwnd(GetFocus()); }

void Win32Toolkit::SelectAllText(WindowRef edit) { SendMessageA(ToHwnd(edit), EM_SETSEL, 0, -1); }

void Win32Toolkit::MoveCaretToEnd(WindowRef edit) {
  const WPARAM end = static_cast<WPARAM>(GetWindowTextLengthA(ToHwnd(edit)));
  SendMessageA(ToHwnd(edit), EM_SETSEL, end, static_cast<LPARAM>(end));
}

bool Win32Toolkit::IsChild(WindowRef parent, WindowRef window) {
  return ::IsChild(ToHwnd(parent), ToHwnd(window)) != FALSE;
}

void Win32Toolkit::MoveTo(WindowRef window, int x, int y) {
  SetWindowPos(ToHwnd(window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Win32Toolkit::LoadResourceString(int id) {
  // LoadStringA cuts to the buffer without saying so: grow until the text fits with room left.
  for (int size = 256; size <= 65536; size *= 4) {
    std::string text(static_cast<std::size_t>(size), '\0');
    int copied =
        LoadStringA(reinterpret_cast<HINSTANCE>(instance_), static_cast<UINT>(id), &text[0], size);
    if (copied <= 0) return std::string();
    if (copied < size - 1) {
      text.resize(static_cast<std::size_t>(copied));
      return text;
    }
  }
  return std::string();
}

void Win32Toolkit::AppendSystemMenuItem(WindowRef window, int commandId, const std::string& text) {
  HMENU menu = GetSystemMenu(ToHwnd(window), FALSE);
  if (menu == nullptr) return;
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(commandId), text.c_str());
}

void Win32Toolkit::EnableSystemMenuItem(WindowRef window, int commandId, bool enable) {
  HMENU menu = GetSystemMenu(ToHwnd(window), FALSE);
  if (menu == nullptr) return;
  EnableMenuItem(menu, static_cast<UINT>(commandId),
                 MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void Win32Toolkit::SetSystemMenuItemText(WindowRef window, int commandId, const std::string& text) {
  HMENU menu = GetSystemMenu(ToHwnd(window), FALSE);
  if (menu == nullptr) return;
  // Only the text changes: the entry keeps its greyed or enabled state.
  std::string copy = text;
  MENUITEMINFOA item;
  ZeroMemory(&item, sizeof item);
  item.cbSize = sizeof item;
  item.fMask = MIIM_TYPE;
  item.fType = MFT_STRING;
  item.dwTypeData = &copy[0];
  SetMenuItemInfoA(menu, static_cast<UINT>(commandId), FALSE, &item);
}

bool Win32Toolkit::AskSaveFileName(WindowRef owner, const std::string& filterName,
                                   const std::string& extension, std::string* path) {
  // The common dialogs are loaded only when asked for, as the program's other optional calls
  // are: starting the wizard costs nothing more, and no import is added.
  HMODULE comdlg = LoadLibraryA("comdlg32.dll");
  if (comdlg == nullptr) return false;
  using GetSaveFileNameFn = BOOL(WINAPI*)(OPENFILENAMEA*);
  GetSaveFileNameFn getSaveFileName = reinterpret_cast<GetSaveFileNameFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(comdlg, "GetSaveFileNameA")));
  bool chosen = false;
  if (getSaveFileName != nullptr) {
    // "Registration Files (*.reg)", "*.reg", and the list's end.
    const std::string mask = "*." + extension;
    std::string filter = filterName + " (" + mask + ")";
    filter += '\0';
    filter += mask;
    filter += '\0';
    filter += '\0';
    char file[MAX_PATH] = "";
    OPENFILENAMEA dialog;
    ZeroMemory(&dialog, sizeof dialog);
    // Windows 95 and NT 4.0 refuse the larger record later versions know.
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    dialog.hwndOwner = ToHwnd(owner);
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrDefExt = extension.c_str();
    dialog.Flags =
        OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (getSaveFileName(&dialog)) {
      file[sizeof file - 1] = '\0';
      *path = file;
      chosen = true;
    }
  }
  // Left loaded: the Explorer-style dialog leaves shell helpers behind that may still call in.
  return chosen;
}

void Win32Toolkit::SetIcon(WindowRef window, int iconId) {
  HINSTANCE instance = reinterpret_cast<HINSTANCE>(instance_);
  HICON big = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                            GetSystemMetrics(SM_CXICON),
                                            GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  HICON small = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  if (big != nullptr) {
    loadedIcons_.push_back(reinterpret_cast<std::uintptr_t>(big));
    bigIcons_[window] = reinterpret_cast<std::uintptr_t>(big);
    SendMessageA(ToHwnd(window), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  }
  if (small != nullptr) {
    loadedIcons_.push_back(reinterpret_cast<std::uintptr_t>(small));
    SendMessageA(ToHwnd(window), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

std::uintptr_t Win32Toolkit::BigIcon(WindowRef window) const {
  auto it = bigIcons_.find(window);
  return it == bigIcons_.end() ? 0 : it->second;
}

std::intptr_t Win32Toolkit::HandleFrameMessage(WindowRef window, unsigned message) {
  HICON icon = reinterpret_cast<HICON>(BigIcon(window));
  if (icon == nullptr) return 0;
  HWND hwnd = ToHwnd(window);
  if (message == WM_QUERYDRAGICON) return reinterpret_cast<std::intptr_t>(icon);
  if (message != WM_PAINT || !IsIconic(hwnd)) return 0;
  // Minimised, the window shows the application icon in the middle of what is left of it.
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  SendMessageA(hwnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  RECT rect;
  GetClientRect(hwnd, &rect);
  int x = (rect.right - rect.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (rect.bottom - rect.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
  DrawIcon(dc, x, y, icon);
  EndPaint(hwnd, &paint);
  return TRUE;
}

std::string Win32Toolkit::ProgramTitle() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(reinterpret_cast<HMODULE>(instance_), path, MAX_PATH);
  std::string name(path, length <= MAX_PATH ? length : 0);
  name = name.substr(name.find_last_of("\\/:") + 1);
  const std::string::size_type dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

bool Win32Toolkit::ProgramVersionString(const std::string& name, std::string* value) {
  char path[kMaxPath] = {};
  const DWORD length =
      GetModuleFileNameA(reinterpret_cast<HMODULE>(instance_), path, sizeof path - 1);
  if (length == 0 || length >= sizeof path - 1) return false;
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(path, &handle);
  if (size == 0) return false;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (memory == nullptr) return false;
  bool found = false;
  void* data = GlobalLock(memory);
  if (data != nullptr && GetFileVersionInfoA(path, 0, size, data)) {
    const std::string query = "\\StringFileInfo\\040904b0\\" + name;
    char* text = nullptr;
    UINT textLength = 0;
    if (VerQueryValueA(data, const_cast<char*>(query.c_str()), reinterpret_cast<void**>(&text),
                       &textLength) &&
        text != nullptr && textLength > 0 && text[0] != '\0') {
      // At most what a 256-character field buffer holds, ending on a whole character.
      const char* end = text;
      while (*end != '\0' && end < text + textLength) {
        const char* next = CharNextA(end);
        if (next - text > 255) break;
        end = next;
      }
      value->assign(text, static_cast<std::size_t>(end - text));
      found = true;
    }
  }
  if (data != nullptr) GlobalUnlock(memory);
  GlobalFree(memory);
  return found;
}

void Win32Toolkit::AttachImageList(WindowRef combo) {
  if (!comboExReal_ || imageLists_.count(combo) != 0) return;
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR16, 0, 4);
  if (list == nullptr) return;
  imageLists_[combo] = reinterpret_cast<std::uintptr_t>(list);
  SendMessageA(ToHwnd(combo), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
}

int Win32Toolkit::AddImageFromFile(WindowRef combo, const std::string& path) {
  auto list = imageLists_.find(combo);
  if (list == imageLists_.end()) return -1;
  HBITMAP bitmap = ReadSmallBitmap(path.c_str());
  if (bitmap == nullptr) {
    bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 16, 16,
                                             LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  }
  if (bitmap == nullptr) return -1;
  const int index =
      ImageList_AddMasked(reinterpret_cast<HIMAGELIST>(list->second), bitmap, RGB(0, 0, 0));
  DeleteObject(bitmap);
  return index;
}

int Win32Toolkit::InsertComboItem(WindowRef combo, int position, const std::string& text,
                                  int image) {
  if (!comboExReal_) {
    const LRESULT at = SendMessageA(ToHwnd(combo), CB_INSERTSTRING, static_cast<WPARAM>(position),
                                    reinterpret_cast<LPARAM>(text.c_str()));
    return at < 0 ? -1 : static_cast<int>(at);
  }
  COMBOBOXEXITEMA item = {};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
  item.iItem = position;
  item.pszText = const_cast<char*>(text.c_str());
  item.iImage = image;
  item.iSelectedImage = image;
  const LRESULT at =
      SendMessageA(ToHwnd(combo), CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  return at < 0 ? -1 : static_cast<int>(at);
}

int Win32Toolkit::ComboCount(WindowRef combo) {
  const LRESULT count = SendMessageA(ToHwnd(combo), CB_GETCOUNT, 0, 0);
  return count < 0 ? 0 : static_cast<int>(count);
}

std::string Win32Toolkit::ComboItemText(WindowRef combo, int index) {
  if (index < 0 || index >= ComboCount(combo)) return std::string();
  char text[kMaxPath] = {};
  if (!comboExReal_) {
    const LRESULT length =
        SendMessageA(ToHwnd(combo), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::string();
    std::string out(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(ToHwnd(combo), CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&out[0]));
    out.resize(static_cast<std::size_t>(length));
    return out;
  }
  COMBOBOXEXITEMA item = {};
  item.mask = CBEIF_TEXT;
  item.iItem = index;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  if (!SendMessageA(ToHwnd(combo), CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) {
    return std::string();
  }
  text[sizeof text - 1] = '\0';
  return text;
}

int Win32Toolkit::ComboSelection(WindowRef combo) {
  const LRESULT index = SendMessageA(ToHwnd(combo), CB_GETCURSEL, 0, 0);
  return index < 0 ? -1 : static_cast<int>(index);
}

void Win32Toolkit::SelectComboItem(WindowRef combo, int index) {
  SendMessageA(ToHwnd(combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

namespace {

struct BesideJob {
  void (*job)(void*);
  void* context;
};

DWORD WINAPI BesideThread(void* parameter) {
  BesideJob* job = static_cast<BesideJob*>(parameter);
  job->job(job->context);
  delete job;
  return 0;
}

}  // namespace

bool Win32Toolkit::RunBeside(void (*job)(void* context), void* context) {
  WaitBeside();
  BesideJob* started = new BesideJob{job, context};
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, BesideThread, started, 0, &id);
  if (thread == nullptr) {
    delete started;
    return false;
  }
  besideThread_ = reinterpret_cast<std::uintptr_t>(thread);
  return true;
}

void Win32Toolkit::WaitBeside() {
  if (besideThread_ == 0) return;
  HANDLE thread = reinterpret_cast<HANDLE>(besideThread_);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  besideThread_ = 0;
}

void Win32Toolkit::PostCommand(WindowRef dialog, int id, int code) {
  PostMessageA(ToHwnd(dialog), WM_COMMAND, MAKEWPARAM(id, code), 0);
}
