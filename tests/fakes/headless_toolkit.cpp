#include "fakes/headless_toolkit.h"

#include "fakes/native_files.h"

#include <cctype>
#include <cstdio>
#include <utility>

namespace {

// Window styles and codes with the values the dialog manager uses.
constexpr std::uint32_t kWsPopup = 0x80000000u;
constexpr std::uint32_t kWsChild = 0x40000000u;
constexpr std::uint32_t kWsVisible = 0x10000000u;
constexpr std::uint32_t kWsDisabled = 0x08000000u;
constexpr std::uint32_t kWsGroup = 0x00020000u;
constexpr std::uint32_t kWsTabStop = 0x00010000u;
constexpr std::uint32_t kWsExControlParent = 0x00010000u;
constexpr std::uint32_t kDsControl = 0x0400u;

constexpr std::uint32_t kBsTypeMask = 0x000Fu;
constexpr std::uint32_t kBsPushButton = 0x0;
constexpr std::uint32_t kBsDefPushButton = 0x1;
constexpr std::uint32_t kBsAutoCheckBox = 0x3;
constexpr std::uint32_t kBsRadioButton = 0x4;
constexpr std::uint32_t kBsAuto3State = 0x6;
constexpr std::uint32_t kBsGroupBox = 0x7;
constexpr std::uint32_t kBsAutoRadioButton = 0x9;
constexpr std::uint32_t kBsCheckBox = 0x2;
constexpr std::uint32_t kBs3State = 0x5;

constexpr std::uint32_t kEsMultiline = 0x0004u;
constexpr std::uint32_t kEsReadOnly = 0x0800u;
constexpr std::uint32_t kEsNumber = 0x2000u;

constexpr unsigned kDlgcWantArrows = 0x0001;
constexpr unsigned kDlgcWantTab = 0x0002;
constexpr unsigned kDlgcWantAllKeys = 0x0004;
constexpr unsigned kDlgcHasSetSel = 0x0008;
constexpr unsigned kDlgcDefPushButton = 0x0010;
constexpr unsigned kDlgcUndefPushButton = 0x0020;
constexpr unsigned kDlgcRadioButton = 0x0040;
constexpr unsigned kDlgcWantChars = 0x0080;
constexpr unsigned kDlgcStatic = 0x0100;
constexpr unsigned kDlgcButton = 0x2000;

constexpr std::uint32_t kMbTypeMask = 0x0Fu;
constexpr int kIdAbort = 3;
constexpr int kIdRetry = 4;

// MulDiv's rounding.
int MulDiv(int value, int numerator, int denominator) {
  long long product = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator
                                       : -((-product + half) / denominator));
}
constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;

bool SameClass(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return i == a.size() && b[i] == '\0';
}

int FirstButtonOf(std::uint32_t style) {
  switch (style & kMbTypeMask) {
    case 0x2:  // MB_ABORTRETRYIGNORE
      return kIdAbort;
    case 0x3:  // MB_YESNOCANCEL
    case 0x4:  // MB_YESNO
      return kIdYes;
    case 0x5:  // MB_RETRYCANCEL
      return kIdRetry;
    default:  // MB_OK, MB_OKCANCEL
      return kIdOk;
  }
}

}  // namespace

struct HeadlessToolkit::Window {
  WindowRef ref = 0;
  bool alive = true;
  WindowRef parent = 0;             // child windows
  WindowRef owner = 0;              // top-level windows
  std::vector<WindowRef> children;  // top to bottom of the z-order: template order
  std::string className;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int id = 0;
  std::string text;
  HeadlessRect rect;
  int checkState = 0;
  std::size_t selStart = 0;
  std::size_t selEnd = 0;
  // Dialog windows.
  bool isDialog = false;
  bool isMessageBox = false;
  int templateId = 0;
  Dialog* dialog = nullptr;
  WindowRef savedFocus = 0;
  int defId = kIdOkCommand;
  bool ended = false;
  int result = 0;
  std::vector<HeadlessMenuItem> systemMenu;
  int icon = 0;
  // Combo boxes.
  std::vector<HeadlessComboItem> items;
  int selection = -1;
  bool hasImageList = false;
  int images = 0;
};

HeadlessToolkit::HeadlessToolkit(const std::string& rcPath,
                                 const std::vector<std::string>& includeDirs) {
  Load(rcPath, includeDirs);
}

HeadlessToolkit::~HeadlessToolkit() {
  // Dialog objects outlive nothing here: let go of every window they are attached to.
  for (auto& window : windows_) {
    if (window->alive && window->dialog != nullptr && window->dialog->window() == window->ref) {
      window->dialog->AttachWindow(0);
    }
  }
}

void HeadlessToolkit::Load(const std::string& rcPath, const std::vector<std::string>& dirs) {
  RcReader reader;
  for (const std::string& dir : dirs) reader.AddIncludeDir(dir);
  ok_ = reader.Read(rcPath, &resources_);
  if (!ok_) error_ = reader.error().Describe();
}

// ---- windows ---------------------------------------------------------------------------

HeadlessToolkit::Window* HeadlessToolkit::Get(WindowRef ref) const {
  if (ref == 0 || ref > windows_.size()) return nullptr;
  Window* window = windows_[ref - 1].get();
  return window->alive ? window : nullptr;
}

WindowRef HeadlessToolkit::NewWindow() {
  windows_.push_back(std::make_unique<Window>());
  windows_.back()->ref = windows_.size();
  return windows_.size();
}

bool HeadlessToolkit::IsAlive(WindowRef window) const { return Get(window) != nullptr; }

WindowRef HeadlessToolkit::Parent(WindowRef window) const {
  Window* w = Get(window);
  return w == nullptr ? 0 : w->parent;
}

WindowRef HeadlessToolkit::TopLevelOf(WindowRef window) const {
  Window* w = Get(window);
  while (w != nullptr && w->parent != 0) w = Get(w->parent);
  return w == nullptr ? 0 : w->ref;
}

bool HeadlessToolkit::IsDescendant(WindowRef ancestor, WindowRef window) const {
  Window* w = Get(window);
  while (w != nullptr && w->parent != 0) {
    if (w->parent == ancestor) return true;
    w = Get(w->parent);
  }
  return false;
}

