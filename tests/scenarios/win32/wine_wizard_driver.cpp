#include "scenarios/win32/wine_wizard_driver.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "resources/resource.h"
#include "scenarios/win32/remote_ui.h"
#include "support/check.h"

namespace {

// The ids that tell a dialog template from the others: every id of a row is a control of that
// template, and no other page template has them all.
struct Signature {
  int templateId;
  std::vector<int> ids;
};

const std::vector<Signature>& PageSignatures() {
  static const std::vector<Signature> pages = {
      {IDD_STEP_CONNECTION, {IDC_step2_RADIO_DialUp, IDC_step2_RADIO_LAN}},
      {IDD_STEP_MTU, {IDC_MTU_EDIT, IDC_static_step3_MTUExplain}},
      {IDD_STEP_PATH_MTU, {IDC_chk_MTUDiscovery, IDC_static_step4_MTUDiscoveryExplain}},
      {IDD_STEP_RWIN, {IDC_static_RecommendedRWIN}},
      {IDD_STEP_TTL, {IDC_static_RecommendedTTL}},
      {IDD_STEP_KEEPALIVE, {IDC_KEEPALIVE_TIME_EDIT}},
      {IDD_STEP_SYN, {IDC_SYN_EDIT}},
      {IDD_STEP_ICMP, {IDC_chk_ICMP}},
      {IDD_STEP_MODEM, {IDC_DESCRIBTION}},
  };
  return pages;
}
const std::vector<int> kFrameIds = {IDC_Next, IDC_Back, IDC_LANGUAGE_LIST};
const std::vector<int> kAboutIds = {IDC_STATIC2, IDC_ABOUT_VERSION};
const std::vector<int> kFinderIds = {IDC_MTU_HOST, IDC_MTU_START};
// How long a search may take: twelve sizes of two one-second tries each, and the name's lookup.
constexpr DWORD kSearchTimeoutMs = 60000;
const std::vector<int> kReviewIds = {IDC_REVIEW_EXPLAIN, IDC_REVIEW_TEXT};
// The file name field of the Save dialog: the combo box of newer templates, the edit of older.
constexpr int kSaveNameIds[] = {0x47C, 0x480};
// How long the Save dialog may take to come up (it asks the shell for the folder's files).
constexpr DWORD kSaveDialogTimeoutMs = 30000;

// The message box's icon static: Wine's id, then Windows'.
constexpr int kBoxIconIds[] = {1088, 20};
// A static without an id of its own (IDC_STATIC in a template).
constexpr int kNoId = 0xFFFF;

// How long the wizard may take to come up, to answer, to settle and to end once closed.
// Generous: the machine is shared, and a slow moment must not read as a fault.
constexpr DWORD kStartTimeoutMs = 30000;
constexpr UINT kAnswerTimeoutMs = 5000;
constexpr DWORD kSettleLimitMs = 30000;
constexpr DWORD kExitTimeoutMs = 10000;

void Fail(int line, const std::string& what) { check::Fail(__FILE__, line, what); }

std::string Where(const char* action, int dialog, int id) {
  return std::string(action) + "(" + std::to_string(dialog) + ", " + std::to_string(id) + ")";
}

std::string Hex(const void* p) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", p);
  return text;
}

// With QUARNEL_TRACE set, each action and what became of it is printed: the way to see where a
// run under Wine parts from the headless one.
void Trace(const std::string& what) {
  static const bool on = std::getenv("QUARNEL_TRACE") != nullptr;
  static const DWORD began = GetTickCount();
  if (!on) return;
  std::printf("  [%6lu ms] %s\n", static_cast<unsigned long>(GetTickCount() - began), what.c_str());
  std::fflush(stdout);
}

bool HasClass(HWND window, const char* name) {
  return _stricmp(proc::ClassName(window).c_str(), name) == 0;
}

HWND VisibleButton(HWND box, int id) {
  HWND button = proc::ChildById(box, id);
  return button && IsWindowVisible(button) && HasClass(button, "Button") ? button : nullptr;
}

HWND FirstButton(HWND box) {
  for (HWND child : proc::Children(box))
    if (HasClass(child, "Button") && IsWindowVisible(child)) return child;
  return nullptr;
}

