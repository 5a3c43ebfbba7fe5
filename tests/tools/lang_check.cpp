// The translators' checker, run under Wine: every rule of lang_rules, and every text drawn in
// its own control of the program's dialogs with the dialog font, measured against the control.
//
//   lang_check.exe [--expect] Quarnel.exe FILE.ini...
//
// Prints what each file breaks and the texts it leaves English, then "N passed, N failed" (a file
// a case). With --expect a file passes when it breaks exactly the rules its "; expect:" line
// names: the fixtures that show the checker catches each rule.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tools/lang_rules.h"

namespace {

using langcheck::Finding;
using langcheck::LanguageFile;
using langcheck::Placement;

// The text margins the system draws inside each kind of control, in pixels: push buttons keep
// clear of their frame and focus rectangle, check boxes and radio buttons start after the box
// and a gap (wider with XP's visual styles), a group box's title sits inside its frame.
constexpr int kPushButtonMargin = 8;
constexpr int kCheckBoxIndent = 13 + 6;
constexpr int kGroupBoxMargin = 20;

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n =
      MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

// The program's dialogs, made hidden from its own templates: the pages as children of the main
// window, as the program makes them.
class Dialogs {
 public:
  bool Open(const char* program) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&classes);
    module_ = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module_ == nullptr) {
      std::printf("cannot load %s as a data file (error %lu)\n", program, GetLastError());
      return false;
    }
    if (Make(IDD_WIZARD, nullptr) == nullptr) return false;
    for (const Placement& p : langcheck::Placements()) {
      if (windows_.count(p.dialog) != 0) continue;
      const bool popup =
          p.dialog == IDD_ABOUT || p.dialog == IDD_MTU_FINDER || p.dialog == IDD_REVIEW;
      HWND parent = popup ? nullptr : windows_[IDD_WIZARD];
      if (Make(p.dialog, parent) == nullptr) return false;
    }
    return true;
  }
  ~Dialogs() {
    for (auto& w : windows_) DestroyWindow(w.second);
    if (module_ != nullptr) FreeLibrary(module_);
  }

  HWND Get(int dialog) const {
    auto it = windows_.find(dialog);
    return it == windows_.end() ? nullptr : it->second;
  }

 private:
  HWND Make(int dialog, HWND parent) {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(dialog), MAKEINTRESOURCEA(5));
    HGLOBAL loaded = found != nullptr ? LoadResource(module_, found) : nullptr;
    const void* resource = loaded != nullptr ? LockResource(loaded) : nullptr;
    // Pictures named in the templates are not looked for: this program has none of them.
    HWND window = resource == nullptr
                      ? nullptr
                      : CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                                                   static_cast<LPCDLGTEMPLATEA>(resource), parent,
                                                   QuietDialog, 0);
    if (window == nullptr) {
      std::printf("cannot make dialog %d (%s) of the program\n", dialog,
                  langcheck::DialogName(dialog));
      return nullptr;
    }
    windows_[dialog] = window;
    return window;
  }

  HMODULE module_ = nullptr;
  std::map<int, HWND> windows_;
};

// How much of a text does not fit: pixels missing across and down.
struct Overflow {
  int width = 0;
  int height = 0;
  int lineHeight = 1;
  int availableWidth = 0;
  int availableHeight = 0;
  bool Any() const { return width > 0 || height > 0; }
  int Size() const { return width + height; }
};

Overflow Measure(HWND control, HFONT font, const std::wstring& text, UINT format, int width,
                 int height) {
  Overflow o;
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  RECT r = {0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  o.lineHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 1;
  o.availableWidth = width;
  o.availableHeight = height;
  o.width = r.right - width;
  o.height = height >= 0 ? r.bottom - height : 0;
  return o;
}

// The room a text has in its control and how the control draws it.
Overflow Fit(HWND frame, HWND control, const std::wstring& text) {
  if (control == frame) {
    // The caption: the title bar less the icon and the three caption buttons.
    NONCLIENTMETRICSA metrics;
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
    RECT window;
    GetWindowRect(frame, &window);
    const int width = window.right - window.left - 2 * GetSystemMetrics(SM_CXFIXEDFRAME) -
                      GetSystemMetrics(SM_CXSMICON) - 3 * GetSystemMetrics(SM_CXSIZE) - 8;
    Overflow o = Measure(frame, font, text, DT_SINGLELINE | DT_NOPREFIX, width, -1);
    DeleteObject(font);
    return o;
  }
  RECT client;
  GetClientRect(control, &client);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
  char className[32] = "";
  GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) {
    UINT format = DT_EXPANDTABS | DT_WORDBREAK;
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    // A centred-image text control draws one line, centred vertically.
    if (style & SS_CENTERIMAGE) format |= DT_SINGLELINE;
    return Measure(control, font, text, format, client.right, client.bottom);
  }
  int room = client.right;
  switch (style & 0x0F) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      room -= kPushButtonMargin;
      break;
    case BS_GROUPBOX:
      room -= kGroupBoxMargin;
      break;
    default:
      room -= kCheckBoxIndent;
      break;
  }
  return Measure(control, font, text, DT_SINGLELINE, room, -1);
}

// A text of the file as the terminal running Wine shows it: UTF-8, line breaks as written.
std::string Shown(const std::string& text) {
  std::wstring wide = Wide(text);
  for (wchar_t& c : wide) {
    if (c == L'\n') c = L'*';
  }
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr,
                        nullptr);
  }
  return out;
}