WindowRef HeadlessToolkit::DialogOf(WindowRef window) const {
  Window* w = Get(window);
  while (w != nullptr && !w->isDialog) w = Get(w->parent);
  return w == nullptr ? 0 : w->ref;
}

bool HeadlessToolkit::IsEnabledChain(WindowRef window) const {
  for (Window* w = Get(window); w != nullptr; w = Get(w->parent)) {
    if (w->style & kWsDisabled) return false;
  }
  return true;
}

WindowRef HeadlessToolkit::Sibling(WindowRef window, bool previous) const {
  Window* w = Get(window);
  if (w == nullptr || w->parent == 0) return 0;
  const std::vector<WindowRef>& list = Get(w->parent)->children;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] != window) continue;
    if (previous) {
      for (std::size_t j = i; j-- > 0;) {
        if (Get(list[j]) != nullptr) return list[j];
      }
      return 0;
    }
    for (std::size_t j = i + 1; j < list.size(); ++j) {
      if (Get(list[j]) != nullptr) return list[j];
    }
    return 0;
  }
  return 0;
}

WindowRef HeadlessToolkit::FirstChild(WindowRef window) const {
  Window* w = Get(window);
  if (w == nullptr) return 0;
  for (WindowRef child : w->children) {
    if (Get(child) != nullptr) return child;
  }
  return 0;
}

WindowRef HeadlessToolkit::EdgeSibling(WindowRef window, bool last) const {
  Window* w = Get(window);
  if (w == nullptr || w->parent == 0) return window;
  const std::vector<WindowRef>& list = Get(w->parent)->children;
  if (last) {
    for (std::size_t j = list.size(); j-- > 0;) {
      if (Get(list[j]) != nullptr) return list[j];
    }
  } else {
    for (WindowRef child : list) {
      if (Get(child) != nullptr) return child;
    }
  }
  return window;
}

unsigned HeadlessToolkit::DialogCode(WindowRef window) const {
  Window* w = Get(window);
  if (w == nullptr || w->isDialog) return 0;
  if (SameClass(w->className, "Button")) {
    switch (w->style & kBsTypeMask) {
      case kBsPushButton:
        return kDlgcButton | kDlgcUndefPushButton;
      case kBsDefPushButton:
        return kDlgcButton | kDlgcDefPushButton;
      case kBsRadioButton:
      case kBsAutoRadioButton:
        return kDlgcButton | kDlgcRadioButton;
      case kBsGroupBox:
        return kDlgcStatic;
      default:
        return kDlgcButton;
    }
  }
  if (SameClass(w->className, "Edit")) {
    unsigned code = kDlgcWantChars | kDlgcHasSetSel | kDlgcWantArrows;
    if (w->style & kEsMultiline) code |= kDlgcWantAllKeys;
    return code;
  }
  if (SameClass(w->className, "Static")) return kDlgcStatic;
  if (SameClass(w->className, "ComboBox") || SameClass(w->className, "ComboBoxEx32")) {
    return kDlgcWantChars | kDlgcWantArrows;
  }
  return 0;
}

WindowRef HeadlessToolkit::CreateFromTemplate(Dialog& dialog, int templateId, WindowRef parent,
                                              bool child) {
  if (!ok_) return 0;
  const RcDialog* tpl = resources_.FindDialog(templateId);
  if (tpl == nullptr) return 0;
  if (child && Get(parent) == nullptr) return 0;

  WindowRef ref = NewWindow();
  {
    Window* w = Get(ref);
    w->isDialog = true;
    w->templateId = templateId;
    w->className = "#32770";
    w->style = tpl->style & ~kWsVisible;
    if (child) {
      w->style = (w->style | kWsChild) & ~kWsPopup;
      w->parent = parent;
      Get(parent)->children.push_back(ref);
    } else {
      w->owner = TopLevelOf(parent);
    }
    w->exStyle = tpl->exStyle;
    if ((w->style & kDsControl) || !(w->style & kWsChild)) w->exStyle |= kWsExControlParent;
    w->text = tpl->caption;
    w->rect = {MulDiv(tpl->x, kBaseUnitX, 4), MulDiv(tpl->y, kBaseUnitY, 8),
               MulDiv(tpl->width, kBaseUnitX, 4), MulDiv(tpl->height, kBaseUnitY, 8)};
    w->dialog = &dialog;
  }
  WindowRef defaultButton = 0;
  for (const RcControl& control : tpl->controls) {
    WindowRef c = NewWindow();
    Window* cw = Get(c);
    cw->parent = ref;
    cw->className = control.className;
    cw->style = control.style;
    cw->exStyle = control.exStyle;
    cw->id = control.id;
    cw->text = control.text;
    cw->rect = {MulDiv(control.x, kBaseUnitX, 4), MulDiv(control.y, kBaseUnitY, 8),
                MulDiv(control.width, kBaseUnitX, 4), MulDiv(control.height, kBaseUnitY, 8)};
    Get(ref)->children.push_back(c);
    if (DialogCode(c) & kDlgcDefPushButton) {
      // A later default button wins; the earlier one goes back to a plain push button.
      if (defaultButton != 0) {
        Window* old = Get(defaultButton);
        old->style = (old->style & ~kBsTypeMask) | kBsPushButton;
      }
      defaultButton = c;
      Get(ref)->defId = control.id;
    }
  }
  dialog.AttachWindow(ref);

  bool defaultFocus = dialog.OnInitDialog();
  Window* w = Get(ref);
  if (w != nullptr && defaultFocus && (!(tpl->style & kDsControl) || (tpl->style & kWsVisible))) {
    WindowRef focus = NextDlgTabItem(ref, 0, false);
    if (focus == 0) focus = NextDlgGroupItem(ref, 0, false);
    if (focus != 0) {
      SetFocusTo(focus, true);
    } else if (!child) {
      SetFocusTo(ref, false);
    }
  }
  return Get(ref) != nullptr ? ref : 0;
}