// The MessageBoxA style the box shows: its buttons and its icon; -1 when either is unclear.
int BoxStyle(HWND box) {
  int buttons = -1;
  if (VisibleButton(box, IDYES) && VisibleButton(box, IDNO)) {
    buttons = VisibleButton(box, IDCANCEL) ? MB_YESNOCANCEL : MB_YESNO;
  } else if (VisibleButton(box, IDOK)) {
    buttons = VisibleButton(box, IDCANCEL) ? MB_OKCANCEL : MB_OK;
  }
  int icon = -1;
  for (int id : kBoxIconIds) {
    HWND iconStatic = proc::ChildById(box, id);
    if (iconStatic) {
      icon = remote::ShownSystemIcon(iconStatic);
      break;
    }
  }
  return buttons < 0 || icon < 0 ? -1 : buttons | icon;
}

SeenMessageBox Read(HWND box) {
  SeenMessageBox seen;
  seen.text = proc::MessageBoxText(box);
  seen.caption = proc::Text(box);
  seen.style = BoxStyle(box);
  return seen;
}

}  // namespace

WineWizardDriver::WineWizardDriver(std::string programPath)
    : programPath_(std::move(programPath)),
      machine_(registry_, programPath_.substr(programPath_.find_last_of("\\/") + 1)) {}

WineWizardDriver::~WineWizardDriver() = default;

void WineWizardDriver::Run(const WizardSetup& setup, const ScenarioBody& body) {
  if (Start(setup)) {
    body(*this);
  } else {
    Fail(__LINE__, "the wizard did not start");
  }
  EndSession();
}

bool WineWizardDriver::Start(const WizardSetup& setup) {
  if (process_) EndSession();
  seen_.clear();
  aboutTexts_.clear();
  frame_ = nullptr;
  if (!machine_.Prepare(setup)) return false;

  process_ = std::make_unique<proc::Launched>();
  const std::string folder = programPath_.substr(0, programPath_.find_last_of("\\/"));
  if (!process_->Start(programPath_, std::string(), folder)) {
    Fail(__LINE__,
         "cannot run " + programPath_ + " (error " + std::to_string(GetLastError()) + ")");
    process_.reset();
    return false;
  }
  // Up means: the frame is shown, or start-up showed a message box, or the program ended.
  const DWORD began = GetTickCount();
  for (;;) {
    if (!Running() || !OpenMessageBoxes().empty()) break;
    HWND frame = FindFrame();
    if (frame && IsWindowVisible(frame)) break;
    if (GetTickCount() - began > kStartTimeoutMs) {
      Fail(__LINE__,
           "the wizard did not come up within " + std::to_string(kStartTimeoutMs / 1000) + " s");
      return false;
    }
    Sleep(10);
  }
  Settle();
  // A start-up box (the refusal of an unknown Windows version) takes an answer queued before
  // Run; without one it fails the case, as any box nobody answered does.
  HandleMessageBoxes();
  return true;
}

void WineWizardDriver::AnswerNextMessageBox(int button) { answers_.push_back(button); }