std::vector<Finding> CheckFits(const LanguageFile& file, const Dialogs& dialogs) {
  std::vector<Finding> out;
  HWND frame = dialogs.Get(IDD_WIZARD);
  for (const Placement& p : langcheck::Placements()) {
    HWND dialog = dialogs.Get(p.dialog);
    // A caption is measured in the title bar of its own window.
    HWND captioned = p.dialog == IDD_MTU_FINDER ? dialog : frame;
    HWND control = p.control == 0 ? captioned : GetDlgItem(dialog, p.control);
    if (control == nullptr) {
      out.push_back({langcheck::Rule::kFit, 0,
                     std::string(p.text->key) + ": the program has no control " +
                         std::to_string(p.control) + " on " + langcheck::DialogName(p.dialog)});
      continue;
    }
    const std::string base = file.Text(*p.text);
    Overflow worst;
    std::string worstText;
    for (const std::string& text : langcheck::Renderings(file, p)) {
      const Overflow o = Fit(captioned, control, Wide(text));
      if (o.Any() && (!worst.Any() || o.Size() > worst.Size())) {
        worst = o;
        worstText = text;
      }
    }
    if (!worst.Any()) continue;
    std::string what = std::string(p.text->key) + ": does not fit ";
    what += p.control == 0
                ? std::string("the caption of ") + langcheck::DialogName(p.dialog)
                : "control " + std::to_string(p.control) + " on " + langcheck::DialogName(p.dialog);
    what += " (" + std::to_string(worst.availableWidth) + " px wide";
    if (worst.availableHeight >= 0) what += ", " + std::to_string(worst.availableHeight) + " high";
    what += "):";
    if (worst.width > 0) what += " " + std::to_string(worst.width) + " px too wide";
    if (worst.height > 0) {
      const int lines = (worst.height + worst.lineHeight - 1) / worst.lineHeight;
      what += std::string(worst.width > 0 ? "," : "") + " " + std::to_string(worst.height) +
              " px (" + std::to_string(lines) + (lines == 1 ? " line" : " lines") + ") too tall";
    }
    if (worstText.size() > base.size() && worstText.compare(0, base.size(), base) == 0) {
      what += ", with \"" + Shown(worstText.substr(base.size())) + "\" after it";
    }
    out.push_back({langcheck::Rule::kFit, file.LineOf(p.text->key), what});
  }
  return out;
}

// The picture the language list shows beside the name: <name>.bmp in the same folder.
bool FlagLoads(const std::string& iniPath) {
  if (iniPath.size() < 4) return false;
  const std::string bmp = iniPath.substr(0, iniPath.size() - 4) + ".bmp";
  HANDLE image = LoadImageA(nullptr, bmp.c_str(), IMAGE_BITMAP, 16, 16, LR_LOADFROMFILE);
  if (image == nullptr) return false;
  DeleteObject(image);
  return true;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  int first = 1;
  const bool expectMode = argc > 1 && std::string(argv[1]) == "--expect";
  if (expectMode) ++first;
  if (argc - first < 2) {
    std::printf("usage: lang_check.exe [--expect] Quarnel.exe FILE.ini...\n");
    return 2;
  }
  Dialogs dialogs;
  if (!dialogs.Open(argv[first])) {
    std::printf("0 passed, 1 failed\n");
    return 1;
  }
  int passed = 0;
  int failed = 0;
  for (int i = first + 1; i < argc; ++i) {
    const std::string name = BaseName(argv[i]);
    LanguageFile file;
    if (!file.Load(argv[i])) {
      std::printf("FAIL %s: cannot read %s\n", name.c_str(), argv[i]);
      ++failed;
      continue;
    }
    std::vector<Finding> findings = langcheck::CheckFile(file);
    for (const Finding& f : CheckFits(file, dialogs)) findings.push_back(f);
    std::set<std::string> rules;
    for (const Finding& f : findings) {
      rules.insert(langcheck::RuleName(f.rule));
      std::printf("  %s:%d: [%s] %s\n", name.c_str(), f.line, langcheck::RuleName(f.rule),
                  f.message.c_str());
    }
    const std::vector<std::string> missing = langcheck::MissingKeys(file);
    if (!missing.empty() && !expectMode) {
      std::string list;
      for (const std::string& key : missing) list += " " + key;
      std::printf("  %s: %u texts stay English:%s\n", name.c_str(),
                  static_cast<unsigned>(missing.size()), list.c_str());
    }
    if (!expectMode && !FlagLoads(argv[i])) {
      std::printf(
          "  %s: no flag picture beside it that Windows can load as 16 x 16 (the list "
          "shows the language without one)\n",
          name.c_str());
    }
    bool ok = findings.empty();
    if (expectMode) {
      const std::set<std::string> expected(file.expected().begin(), file.expected().end());
      ok = rules == expected;
      if (!ok) {
        std::string want;
        for (const std::string& r : expected) want += " " + r;
        std::printf("  %s: expected to break only:%s\n", name.c_str(),
                    want.empty() ? " nothing" : want.c_str());
      }
    }
    std::printf("%s %s\n", ok ? "PASS" : "FAIL", name.c_str());
    (ok ? passed : failed)++;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