void HeadlessToolkit::Destroy(WindowRef ref) {
  Window* w = Get(ref);
  if (w == nullptr) return;
  std::vector<WindowRef> children = w->children;
  for (WindowRef child : children) Destroy(child);
  w = Get(ref);
  if (w == nullptr) return;
  if (focus_ == ref) focus_ = 0;
  if (w->dialog != nullptr && w->dialog->window() == ref) w->dialog->AttachWindow(0);
  w->alive = false;
}

int HeadlessToolkit::RunModal(Dialog& dialog, int templateId, WindowRef owner) {
  if (!ok_ || resources_.FindDialog(templateId) == nullptr) return -1;
  WindowRef ownerTop = TopLevelOf(owner);
  Window* ownerWindow = Get(ownerTop);
  bool disabledOwner = false;
  WindowRef ownerFocus = 0;
  if (ownerWindow != nullptr) {
    // The owner steps back: it keeps the focus it had for when it comes back.
    if (focus_ != 0 && IsDescendant(ownerTop, focus_)) ownerFocus = focus_;
    if (!(ownerWindow->style & kWsDisabled)) {
      Enable(ownerTop, false);
      disabledOwner = true;
    }
  }
  modalLog_.push_back(templateId);
  WindowRef ref = CreateFromTemplate(dialog, templateId, ownerTop, false);
  if (ref == 0) {
    if (disabledOwner) Enable(ownerTop, true);
    return -1;
  }
  modalStack_.push_back(ref);
  Window* w = Get(ref);
  if (w != nullptr && !w->ended) Show(ref, true);
  // Coming up makes it the active window, which takes the focus when none of it has it.
  if (Get(ref) != nullptr && !Get(ref)->ended && focus_ != ref && !IsDescendant(ref, focus_)) {
    SetFocusTo(ref, false);
  }
  w = Get(ref);
  if (w != nullptr && !w->ended) {
    if (!drivers_.empty()) {
      std::function<void()> driver = std::move(drivers_.front());
      drivers_.pop_front();
      driver();
    }
  }
  w = Get(ref);
  if (w != nullptr && !w->ended) {
    ++endedByDefault_;
    EndDialog(ref, kIdCancelCommand);
  }
  w = Get(ref);
  int result = w != nullptr ? w->result : kIdCancelCommand;
  modalStack_.pop_back();
  Destroy(ref);
  if (disabledOwner) Enable(ownerTop, true);
  if (Get(ownerTop) != nullptr) {
    if (Get(ownerFocus) != nullptr) {
      SetFocusTo(ownerFocus, false);
    } else if (focus_ == 0) {
      SetFocusTo(ownerTop, false);
    }
  }
  return result;
}

WindowRef HeadlessToolkit::CreateChild(Dialog& dialog, int templateId, WindowRef parent) {
  return CreateFromTemplate(dialog, templateId, parent, true);
}

void HeadlessToolkit::EndDialog(WindowRef dialog, int result) {
  Window* w = Get(dialog);
  if (w == nullptr || !w->isDialog) return;
  w->result = result;
  w->ended = true;
  if (w->owner != 0 && Get(w->owner) != nullptr) Enable(w->owner, true);
  // The dialog takes the focus itself, so a control losing it gets its notification now.
  if (focus_ != 0 && IsDescendant(dialog, focus_)) SetFocusTo(dialog, false);
  w = Get(dialog);
  if (w != nullptr) w->style &= ~kWsVisible;  // hidden without a show notification
}

// ---- notifications ---------------------------------------------------------------------

void HeadlessToolkit::Command(WindowRef dialog, int id, int code) {
  Window* w = Get(dialog);
  if (w == nullptr || w->dialog == nullptr) return;
  w->dialog->OnCommand(id, code);
}

void HeadlessToolkit::Notify(WindowRef control, int code) {
  Window* w = Get(control);
  if (w == nullptr) return;
  Command(w->parent, w->id, code);
}

// SetFocus: the new window holds the focus before the old one hears it lost it; a handler that
// moves the focus elsewhere meanwhile wins, and the new window then hears nothing.
void HeadlessToolkit::SetFocusTo(WindowRef window, bool selectAll) {
  if (window != 0 && Get(window) == nullptr) return;
  Window* w = Get(window);
  if (selectAll && w != nullptr && (DialogCode(window) & kDlgcHasSetSel)) {
    w->selStart = 0;
    w->selEnd = w->text.size();
  }
  WindowRef old = focus_;
  if (old == window) return;
  focus_ = window;
  Window* o = Get(old);
  if (o != nullptr && SameClass(o->className, "Edit")) Notify(old, kEnKillFocus);
  if (focus_ != window || Get(window) == nullptr) return;
  w = Get(window);
  if (w->isDialog) {
    RestoreDialogFocus(window);
  } else if (SameClass(w->className, "Edit")) {
    Notify(window, kEnSetFocus);
  }
}

void HeadlessToolkit::SaveDialogFocus(WindowRef dialog) {
  Window* w = Get(dialog);
  if (w == nullptr || focus_ == 0 || !IsDescendant(dialog, focus_)) return;
  w->savedFocus = focus_;
}

// A dialog given the focus passes it on: to the control that had it when the dialog was last
// hidden or stepped back, else to its first tab stop, else to its first usable control.
void HeadlessToolkit::RestoreDialogFocus(WindowRef dialog) {
  Window* w = Get(dialog);
  if (w == nullptr || w->ended) return;
  WindowRef target = w->savedFocus;
  if (Get(target) == nullptr || target == dialog) {
    target = NextDlgTabItem(dialog, 0, false);
    if (target == 0) target = NextDlgGroupItem(dialog, 0, false);
    if (target == 0) return;
  }
  w->savedFocus = 0;
  SetFocusTo(target, true);
}

void HeadlessToolkit::SetFocus(WindowRef window) { SetFocusTo(window, false); }

// ---- controls --------------------------------------------------------------------------

WindowRef HeadlessToolkit::Item(WindowRef dialog, int id) {
  Window* w = Get(dialog);
  if (w == nullptr) return 0;
  for (WindowRef child : w->children) {
    Window* c = Get(child);
    if (c != nullptr && c->id == id) return child;
  }
  return 0;
}