void WineWizardDriver::Click(int dialog, int id) {
  HandleMessageBoxes();
  EnsureActive();
  Trace(Where("Click", dialog, id));
  HWND control = Control(dialog, id, "Click");
  if (!control || !Reachable(control)) {
    Trace("  not there or not reachable: nothing happens");
    return;
  }
  if (HasClass(control, "Button")) {
    // A click on a group box falls through to what lies beneath.
    if ((GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX) return;
    if (!MoveFocus(control) || !Reachable(control)) {
      Trace("  the focus move did not end on it: the press is lost");
      return;
    }
    PostMessageA(control, BM_CLICK, 0, 0);
    Settle();
    HandleMessageBoxes();
  } else if (HasClass(control, "Edit")) {
    // The caret goes where the mouse is; at the end, as the headless toolkit has it.
    if (!MoveFocus(control)) return;
    const std::string text = proc::Text(control);
    PostMessageA(control, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
    Settle();
  } else if (HasClass(control, "ComboBox") || HasClass(control, "ComboBoxEx32")) {
    MoveFocus(control);
  }
}

void WineWizardDriver::Type(int dialog, int id, const std::string& text) {
  HandleMessageBoxes();
  EnsureActive();
  Trace(Where("Type", dialog, id) + " \"" + text + "\"");
  HWND control = Control(dialog, id, "Type");
  if (!control || !Reachable(control)) return;
  if (!MoveFocus(control)) return;
  remote::PostTyping(control, text);
  Settle();
  HandleMessageBoxes();
}

void WineWizardDriver::Focus(int dialog, int id) {
  HandleMessageBoxes();
  EnsureActive();
  Trace(Where("Focus", dialog, id));
  HWND control = Control(dialog, id, "Focus");
  if (control) MoveFocus(control);
}

void WineWizardDriver::Key(int virtualKey, bool shift) {
  HandleMessageBoxes();
  EnsureActive();
  if (!Running()) return;
  HWND target = FocusWindow();
  if (!target) target = FindFrame();
  const FocusedControl at = Describe(target);
  Trace("Key " + std::to_string(virtualKey) + (shift ? " with Shift" : "") + " at " +
        Where("", at.dialog, at.id));
  if (!target) return;
  {
    remote::HeldShift held(UiThread(), shift);
    remote::PostKey(target, virtualKey);
    Settle();
  }
  HandleMessageBoxes();
}

void WineWizardDriver::Mnemonic(char letter) {
  HandleMessageBoxes();
  EnsureActive();
  HWND target = Running() ? FocusWindow() : nullptr;
  if (!target) target = FindFrame();
  if (!target) return;
  Trace(std::string("Alt+") + letter);
  // The key-down alone: the program's TranslateMessage makes the WM_SYSCHAR (bit 29: Alt).
  const WPARAM key = static_cast<WPARAM>(VkKeyScanA(letter) & 0xFF);
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), 0)) << 16;
  PostMessageA(target, WM_SYSKEYDOWN, key, scan | 0x20000001);
  PostMessageA(target, WM_SYSKEYUP, key, static_cast<LPARAM>(scan | 0xE0000001u));
  Settle();
  HandleMessageBoxes();
}

void WineWizardDriver::ClickMessage(int dialog, int id) {
  HandleMessageBoxes();
  EnsureActive();
  Trace(Where("ClickMessage", dialog, id));
  HWND button = Control(dialog, id, "ClickMessage");
  if (!button || !Reachable(button)) return;
  PostMessageA(button, BM_CLICK, 0, 0);
  Settle();
  HandleMessageBoxes();
}

void WineWizardDriver::SystemMenuAbout() {
  HandleMessageBoxes();
  EnsureActive();
  HWND frame = FindFrame();
  if (!frame || !IsWindowVisible(frame) || !IsWindowEnabled(frame)) return;
  // What choosing the entry in the system menu sends.
  PostMessageA(frame, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  Settle();
  HWND about = DialogWindow(IDD_ABOUT);
  if (!about) {
    HandleMessageBoxes();
    return;
  }
  aboutTexts_.clear();
  aboutTexts_[0] = proc::Text(about);
  for (HWND child : proc::Children(about)) {
    const int id = GetDlgCtrlID(child);
    if (id > 0 && id != kNoId && IsWindowVisible(child)) aboutTexts_[id] = proc::Text(child);
  }
  HWND ok = proc::ChildById(about, IDOK);
  if (ok && MoveFocus(ok)) {
    PostMessageA(ok, BM_CLICK, 0, 0);
    Settle();
  }
  HandleMessageBoxes();
  if (IsWindow(about) && IsWindowVisible(about)) Fail(__LINE__, "the About box did not close");
}

MtuFinderSeen WineWizardDriver::FindMtu(const std::string& host, bool use) {
  MtuFinderSeen seen;
  Click(IDD_STEP_MTU, IDC_MTU_FIND);
  HWND finder = DialogWindow(IDD_MTU_FINDER);
  if (!finder) return seen;
  seen.opened = true;
  seen.hostShown = Text(IDD_MTU_FINDER, IDC_MTU_HOST);
  Type(IDD_MTU_FINDER, IDC_MTU_HOST, host);
  Click(IDD_MTU_FINDER, IDC_MTU_START);
  // Start is greyed while the search runs, which the click has begun once it was handled.
  HWND start = Child(finder, IDC_MTU_START);
  const DWORD began = GetTickCount();
  while (start && IsWindow(start) && !IsWindowEnabled(start)) {
    if (GetTickCount() - began > kSearchTimeoutMs) {
      Fail(__LINE__, "the MTU finder's search did not end within " +
                         std::to_string(kSearchTimeoutMs / 1000) + " s");
      break;
    }
    Sleep(50);
  }
  Settle();
  seen.progress = Text(IDD_MTU_FINDER, IDC_MTU_PROGRESS);
  seen.result = Text(IDD_MTU_FINDER, IDC_MTU_RESULT);
  seen.useEnabled = Enabled(IDD_MTU_FINDER, IDC_MTU_USE);
  Trace("MTU finder: \"" + seen.progress + "\" / \"" + seen.result + "\"");
  Click(IDD_MTU_FINDER, use ? IDC_MTU_USE : IDCANCEL);
  if (IsWindow(finder) && IsWindowVisible(finder)) Fail(__LINE__, "the MTU finder did not close");
  return seen;
}

std::string WineWizardDriver::MtuPathTarget() {
  const char* target = std::getenv("QUARNEL_MTU_TARGET");
  return target != nullptr ? target : std::string();
}

std::string WineWizardDriver::ReviewChanges() {
  HandleMessageBoxes();
  EnsureActive();
  Trace("ReviewChanges");
  HWND button = Control(kFrame, IDC_REVIEW_CHANGES, "ReviewChanges");
  if (!button || !Reachable(button) || !MoveFocus(button)) return std::string();
  PostMessageA(button, BM_CLICK, 0, 0);
  Settle();
  HWND review = DialogWindow(IDD_REVIEW);
  if (!review) {
    HandleMessageBoxes();
    return std::string();
  }
  HWND text = proc::ChildById(review, IDC_REVIEW_TEXT);
  const std::string lines = text ? proc::Text(text) : std::string();
  if (!text || !(GetWindowLongA(text, GWL_STYLE) & ES_READONLY)) {
    Fail(__LINE__, "the review's text can be changed");
  }
  HWND close = proc::ChildById(review, IDC_REVIEW_CLOSE);
  if (close && MoveFocus(close)) {
    PostMessageA(close, BM_CLICK, 0, 0);
    Settle();
  }
  HandleMessageBoxes();
  if (IsWindow(review) && IsWindowVisible(review)) Fail(__LINE__, "Close left the review open");
  return lines;
}

void WineWizardDriver::SystemMenu(int commandId) {
  HandleMessageBoxes();
  EnsureActive();
  HWND frame = FindFrame();
  if (!frame || !IsWindowVisible(frame) || !IsWindowEnabled(frame)) return;
  Trace("SystemMenu " + std::to_string(commandId));
  PostMessageA(frame, WM_SYSCOMMAND, static_cast<WPARAM>(commandId), 0);
  Settle();
  HandleSaveDialog();
  HandleMessageBoxes();
}

void WineWizardDriver::AnswerNextSaveDialog(const std::string& path) {
  saveAnswers_.push_back(path);
}

std::string WineWizardDriver::ScratchFile(const std::string& name) {
  char folder[MAX_PATH] = "";
  GetTempPathA(sizeof folder, folder);
  const std::string file = std::string(folder) + "quarnel-scenario-" +
                           std::to_string(GetCurrentProcessId()) + "-" + name;
  DeleteFileA(file.c_str());
  scratchFiles_.push_back(file);
  return file;
}

bool WineWizardDriver::MergeRegFile(const std::string& path) {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  proc::Launched regedit;
  if (!regedit.Start(std::string(windows) + "\\regedit.exe", "/s \"" + path + "\"")) {
    return false;
  }
  DWORD code = 1;
  return regedit.WaitForExit(kStartTimeoutMs, &code) && code == 0;
}

void WineWizardDriver::HandleSaveDialog() {
  if (saveAnswers_.empty() || !process_) return;
  HWND dialog = proc::WaitForWindow(
      *process_,
      [this](HWND window) {
        if (window == frame_ || !proc::IsDialog(window) || !IsWindowVisible(window)) return false;
        if (!proc::ChildById(window, IDOK)) return false;
        for (int id : kSaveNameIds)
          if (proc::ChildById(window, id)) return true;
        return false;
      },
      kSaveDialogTimeoutMs);
  if (!dialog) return;
  Settle();
  const std::string answer = saveAnswers_.front();
  saveAnswers_.pop_front();
  Trace("Save dialog: \"" + answer + "\"");
  HWND name = nullptr;
  for (int id : kSaveNameIds) {
    if (!name) name = proc::ChildById(dialog, id);
  }
  DWORD_PTR ignored = 0;
  if (!answer.empty()) {
    SendMessageTimeoutA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.c_str()), SMTO_NORMAL,
                        kAnswerTimeoutMs, &ignored);
  }
  HWND button = proc::ChildById(dialog, answer.empty() ? IDCANCEL : IDOK);
  if (button) PostMessageA(button, BM_CLICK, 0, 0);
  Settle();
  if (IsWindow(dialog) && IsWindowVisible(dialog)) Fail(__LINE__, "the Save dialog did not close");
}