WindowRef HeadlessToolkit::ItemAnywhere(WindowRef dialog, int id) const {
  Window* w = Get(dialog);
  if (w == nullptr) return 0;
  for (WindowRef child : w->children) {
    Window* c = Get(child);
    if (c == nullptr) continue;
    if (c->id == id) return child;
    WindowRef inner = ItemAnywhere(child, id);
    if (inner != 0) return inner;
  }
  return 0;
}

int HeadlessToolkit::ItemId(WindowRef control) {
  Window* w = Get(control);
  return w == nullptr ? 0 : w->id;
}

void HeadlessToolkit::SetText(WindowRef window, const std::string& text) {
  Window* w = Get(window);
  if (w == nullptr) return;
  w->text = text;
  if (SameClass(w->className, "Edit")) {
    w->selStart = 0;
    w->selEnd = 0;
    Notify(window, kEnChange);
  }
}

std::string HeadlessToolkit::Text(WindowRef window) {
  Window* w = Get(window);
  return w == nullptr ? std::string() : w->text;
}

void HeadlessToolkit::Show(WindowRef window, bool show) {
  Window* w = Get(window);
  if (w == nullptr) return;
  bool visible = (w->style & kWsVisible) != 0;
  if (visible == show) return;
  if (w->isDialog && w->dialog != nullptr) w->dialog->OnShowWindow(show);
  w = Get(window);
  if (w == nullptr) return;
  if (!show && w->isDialog) SaveDialogFocus(window);
  if (show) {
    w->style |= kWsVisible;
  } else {
    w->style &= ~kWsVisible;
    // Only the focus window itself hands the focus to its parent; a control inside a hidden
    // dialog keeps it.
    if (focus_ == window) SetFocusTo(w->parent, false);
  }
}

bool HeadlessToolkit::IsVisible(WindowRef window) {
  Window* w = Get(window);
  if (w == nullptr) return false;
  for (; w != nullptr; w = Get(w->parent)) {
    if (!(w->style & kWsVisible)) return false;
  }
  return true;
}

void HeadlessToolkit::Enable(WindowRef window, bool enable) {
  Window* w = Get(window);
  if (w == nullptr) return;
  if (enable) {
    w->style &= ~kWsDisabled;
    return;
  }
  if (w->style & kWsDisabled) return;
  w->style |= kWsDisabled;
  // A disabled window cannot keep the keyboard: the focus goes nowhere.
  if (focus_ == window) SetFocusTo(0, false);
}

bool HeadlessToolkit::IsEnabled(WindowRef window) {
  Window* w = Get(window);
  return w != nullptr && !(w->style & kWsDisabled);
}

void HeadlessToolkit::SetCheckState(WindowRef button, int state) {
  Window* w = Get(button);
  if (w == nullptr || !SameClass(w->className, "Button")) return;
  std::uint32_t type = w->style & kBsTypeMask;
  int maximum = 0;
  if (type == kBsCheckBox || type == kBsAutoCheckBox || type == kBsRadioButton ||
      type == kBsAutoRadioButton) {
    maximum = 1;
  } else if (type == kBs3State || type == kBsAuto3State) {
    maximum = 2;
  }
  if (state > maximum) state = maximum;
  // A checked radio button is the tab stop of its group; the others stop being one.
  if (type == kBsRadioButton || type == kBsAutoRadioButton) {
    if (state != 0) {
      w->style |= kWsTabStop;
    } else {
      w->style &= ~kWsTabStop;
    }
  }
  w->checkState = state;
}

void HeadlessToolkit::SetCheck(WindowRef button, bool checked) {
  SetCheckState(button, checked ? 1 : 0);
}

bool HeadlessToolkit::IsChecked(WindowRef button) {
  Window* w = Get(button);
  return w != nullptr && w->checkState == 1;
}

// The clicked radio button is checked and every other radio button of its group that can be
// reached (visible and enabled) is unchecked.
void HeadlessToolkit::CheckAutoRadio(WindowRef button) {
  Window* w = Get(button);
  if (w == nullptr) return;
  WindowRef parent = w->parent;
  WindowRef sibling = button;
  int guard = 0;
  do {
    if (sibling == 0) break;
    if (DialogCode(sibling) == (kDlgcButton | kDlgcRadioButton)) {
      SetCheckState(sibling, sibling == button ? 1 : 0);
    }
    sibling = NextDlgGroupItem(parent, sibling, false);
  } while (sibling != button && ++guard < 10000);
}

void HeadlessToolkit::PressButton(WindowRef button) {
  Window* w = Get(button);
  if (w == nullptr) return;
  switch (w->style & kBsTypeMask) {
    case kBsAutoCheckBox:
      SetCheckState(button, w->checkState == 1 ? 0 : 1);
      break;
    case kBsAutoRadioButton:
      CheckAutoRadio(button);
      break;
    case kBsAuto3State:
      SetCheckState(button, w->checkState == 2 ? 0 : w->checkState + 1);
      break;
    default:
      break;
  }
  Notify(button, kBnClicked);
}

void HeadlessToolkit::SelectAllText(WindowRef edit) {
  Window* w = Get(edit);
  if (w == nullptr) return;
  w->selStart = 0;
  w->selEnd = w->text.size();
}

void HeadlessToolkit::MoveTo(WindowRef window, int x, int y) {
  Window* w = Get(window);
  if (w == nullptr) return;
  w->rect.x = x;
  w->rect.y = y;
}

std::string HeadlessToolkit::LoadResourceString(int id) {
  auto it = resources_.strings.find(id);
  return it == resources_.strings.end() ? std::string() : it->second;
}

void HeadlessToolkit::AppendSystemMenuItem(WindowRef window, int commandId,
                                           const std::string& text) {
  Window* w = Get(window);
  if (w == nullptr) return;
  w->systemMenu.push_back({0, std::string()});
  w->systemMenu.push_back({commandId, text});
}

void HeadlessToolkit::EnableSystemMenuItem(WindowRef window, int commandId, bool enable) {
  Window* w = Get(window);
  if (w == nullptr) return;
  for (HeadlessMenuItem& item : w->systemMenu) {
    if (item.commandId == commandId) item.enabled = enable;
  }
}