void WineWizardDriver::CloseBox() {
  HandleMessageBoxes();
  EnsureActive();
  HWND frame = FindFrame();
  if (!frame || !IsWindowVisible(frame) || !IsWindowEnabled(frame)) return;
  PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
  Settle();
  HandleMessageBoxes();
}

std::string WineWizardDriver::Caption() { return Text(kFrame, 0); }

std::string WineWizardDriver::Text(int dialog, int id) {
  HandleMessageBoxes();
  if (dialog == IDD_ABOUT) {
    auto found = aboutTexts_.find(id);
    return found != aboutTexts_.end() ? found->second : std::string();
  }
  HWND control = Control(dialog, id, "Text");
  return control ? proc::Text(control) : std::string();
}

bool WineWizardDriver::Visible(int dialog, int id) {
  HandleMessageBoxes();
  if (dialog == IDD_ABOUT) return aboutTexts_.count(id) != 0;
  HWND control = Control(dialog, id, "Visible");
  return control && IsWindowVisible(control);
}

bool WineWizardDriver::Enabled(int dialog, int id) {
  HandleMessageBoxes();
  HWND control = Control(dialog, id, "Enabled");
  return control && IsWindowEnabled(control);
}

bool WineWizardDriver::Checked(int dialog, int id) {
  HandleMessageBoxes();
  HWND control = Control(dialog, id, "Checked");
  DWORD_PTR state = 0;
  return control &&
         SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &state) &&
         state == BST_CHECKED;
}

// The extended combo box answers with its items only into memory of its own process: the item
// record and its text buffer are made there, filled by the box, and read back.
std::vector<ListItem> WineWizardDriver::ListItems(int dialog, int id) {
  HandleMessageBoxes();
  std::vector<ListItem> items;
  HWND combo = Control(dialog, id, "ListItems");
  DWORD_PTR count = 0;
  if (!combo || !process_ ||
      !SendMessageTimeoutA(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &count)) {
    return items;
  }
  constexpr SIZE_T kTextSize = 260;
  char* remote = static_cast<char*>(VirtualAllocEx(process_->handle(), nullptr,
                                                   sizeof(COMBOBOXEXITEMA) + kTextSize, MEM_COMMIT,
                                                   PAGE_READWRITE));
  if (remote == nullptr) {
    Fail(__LINE__, "no memory in the program for reading its combo box");
    return items;
  }
  for (DWORD_PTR i = 0; i < count; ++i) {
    COMBOBOXEXITEMA item = {};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE;
    item.iItem = static_cast<INT_PTR>(i);
    item.pszText = remote + sizeof item;
    item.cchTextMax = kTextSize;
    char text[kTextSize] = {};
    DWORD_PTR ok = 0;
    if (!WriteProcessMemory(process_->handle(), remote, &item, sizeof item, nullptr) ||
        !SendMessageTimeoutA(combo, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                             kAnswerTimeoutMs, &ok) ||
        !ok || !ReadProcessMemory(process_->handle(), remote, &item, sizeof item, nullptr) ||
        !ReadProcessMemory(process_->handle(), remote + sizeof item, text, kTextSize, nullptr)) {
      Fail(__LINE__, "cannot read item " + std::to_string(i) + " of the combo box");
      break;
    }
    text[kTextSize - 1] = '\0';
    items.push_back({text, item.iImage});
  }
  VirtualFreeEx(process_->handle(), remote, 0, MEM_RELEASE);
  return items;
}

int WineWizardDriver::ListSelection(int dialog, int id) {
  HandleMessageBoxes();
  HWND combo = Control(dialog, id, "ListSelection");
  DWORD_PTR index = static_cast<DWORD_PTR>(-1);
  if (!combo ||
      !SendMessageTimeoutA(combo, CB_GETCURSEL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &index)) {
    return -1;
  }
  return static_cast<int>(static_cast<LRESULT>(index));
}

FocusedControl WineWizardDriver::Focused() {
  HandleMessageBoxes();
  EnsureActive();
  return Describe(FocusWindow());
}

std::vector<SeenMessageBox> WineWizardDriver::MessageBoxesSeen() {
  HandleMessageBoxes();
  return seen_;
}

bool WineWizardDriver::Finished() {
  HandleMessageBoxes();
  if (!Running()) return true;
  HWND frame = FindFrame();
  if (frame && IsWindowVisible(frame)) return false;
  // The frame has gone; the process takes a moment to end after it.
  return process_->WaitForExit(kExitTimeoutMs);
}

void WineWizardDriver::EndCase() {
  if (process_) EndSession();
  for (const std::string& file : scratchFiles_) DeleteFileA(file.c_str());
  scratchFiles_.clear();
  if (!answers_.empty())
    Fail(__LINE__, std::to_string(answers_.size()) +
                       " message box answer(s) queued for a session that never ran");
  answers_.clear();
  machine_.Clear();
}

void WineWizardDriver::EndSession() {
  if (Running()) HandleMessageBoxes();
  if (!answers_.empty())
    Fail(__LINE__,
         std::to_string(answers_.size()) + " message box answer(s) left over: a box did not come");
  answers_.clear();
  if (!saveAnswers_.empty())
    Fail(__LINE__, "a Save dialog answer left over: the dialog did not come");
  saveAnswers_.clear();
  if (process_ && process_->Running()) process_->Kill();
  process_.reset();
  frame_ = nullptr;
}

bool WineWizardDriver::Running() const { return process_ && process_->Running(); }

DWORD WineWizardDriver::UiThread() {
  HWND window = UiWindow();
  return window ? GetWindowThreadProcessId(window, nullptr) : 0;
}

HWND WineWizardDriver::UiWindow() {
  HWND frame = FindFrame();
  if (frame || !Running()) return frame;
  const std::vector<HWND> windows = proc::TopLevelWindows(process_->id(), false);
  return windows.empty() ? nullptr : windows.front();
}

HWND WineWizardDriver::FindFrame() {
  if (frame_ && IsWindow(frame_)) return frame_;
  frame_ = nullptr;
  pages_.clear();
  children_.clear();
  if (!Running()) return nullptr;
  for (HWND window : proc::TopLevelWindows(process_->id(), false)) {
    if (proc::IsDialog(window) && HasChildren(window, kFrameIds)) {
      frame_ = window;
      break;
    }
  }
  return frame_;
}

HWND WineWizardDriver::Page(int templateId) {
  HWND frame = FindFrame();
  if (!frame) return nullptr;
  auto known = pages_.find(templateId);
  if (known != pages_.end() && IsWindow(known->second)) return known->second;
  // The frame makes all its pages before it shows itself: once they are known, a template
  // without one has none. Learning them all at once costs what looking for one does.
  if (known == pages_.end() && !pages_.empty()) return nullptr;
  pages_.clear();
  for (HWND child : proc::Children(frame)) {
    if (!proc::IsDialog(child)) continue;
    for (const Signature& page : PageSignatures()) {
      if (!HasChildren(child, page.ids)) continue;
      if (pages_.count(page.templateId)) {
        Fail(__LINE__, "two pages look like template " + std::to_string(page.templateId));
        continue;
      }
      pages_[page.templateId] = child;
    }
  }
  known = pages_.find(templateId);
  return known != pages_.end() ? known->second : nullptr;
}