void HeadlessToolkit::SetSystemMenuItemText(WindowRef window, int commandId,
                                            const std::string& text) {
  Window* w = Get(window);
  if (w == nullptr) return;
  for (HeadlessMenuItem& item : w->systemMenu) {
    if (item.commandId == commandId) item.text = text;
  }
}

bool HeadlessToolkit::AskSaveFileName(WindowRef, const std::string& filterName,
                                      const std::string& extension, std::string* path) {
  saveDialogs_.push_back(filterName + "|" + extension);
  if (saveAnswers_.empty()) return false;
  const std::string answer = saveAnswers_.front();
  saveAnswers_.pop_front();
  if (answer.empty()) return false;
  *path = answer;
  return true;
}

void HeadlessToolkit::SetIcon(WindowRef window, int iconId) {
  Window* w = Get(window);
  if (w != nullptr) w->icon = iconId;
}

bool HeadlessToolkit::ProgramVersionString(const std::string& name, std::string* value) {
  auto it = versionStrings_.find(name);
  if (it == versionStrings_.end() || it->second.empty()) return false;
  *value = it->second.substr(0, 255);
  return true;
}

void HeadlessToolkit::AttachImageList(WindowRef combo) {
  Window* w = Get(combo);
  if (w != nullptr) w->hasImageList = true;
}

int HeadlessToolkit::AddImageFromFile(WindowRef combo, const std::string& path) {
  Window* w = Get(combo);
  if (w == nullptr || !w->hasImageList || !LooksLikeBitmapFile(NativePath(path))) return -1;
  return w->images++;
}

int HeadlessToolkit::InsertComboItem(WindowRef combo, int position, const std::string& text,
                                     int image) {
  Window* w = Get(combo);
  if (w == nullptr) return -1;
  const int count = static_cast<int>(w->items.size());
  if (position < 0 || position > count) position = count;
  w->items.insert(w->items.begin() + position, HeadlessComboItem{text, image});
  if (w->selection >= position) ++w->selection;
  return position;
}

int HeadlessToolkit::ComboCount(WindowRef combo) {
  Window* w = Get(combo);
  return w == nullptr ? 0 : static_cast<int>(w->items.size());
}

std::string HeadlessToolkit::ComboItemText(WindowRef combo, int index) {
  Window* w = Get(combo);
  if (w == nullptr || index < 0 || index >= static_cast<int>(w->items.size())) return "";
  return w->items[static_cast<std::size_t>(index)].text;
}

int HeadlessToolkit::ComboSelection(WindowRef combo) {
  Window* w = Get(combo);
  return w == nullptr ? -1 : w->selection;
}

void HeadlessToolkit::SelectComboItem(WindowRef combo, int index) {
  Window* w = Get(combo);
  if (w == nullptr) return;
  const bool valid = index >= 0 && index < static_cast<int>(w->items.size());
  w->selection = valid ? index : -1;
  w->text = valid ? w->items[static_cast<std::size_t>(index)].text : std::string();
}

const std::vector<HeadlessComboItem>& HeadlessToolkit::ComboItems(WindowRef combo) const {
  static const std::vector<HeadlessComboItem> none;
  Window* w = Get(combo);
  return w == nullptr ? none : w->items;
}

// ---- the dialog manager ----------------------------------------------------------------

// The next (or previous) tab stop after `control`, looking into control parents, wrapping
// around; `control` itself when it is the only one.
WindowRef HeadlessToolkit::NextTabItem(WindowRef main, WindowRef dialog, WindowRef control,
                                       bool previous) const {
  WindowRef candidate = 0;
  if (control == 0) {
    candidate = FirstChild(dialog);
    if (previous && candidate != 0) candidate = EdgeSibling(candidate, true);
  } else if (IsDescendant(main, control)) {
    candidate = Sibling(control, previous);
    if (candidate == 0) {
      if (Parent(control) != main) {
        candidate = Sibling(Parent(control), previous);
      } else {
        candidate = EdgeSibling(control, previous);
      }
    }
  }
  while (candidate != 0) {
    Window* c = Get(candidate);
    bool usable = (c->style & kWsVisible) && !(c->style & kWsDisabled);
    if ((c->exStyle & kWsExControlParent) && usable) {
      WindowRef inner = NextTabItem(main, candidate, 0, previous);
      if (inner != 0) return inner;
    } else if ((c->style & kWsTabStop) && usable) {
      return candidate;
    }
    candidate = Sibling(candidate, previous);
  }
  WindowRef result = 0;
  if (control != 0) {
    for (WindowRef parent = Parent(control); parent != 0; parent = Parent(parent)) {
      if (parent == main) break;
      result = NextTabItem(main, Parent(parent), parent, previous);
      if (result != 0) break;
    }
    if (result == 0) result = NextTabItem(main, main, 0, previous);
  }
  return result != 0 ? result : control;
}

WindowRef HeadlessToolkit::NextDlgTabItem(WindowRef dialog, WindowRef control,
                                          bool previous) const {
  if (dialog == control) control = 0;
  if (control == 0 && previous) return 0;
  return NextTabItem(dialog, dialog, control, previous);
}

// The next (or previous) usable control of the group `control` belongs to, wrapping within the
// group; groups start at WS_GROUP.
WindowRef HeadlessToolkit::NextDlgGroupItem(WindowRef dialog, WindowRef control,
                                            bool previous) const {
  auto usable = [this](WindowRef ref) {
    Window* c = Get(ref);
    return c != nullptr && (c->style & kWsVisible) && !(c->style & kWsDisabled);
  };
  if (dialog == control) control = 0;
  if (control == 0 && previous) return 0;
  if (control != 0) {
    if (!IsDescendant(dialog, control)) return 0;
  } else {
    control = FirstChild(dialog);
    if (control == 0) return 0;
    if (usable(control)) return control;
  }
  WindowRef result = control;
  WindowRef current = control;
  WindowRef lastGroup = 0;
  bool looped = false;
  bool skipping = false;
  for (int guard = 0; guard < 100000; ++guard) {
    WindowRef next = Sibling(current, false);
    while (next == 0) {
      if (Parent(current) == dialog) {
        if (looped) return result;
        looped = true;
        next = FirstChild(dialog);
        if (next == 0) return result;
      } else {
        current = Parent(current);
        if (current == 0) return result;
        next = Sibling(current, false);
      }
    }
    current = next;
    for (;;) {
      Window* c = Get(current);
      WindowRef inner = FirstChild(current);
      if ((c->exStyle & kWsExControlParent) && usable(current) && inner != 0) {
        current = inner;
      } else {
        break;
      }
    }
    if (Get(current)->style & kWsGroup) {
      lastGroup = current;
      if (!skipping) skipping = true;
    }
    if (current == control) {
      if (!skipping) break;
      if (lastGroup == current) break;
      current = lastGroup;
      skipping = false;
      looped = false;
    }
    if (!skipping && usable(current)) {
      result = current;
      if (!previous) break;
    }
  }
  return result;
}