HWND WineWizardDriver::DialogWindow(int templateId) {
  if (!Running()) return nullptr;
  if (templateId == kFrame) return FindFrame();
  if (templateId == IDD_ABOUT || templateId == IDD_MTU_FINDER || templateId == IDD_REVIEW) {
    const std::vector<int>& ids = templateId == IDD_ABOUT    ? kAboutIds
                                  : templateId == IDD_REVIEW ? kReviewIds
                                                             : kFinderIds;
    for (HWND window : proc::TopLevelWindows(process_->id()))
      if (window != frame_ && proc::IsDialog(window) && HasChildren(window, ids)) return window;
    return nullptr;
  }
  return Page(templateId);
}

HWND WineWizardDriver::Child(HWND dialog, int id) {
  const std::pair<HWND, int> key(dialog, id);
  auto known = children_.find(key);
  if (known != children_.end() && IsWindow(known->second)) return known->second;
  HWND child = proc::ChildById(dialog, id);
  if (child) {
    children_[key] = child;
  } else {
    children_.erase(key);
  }
  return child;
}

bool WineWizardDriver::HasChildren(HWND dialog, const std::vector<int>& ids) {
  for (int id : ids)
    if (!Child(dialog, id)) return false;
  return true;
}

int WineWizardDriver::TemplateOf(HWND dialog) {
  if (!dialog || !proc::IsDialog(dialog)) return 0;
  HWND frame = FindFrame();
  if (dialog == frame) return kFrame;
  if (frame && GetAncestor(dialog, GA_PARENT) == frame) {
    for (const Signature& page : PageSignatures())
      if (Page(page.templateId) == dialog) return page.templateId;
    return 0;
  }
  if (HasChildren(dialog, kFinderIds)) return IDD_MTU_FINDER;
  return HasChildren(dialog, kAboutIds) ? IDD_ABOUT : 0;
}

HWND WineWizardDriver::Control(int dialog, int id, const char* action) {
  // A wizard that has gone answers like a window that is not there, as natively.
  HWND window = DialogWindow(dialog);
  if (!window || id == 0) return window;
  HWND control = Child(window, id);
  if (!control) Fail(__LINE__, Where(action, dialog, id) + ": the dialog has no such control");
  return control;
}

FocusedControl WineWizardDriver::Describe(HWND window) {
  // Up from the focus to the first dialog of ours; the window just below it is the control (a
  // combo box's inner edit counts as the combo box).
  HWND below = nullptr;
  for (HWND at = window; at && at != GetDesktopWindow();
       below = at, at = GetAncestor(at, GA_PARENT)) {
    const int templateId = TemplateOf(at);
    if (templateId) return FocusedControl{templateId, below ? GetDlgCtrlID(below) : 0};
  }
  return FocusedControl{};
}

HWND WineWizardDriver::FocusWindow() {
  const DWORD thread = Running() ? UiThread() : 0;
  if (!thread) return nullptr;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool WineWizardDriver::Reachable(HWND control) {
  if (!IsWindowVisible(control)) return false;
  for (HWND at = control; at && at != GetDesktopWindow(); at = GetAncestor(at, GA_PARENT))
    if (!IsWindowEnabled(at)) return false;
  return true;
}

void WineWizardDriver::EnsureActive() {
  const DWORD thread = Running() ? UiThread() : 0;
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!thread || !GetGUIThreadInfo(thread, &info) || info.hwndActive) return;
  const std::vector<HWND> shown = proc::TopLevelWindows(process_->id());
  if (shown.empty()) return;
  Trace("the wizard lost the activation to another program; bringing it back");
  SetForegroundWindow(shown.front());
  Settle();
}

void WineWizardDriver::Settle() {
  // A message we send is handled before input we posted earlier whenever both are waiting, so
  // one round trip proves nothing by itself: the program is settled once round trips a few
  // milliseconds apart find nothing changing.
  std::string last;
  int unchanged = 0;
  const DWORD began = GetTickCount();
  for (int round = 0; unchanged < 2; ++round) {
    if (!Running()) return;
    Sleep(round == 0 ? 1 : 4);
    HWND window = UiWindow();
    if (!window) {
      // Between windows: the frame has closed and the process is on its way out.
      process_->WaitForExit(20);
      continue;
    }
    if (!proc::RoundTrip(window, kAnswerTimeoutMs)) {
      // A window destroyed under us, or a thread on its way out, does not answer either.
      if (!IsWindow(window)) continue;
      if (process_->WaitForExit(kAnswerTimeoutMs)) return;
      Fail(__LINE__, "the wizard stopped answering messages");
      return;
    }
    std::string now = Snapshot();
    if (now == last) {
      ++unchanged;
    } else {
      unchanged = 0;
      last = std::move(now);
    }
    if (GetTickCount() - began > kSettleLimitMs) {
      Fail(__LINE__, "the wizard never came to rest");
      return;
    }
  }
}