// Tab into a push button makes it the default one; anything else gives the look back to the
// dialog's own default button.
void HeadlessToolkit::SetDefaultButton(WindowRef dialog, WindowRef newDefault) {
  Window* d = Get(dialog);
  if (d == nullptr) return;
  WindowRef old = Item(dialog, d->defId);
  unsigned newCode = DialogCode(newDefault);
  if (newDefault != 0 && !(newCode & (kDlgcUndefPushButton | kDlgcDefPushButton))) {
    newDefault = old;
    newCode = DialogCode(newDefault);
  }
  if (old == 0 || !(DialogCode(old) & kDlgcDefPushButton)) {
    old = 0;
    for (WindowRef child : d->children) {
      if (DialogCode(child) & kDlgcDefPushButton) {
        old = child;
        break;
      }
    }
  }
  if (old != 0 && old != newDefault) {
    Window* o = Get(old);
    o->style = (o->style & ~kBsTypeMask) | kBsPushButton;
  }
  if (newDefault != 0 && (newCode & kDlgcUndefPushButton)) {
    Window* n = Get(newDefault);
    n->style = (n->style & ~kBsTypeMask) | kBsDefPushButton;
  }
}

bool HeadlessToolkit::DefaultKeyHandling(WindowRef dialog, const KeyEvent& key) {
  if (Get(dialog) == nullptr) return false;
  if (key.target != dialog && !IsDescendant(dialog, key.target)) return false;
  // A DS_CONTROL dialog lets its parent dialog act for it.
  while ((Get(dialog)->style & kDsControl) && Get(Get(dialog)->parent) != nullptr &&
         Get(Get(dialog)->parent)->isDialog) {
    dialog = Get(dialog)->parent;
  }
  unsigned code = DialogCode(key.target);
  if (code & kDlgcWantAllKeys) return true;  // the control takes every key itself
  switch (key.virtualKey) {
    case kVkTab:
      if (code & kDlgcWantTab) break;
      {
        WindowRef next = NextDlgTabItem(dialog, focus_, key.shift);
        if (next != 0) SetFocusTo(next, true);
        SetDefaultButton(dialog, next);
      }
      return true;
    case kVkLeft:
    case kVkUp:
    case kVkRight:
    case kVkDown:
      if (code & kDlgcWantArrows) break;
      {
        bool previous = key.virtualKey == kVkLeft || key.virtualKey == kVkUp;
        WindowRef next = NextDlgGroupItem(dialog, key.target, previous);
        if (next != 0 && DialogCode(next) == (kDlgcButton | kDlgcRadioButton)) {
          SetFocusTo(next, false);
          Window* n = Get(next);
          if (n != nullptr && (n->style & kBsTypeMask) == kBsAutoRadioButton &&
              n->checkState != 1) {
            PressButton(next);
          }
        } else {
          if (next != 0) SetFocusTo(next, true);
          SetDefaultButton(dialog, next);
        }
      }
      return true;
    case kVkEscape:
      Command(dialog, kIdCancelCommand, kBnClicked);
      return true;
    case kVkReturn: {
      WindowRef focus = focus_;
      if (focus != 0 && IsDescendant(dialog, focus) && (DialogCode(focus) & kDlgcDefPushButton)) {
        Command(dialog, ItemId(focus), kBnClicked);
        return true;
      }
      Window* d = Get(dialog);
      if (d->ended) return true;
      WindowRef defaultButton = ItemAnywhere(dialog, d->defId);
      if (defaultButton == 0 || IsEnabled(defaultButton)) {
        Command(dialog, d->defId, kBnClicked);
      }
      return true;
    }
    default:
      break;
  }
  // Any other key aimed inside the dialog is passed to its control and counts as used.
  if (key.virtualKey == kVkSpace && (code & kDlgcButton) && key.target == focus_ &&
      IsEnabledChain(key.target)) {
    PressButton(key.target);
  }
  ComboKey(key);
  return true;
}

// A closed drop-down list moves its selection with the arrows, Home and End, and says so.
void HeadlessToolkit::ComboKey(const KeyEvent& key) {
  Window* w = Get(key.target);
  if (w == nullptr || key.target != focus_ || w->items.empty() ||
      !SameClass(w->className, "ComboBoxEx32")) {
    return;
  }
  const int last = static_cast<int>(w->items.size()) - 1;
  int next = w->selection;
  switch (key.virtualKey) {
    case kVkUp:
    case kVkLeft:
      next = next < 0 ? 0 : std::max(0, next - 1);
      break;
    case kVkDown:
    case kVkRight:
      next = std::min(last, next + 1);
      break;
    case kVkHome:
      next = 0;
      break;
    case kVkEnd:
      next = last;
      break;
    default:
      return;
  }
  if (next == w->selection) return;
  w->selection = next;
  w->text = w->items[static_cast<std::size_t>(next)].text;
  Notify(key.target, kCbnSelChange);
}

// ---- message boxes ---------------------------------------------------------------------

int HeadlessToolkit::Show(WindowRef owner, const char* text, const char* caption,
                          std::uint32_t style) {
  HeadlessMessageBox box;
  box.owner = owner;
  box.text = text != nullptr ? text : "";
  box.captionNull = caption == nullptr;
  box.caption = caption != nullptr ? caption : "Error";
  box.style = style;
  box.focusBefore = focus_;

  WindowRef top = TopLevelOf(owner);
  bool disabledOwner = false;
  WindowRef saved = 0;
  if (Get(top) != nullptr) {
    if (focus_ != 0 && IsDescendant(top, focus_)) saved = focus_;
    if (!(Get(top)->style & kWsDisabled)) {
      Enable(top, false);
      disabledOwner = true;
    }
  } else {
    saved = focus_;
  }
  // The box is a window of its own and takes the keyboard while it is up.
  WindowRef boxWindow = NewWindow();
  {
    Window* b = Get(boxWindow);
    b->isDialog = true;
    b->isMessageBox = true;
    b->className = "#32770";
    b->style = kWsPopup | kWsVisible;
    b->owner = top;
    b->text = box.caption;
  }
  SetFocusTo(boxWindow, false);

  if (!answers_.empty()) {
    box.answer = answers_.front();
    box.answered = true;
    answers_.pop_front();
  } else {
    box.answer = FirstButtonOf(style);
  }
  if (boxObserver_) boxObserver_(box);
  boxes_.push_back(box);

  Destroy(boxWindow);
  if (disabledOwner && Get(top) != nullptr) Enable(top, true);
  if (Get(saved) != nullptr) {
    SetFocusTo(saved, false);
  } else if (Get(top) != nullptr && focus_ == 0) {
    SetFocusTo(top, false);
  }
  return box.answer;
}

// ---- test side -------------------------------------------------------------------------

void HeadlessToolkit::QueueModalDriver(std::function<void()> driver) {
  drivers_.push_back(std::move(driver));
}

void HeadlessToolkit::QueueModalEnd(int result) {
  drivers_.push_back([this, result] { EndDialog(TopLevel(), result); });
}

void HeadlessToolkit::QueueMessageBoxAnswer(int button) { answers_.push_back(button); }

void HeadlessToolkit::SetMessageBoxObserver(
    std::function<void(const HeadlessMessageBox&)> observer) {
  boxObserver_ = std::move(observer);
}

bool HeadlessToolkit::Click(WindowRef window) {
  Window* w = Get(window);
  if (w == nullptr || w->isDialog || !IsVisible(window) || !IsEnabledChain(window)) return false;
  if (SameClass(w->className, "Button")) {
    if ((w->style & kBsTypeMask) == kBsGroupBox) return false;  // clicks fall through it
    return ClickButton(window);
  }
  if (SameClass(w->className, "Edit")) {
    if (focus_ != window) SetFocusTo(window, false);
    w = Get(window);
    if (w == nullptr || focus_ != window) return false;
    w->selStart = w->selEnd = w->text.size();
    return true;
  }
  if (SameClass(w->className, "ComboBox") || SameClass(w->className, "ComboBoxEx32")) {
    SetFocusTo(window, false);
    return focus_ == window;
  }
  return false;
}

bool HeadlessToolkit::ClickButton(WindowRef button) {
  std::size_t boxesBefore = boxes_.size();
  SetFocusTo(button, false);
  // The press is lost when the focus move brought up a message box (the mouse button went up
  // over the box) or left the button unusable. A focus-lost handler that merely takes the
  // focus back does not stop it.
  if (boxes_.size() != boxesBefore || !IsVisible(button) || !IsEnabledChain(button)) {
    return false;
  }
  PressButton(button);
  return true;
}

bool HeadlessToolkit::ClickMessage(WindowRef button) {
  if (!IsVisible(button) || !IsEnabledChain(button)) return false;
  SetFocusTo(button, false);
  if (Get(button) != nullptr) PressButton(button);
  return true;
}

bool HeadlessToolkit::HasMnemonic(WindowRef control, char letter) const {
  const std::string& text = Get(control)->text;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return std::toupper(static_cast<unsigned char>(text[i + 1])) ==
           std::toupper(static_cast<unsigned char>(letter));
  }
  return false;
}

bool HeadlessToolkit::PressMnemonic(char letter) {
  WindowRef start = focus_ != 0 ? focus_ : TopLevel();
  WindowRef dialog = TopLevelOf(start);
  if (Get(dialog) == nullptr) return false;
  // From the focus on, into visible child windows, out to the next sibling, around the dialog.
  WindowRef control = start;
  for (int guard = 0; guard < 100000; ++guard) {
    Window* c = Get(control);
    if (c == nullptr) return false;
    WindowRef next = 0;
    if ((c->style & kWsVisible) && !(c->style & kWsDisabled)) {
      unsigned code = DialogCode(control);
      if ((code & (kDlgcButton | kDlgcStatic)) && HasMnemonic(control, letter)) {
        bool label = (code & kDlgcStatic) != 0;
        if (label) {
          SetFocusTo(control, true);
          SetDefaultButton(dialog, control);
          WindowRef after = NextDlgTabItem(dialog, focus_, false);
          if (after != 0) SetFocusTo(after, true);
          SetDefaultButton(dialog, after);
        } else {
          ClickMessage(control);
        }
        return true;
      }
      next = FirstChild(control);
    }
    if (next == 0) next = Sibling(control, false);
    while (next == 0 && control != 0) {
      control = Parent(control);
      if (control == dialog) {
        if (start == dialog) return false;
        next = FirstChild(dialog);
        if (next == 0) return false;
      } else if (control != 0) {
        next = Sibling(control, false);
      }
    }
    control = next;
    if (control == 0 || control == start) return false;
  }
  return false;
}

bool HeadlessToolkit::TypeText(WindowRef edit, const std::string& text) {
  Window* w = Get(edit);
  if (w == nullptr || !SameClass(w->className, "Edit")) return false;
  if (focus_ != edit && !Click(edit)) return false;
  for (char c : text) {
    w = Get(edit);
    if (w == nullptr || focus_ != edit) return false;
    if (w->style & kEsReadOnly) {
      ++refusedKeystrokes_;
      continue;
    }
    std::size_t start = w->selStart < w->selEnd ? w->selStart : w->selEnd;
    std::size_t end = w->selStart < w->selEnd ? w->selEnd : w->selStart;
    if (end > w->text.size()) end = w->text.size();
    if (start > end) start = end;
    if (c == '\b') {
      if (start == end) {
        if (start == 0) continue;
        --start;
      }
      w->text.erase(start, end - start);
      w->selStart = w->selEnd = start;
    } else {
      if ((w->style & kEsNumber) && !std::isdigit(static_cast<unsigned char>(c))) {
        ++refusedKeystrokes_;
        continue;
      }
      w->text.replace(start, end - start, 1, c);
      w->selStart = w->selEnd = start + 1;
    }
    Notify(edit, kEnChange);
  }
  return true;
}