std::string WineWizardDriver::Snapshot() {
  std::string state = "focus " + Hex(FocusWindow());
  for (HWND window : proc::TopLevelWindows(process_->id(), false)) {
    state += " top " + Hex(window) + (IsWindowVisible(window) ? "v" : "h") +
             (IsWindowEnabled(window) ? "e" : "d");
  }
  HWND frame = FindFrame();
  if (frame) {
    state += " caption " + proc::Text(frame);
    Page(IDD_STEP_CONNECTION);
    for (const auto& page : pages_)
      if (IsWindowVisible(page.second)) state += " page " + Hex(page.second);
    HWND proceed = Child(frame, IDC_Next);
    if (proceed) state += " proceed " + proc::Text(proceed);
  }
  return state;
}

std::vector<HWND> WineWizardDriver::OpenMessageBoxes() {
  std::vector<HWND> boxes;
  if (!Running()) return boxes;
  // The frame is no box, and asking it for the box's parts would ask each of its many
  // controls for its id: most of an observation's time.
  for (HWND window : proc::TopLevelWindows(process_->id()))
    if (window != frame_ && proc::IsMessageBox(window)) boxes.push_back(window);
  return boxes;
}

bool WineWizardDriver::HandleMessageBoxes() {
  bool seenOne = false;
  // Each answer may open the next box; a chain longer than this is a loop.
  for (int guard = 0; guard < 50; ++guard) {
    const std::vector<HWND> boxes = OpenMessageBoxes();
    if (boxes.empty()) break;
    HWND box = boxes.front();
    seenOne = true;
    const SeenMessageBox seen = Read(box);
    seen_.push_back(seen);
    Trace("message box \"" + seen.text + "\" style " + std::to_string(seen.style));
    HWND button = nullptr;
    if (!answers_.empty()) {
      const int answer = answers_.front();
      answers_.pop_front();
      button = VisibleButton(box, answer);
      if (!button)
        Fail(__LINE__, "message box \"" + seen.text + "\" has no button " + std::to_string(answer));
    } else {
      Fail(__LINE__, "message box nobody answered: " + seen.text);
    }
    if (!button) button = FirstButton(box);
    if (!button) {
      Fail(__LINE__, "message box \"" + seen.text + "\" has no button to press");
      PostMessageA(box, WM_CLOSE, 0, 0);
    } else {
      remote::PostFocus(box, button);
      PostMessageA(button, BM_CLICK, 0, 0);
    }
    Settle();
    if (IsWindow(box) && IsWindowVisible(box)) {
      Fail(__LINE__, "message box \"" + seen.text + "\" did not close when answered");
      break;
    }
  }
  return seenOne;
}

bool WineWizardDriver::MoveFocus(HWND control) {
  // A dialog's controls are focused through the dialog; a top-level dialog through itself.
  const bool child = (GetWindowLongA(control, GWL_STYLE) & WS_CHILD) != 0;
  HWND dialog = child ? GetAncestor(control, GA_PARENT) : control;
  const std::size_t before = seen_.size();
  HWND focus = nullptr;
  for (int attempt = 0; attempt < 2; ++attempt) {
    remote::PostFocus(dialog, control);
    Settle();
    if (HandleMessageBoxes() || seen_.size() != before) return false;
    focus = FocusWindow();
    if (focus == control) return true;
    // Another program took the activation meanwhile (the focus is then nowhere): once more,
    // with the wizard in front again.
    if (focus) break;
    EnsureActive();
  }
  const FocusedControl at = Describe(focus);
  Trace("  the focus went to " + Where("", at.dialog, at.id) + " instead");
  return false;
}