void HeadlessToolkit::SetSelection(WindowRef edit, std::size_t start, std::size_t end) {
  Window* w = Get(edit);
  if (w == nullptr) return;
  if (end > w->text.size()) end = w->text.size();
  if (start > end) start = end;
  w->selStart = start;
  w->selEnd = end;
}

void HeadlessToolkit::NextDialogControl(WindowRef control) {
  Window* w = Get(control);
  if (w == nullptr) return;
  WindowRef dialog = w->parent != 0 ? DialogOf(w->parent) : control;
  SetFocusTo(control, true);
  SetDefaultButton(dialog, control);
}

bool HeadlessToolkit::PressKey(int virtualKey, bool shift) {
  WindowRef target = focus_ != 0 ? focus_ : TopLevel();
  if (Get(target) == nullptr) return false;
  KeyEvent key{target, virtualKey, shift};
  for (WindowRef dialog = DialogOf(target); dialog != 0;) {
    Window* d = Get(dialog);
    if (d == nullptr) break;
    WindowRef parentDialog = DialogOf(d->parent);
    bool used =
        d->dialog != nullptr ? d->dialog->PreTranslateKey(key) : DefaultKeyHandling(dialog, key);
    if (used) return true;
    dialog = parentDialog;
  }
  // Nobody took it: the focus window gets the key itself.
  if (virtualKey == kVkSpace && Get(target) != nullptr && (DialogCode(target) & kDlgcButton) &&
      IsEnabledChain(target)) {
    PressButton(target);
  }
  return false;
}

void HeadlessToolkit::SystemCommand(WindowRef window, int commandId) {
  Window* w = Get(window);
  if (w == nullptr || w->dialog == nullptr) return;
  if (w->dialog->OnSysCommand(commandId)) return;
  if ((commandId & 0xFFF0) == kScClose) Command(window, kIdCancelCommand, kBnClicked);
}

WindowRef HeadlessToolkit::TopLevel() const {
  for (std::size_t i = modalStack_.size(); i-- > 0;) {
    if (Get(modalStack_[i]) != nullptr) return modalStack_[i];
  }
  return 0;
}

WindowRef HeadlessToolkit::DialogByTemplate(int templateId) const {
  for (const auto& window : windows_) {
    if (window->alive && window->isDialog && window->templateId == templateId) return window->ref;
  }
  return 0;
}

int HeadlessToolkit::TemplateOf(WindowRef dialog) const {
  Window* w = Get(dialog);
  return w == nullptr ? 0 : w->templateId;
}

std::string HeadlessToolkit::ClassName(WindowRef window) const {
  Window* w = Get(window);
  return w == nullptr ? std::string() : w->className;
}

std::uint32_t HeadlessToolkit::Style(WindowRef window) const {
  Window* w = Get(window);
  return w == nullptr ? 0 : w->style;
}

std::uint32_t HeadlessToolkit::ExStyle(WindowRef window) const {
  Window* w = Get(window);
  return w == nullptr ? 0 : w->exStyle;
}

HeadlessRect HeadlessToolkit::Rect(WindowRef window) const {
  Window* w = Get(window);
  return w == nullptr ? HeadlessRect() : w->rect;
}

bool HeadlessToolkit::IsDefaultButton(WindowRef window) const {
  return (DialogCode(window) & kDlgcDefPushButton) != 0;
}

std::size_t HeadlessToolkit::SelectionStart(WindowRef edit) const {
  Window* w = Get(edit);
  return w == nullptr ? 0 : w->selStart;
}

std::size_t HeadlessToolkit::SelectionEnd(WindowRef edit) const {
  Window* w = Get(edit);
  return w == nullptr ? 0 : w->selEnd;
}

const std::vector<HeadlessMenuItem>& HeadlessToolkit::SystemMenu(WindowRef window) const {
  static const std::vector<HeadlessMenuItem> kNone;
  Window* w = Get(window);
  return w == nullptr ? kNone : w->systemMenu;
}

int HeadlessToolkit::Icon(WindowRef window) const {
  Window* w = Get(window);
  return w == nullptr ? 0 : w->icon;
}

void HeadlessToolkit::DumpWindow(WindowRef ref, int depth, std::string* out) const {
  Window* w = Get(ref);
  if (w == nullptr) return;
  char line[160];
  std::snprintf(line, sizeof line, "%*s#%lu %s", depth * 2, "", static_cast<unsigned long>(ref),
                w->isDialog ? "dialog" : w->className.c_str());
  *out += line;
  if (w->isDialog) {
    *out += " template " + std::to_string(w->templateId);
  } else {
    *out += " id " + std::to_string(w->id);
  }
  *out += " \"" + w->text + "\"";
  *out += (w->style & kWsVisible) ? " visible" : " hidden";
  if (w->style & kWsDisabled) *out += " disabled";
  if (w->style & kWsTabStop && !w->isDialog) *out += " tabstop";
  if (w->checkState != 0) *out += " checked";
  if (IsDefaultButton(ref)) *out += " default";
  if (ref == focus_) *out += " FOCUS";
  if (w->ended) *out += " ended(" + std::to_string(w->result) + ")";
  std::snprintf(line, sizeof line, " [%d,%d %dx%d]", w->rect.x, w->rect.y, w->rect.width,
                w->rect.height);
  *out += line;
  *out += "\n";
  for (WindowRef child : w->children) DumpWindow(child, depth + 1, out);
}

std::string HeadlessToolkit::Dump() const {
  std::string out;
  for (const auto& window : windows_) {
    if (window->alive && window->parent == 0) DumpWindow(window->ref, 0, &out);
  }
  if (focus_ == 0) out += "(nothing has the focus)\n";
  return out;
}
