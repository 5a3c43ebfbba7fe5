// The scenarios' native backend: the real start-up, frame and pages on the headless toolkit, the
// in-memory registry filled from the scenario's .reg fixtures, the INI reader on language files
// in a scratch folder, and a fixed Windows version. Each session's body runs inside the wizard's
// modal loop (the headless toolkit calls it from RunModal), so every action has been handled
// when its call returns.
//
// Natively the About box closes again as soon as it is up (a nested modal loop can't hand
// control back to the body); what it showed stays readable through Text() and Visible().

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "app/version.h"
#include "app/wizard_app.h"
#include "fakes/fixed_version.h"
#include "fakes/headless_toolkit.h"
#include "fakes/ini_profile_reader.h"
#include "fakes/memory_registry.h"
#include "fakes/native_files.h"
#include "fakes/simulated_path.h"
#include "fakes/reg_file.h"
#include "store/store_keys.h"
#include "resources/resource.h"
#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include "support/check.h"
#include "support/rc_scripts.h"

namespace {

struct VersionRow {
  const char* name;
  std::uint32_t platformId;
  std::uint32_t major;
  std::uint32_t minor;
};

// What Wine reports for each Windows version setting.
const VersionRow kVersions[] = {
    {"win95", kPlatformWin9x, 4, 0},  {"win98", kPlatformWin9x, 4, 10},
    {"winme", kPlatformWin9x, 4, 90}, {"nt351", kPlatformNt, 3, 51},
    {"nt40", kPlatformNt, 4, 0},      {"win2k", kPlatformNt, 5, 0},
    {"winxp", kPlatformNt, 5, 1},     {"win2003", kPlatformNt, 5, 2},
    {"vista", kPlatformNt, 6, 0},     {"win7", kPlatformNt, 6, 1},
};

bool WriteFile(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

// A folder under /tmp that holds one session's language files and goes with it.
class ScratchFolder {
 public:
  ScratchFolder() = default;
  ~ScratchFolder() { Remove(); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool Make() {
    char pattern[] = "/tmp/quarnel-scenario-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return false;
    path_ = pattern;
    return mkdir((path_ + "/Lang").c_str(), 0700) == 0;
  }
  bool Add(const std::string& relative, const std::string& text) {
    files_.push_back(path_ + "/" + relative);
    return WriteFile(files_.back(), text);
  }
  // The folder as a Windows program sees it through Wine's Z: drive.
  std::string WindowsPath() const {
    std::string path = "Z:" + path_;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
  }
  void Remove() {
    if (path_.empty()) return;
    for (const std::string& file : files_) std::remove(file.c_str());
    rmdir((path_ + "/Lang").c_str());
    rmdir(path_.c_str());
    files_.clear();
    path_.clear();
  }

 private:
  std::string path_;
  std::vector<std::string> files_;
};

bool SetProgramValue(Registry& registry, const char* name, const std::string& text) {
  ScopedKey key(registry);
  if (key.Create(kHkeyCurrentUser, kProgramKey) != kRegOk) return false;
  return registry.SetValue(key.get(), name, kRegSz,
                           reinterpret_cast<const std::uint8_t*>(text.c_str()),
                           static_cast<std::uint32_t>(text.size() + 1)) == kRegOk;
}

class HeadlessDriver : public WizardDriver {
 public:
  ~HeadlessDriver() override {
    EndSession();
    for (const std::string& file : scratchFiles_) std::remove(NativePath(file).c_str());
    if (!earlyAnswers_.empty()) {
      check::Fail(__FILE__, __LINE__,
                  std::to_string(earlyAnswers_.size()) +
                      " message box answer(s) queued for a session that never ran");
    }
  }

  void Run(const WizardSetup& setup, const ScenarioBody& body) override;
  bool Start(const WizardSetup& setup) override {
    Run(setup, [](WizardDriver&) {});
    return true;
  }

  void AnswerNextMessageBox(int button) override {
    // Before Run there is no toolkit yet: the answer waits for the session's start-up.
    if (sessionOpen_) {
      toolkit_->QueueMessageBoxAnswer(button);
    } else {
      earlyAnswers_.push_back(button);
    }
  }

  void Click(int dialog, int id) override {
    WindowRef control = Control(dialog, id);
    if (control != 0) toolkit_->Click(control);
  }
  void Type(int dialog, int id, const std::string& text) override {
    WindowRef edit = Control(dialog, id);
    if (edit == 0 || !Reachable(edit)) return;
    // What Tab into the field would leave: the focus there and its whole text selected, so the
    // first keystroke replaces it. Clearing the field is one Backspace on that selection.
    const std::size_t boxesBefore = toolkit_->MessageBoxLog().size();
    toolkit_->NextDialogControl(edit);
    // A box that came up on the way took the keystrokes' place, as it would have under Wine.
    if (toolkit_->Focus() != edit || toolkit_->MessageBoxLog().size() != boxesBefore) return;
    toolkit_->SetSelection(edit, 0, toolkit_->Text(edit).size());
    toolkit_->TypeText(edit, text.empty() ? std::string("\b") : text);
  }
  // The focus moves as the dialog manager moves it (WM_NEXTDLGCTL), which is how a program or a
  // test reaches a control without the mouse: a push button focused this way is the default
  // one, so Enter presses it.
  void Focus(int dialog, int id) override {
    WindowRef control = Control(dialog, id);
    if (control != 0) toolkit_->NextDialogControl(control);
  }
  void Key(int virtualKey, bool shift) override {
    if (toolkit_ && !Finished()) toolkit_->PressKey(virtualKey, shift);
  }
  void Mnemonic(char letter) override {
    if (toolkit_ && !Finished()) toolkit_->PressMnemonic(letter);
  }
  void ClickMessage(int dialog, int id) override {
    WindowRef button = Control(dialog, id);
    if (button != 0) toolkit_->ClickMessage(button);
  }
  void SystemMenuAbout() override;
  MtuFinderSeen FindMtu(const std::string& host, bool use) override;
  // The simulated path's host, behind a link of 1400.
  std::string MtuPathTarget() override { return path_.host; }
  std::string ReviewChanges() override;
  void SystemMenu(int commandId) override {
    WindowRef frame = DialogWindow(kFrame);
    if (frame == 0 || Finished()) return;
    for (const HeadlessMenuItem& item : toolkit_->SystemMenu(frame)) {
      if (item.commandId == commandId && item.enabled) {
        toolkit_->SystemCommand(frame, commandId);
        return;
      }
    }
  }
  void AnswerNextSaveDialog(const std::string& path) override {
    if (toolkit_) toolkit_->QueueSaveFileAnswer(path);
  }
  std::string ScratchFile(const std::string& name) override {
    const std::string file = "Z:\\tmp\\quarnel-scenario-" + std::to_string(getpid()) + "-" + name;
    std::remove(NativePath(file).c_str());
    scratchFiles_.push_back(file);
    return file;
  }
  bool MergeRegFile(const std::string& path) override {
    return LoadRegFile(registry_, NativePath(path)).ok;
  }
  void CloseBox() override {
    WindowRef frame = DialogWindow(kFrame);
    if (frame != 0) toolkit_->SystemCommand(frame, kScClose);
  }

  std::string Caption() override { return Text(kFrame, 0); }
  std::string Text(int dialog, int id) override {
    if (dialog == IDD_ABOUT) return aboutTexts_.count(id) ? aboutTexts_[id] : std::string();
    WindowRef control = Control(dialog, id);
    return control != 0 ? toolkit_->Text(control) : std::string();
  }
  bool Visible(int dialog, int id) override {
    if (dialog == IDD_ABOUT) return aboutTexts_.count(id) != 0;
    WindowRef control = Control(dialog, id);
    return control != 0 && toolkit_->IsVisible(control);
  }
  bool Enabled(int dialog, int id) override {
    WindowRef control = Control(dialog, id);
    return control != 0 && toolkit_->IsEnabled(control);
  }
  std::vector<ListItem> ListItems(int dialog, int id) override {
    std::vector<ListItem> items;
    WindowRef combo = Control(dialog, id);
    if (combo == 0) return items;
    for (const HeadlessComboItem& item : toolkit_->ComboItems(combo)) {
      items.push_back({item.text, item.image});
    }
    return items;
  }
  int ListSelection(int dialog, int id) override {
    WindowRef combo = Control(dialog, id);
    return combo != 0 ? toolkit_->ComboSelection(combo) : -1;
  }
  bool Checked(int dialog, int id) override {
    WindowRef control = Control(dialog, id);
    return control != 0 && toolkit_->IsChecked(control);
  }
  FocusedControl Focused() override {
    FocusedControl result;
    if (!toolkit_) return result;
    WindowRef focus = toolkit_->Focus();
    if (focus == 0) return result;
    WindowRef dialog = toolkit_->DialogOf(focus);
    result.dialog = toolkit_->TemplateOf(dialog);
    result.id = focus == dialog ? 0 : toolkit_->ItemId(focus);
    return result;
  }
  std::vector<SeenMessageBox> MessageBoxesSeen() override {
    std::vector<SeenMessageBox> seen;
    if (!toolkit_) return seen;
    for (const HeadlessMessageBox& box : toolkit_->MessageBoxLog()) {
      SeenMessageBox s;
      s.text = box.text;
      // What Windows shows for a box without a caption of its own.
      s.caption = box.captionNull ? "Error" : box.caption;
      s.style = static_cast<int>(box.style);
      seen.push_back(s);
    }
    return seen;
  }
  bool Finished() override {
    if (!inSession_) return true;
    WindowRef frame = toolkit_->DialogByTemplate(kFrame);
    return frame == 0 || !toolkit_->IsVisible(frame);
  }
  Registry& registry() override { return registry_; }

 private:
  bool Prepare(const WizardSetup& setup);
  void CheckMessageBoxesAnswered();
  void EndSession();
  WindowRef DialogWindow(int templateId) const {
    return toolkit_ ? toolkit_->DialogByTemplate(templateId) : 0;
  }
  // Visible and enabled, with every window it lies in: what a user can get at.
  bool Reachable(WindowRef control) const {
    for (WindowRef at = control; at != 0; at = toolkit_->Parent(at)) {
      if (!toolkit_->IsEnabled(at)) return false;
    }
    return toolkit_->IsVisible(control);
  }
  WindowRef Control(int dialog, int id) const {
    WindowRef window = DialogWindow(dialog);
    if (window == 0 || id == 0) return window;
    return toolkit_->Item(window, id);
  }

  MemoryRegistry registry_;
  FixedVersion version_;
  IniProfileReader profile_;
  NativeFileSearch files_;
  SimulatedPath path_;
  ScratchFolder scratch_;
  // The application goes before the toolkit its windows live in.
  std::unique_ptr<HeadlessToolkit> toolkit_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<WizardApp> app_;
  std::map<int, std::string> aboutTexts_;
  // Answers queued while no session was open, for the next one's start-up and on.
  std::deque<int> earlyAnswers_;
  std::vector<std::string> scratchFiles_;
  bool inSession_ = false;    // the wizard's modal loop is running
  bool sessionOpen_ = false;  // from Prepare to the end of Run: answers go to the toolkit
};

bool HeadlessDriver::Prepare(const WizardSetup& setup) {
  EndSession();
  if (!setup.keepRegistry) registry_ = MemoryRegistry();
  aboutTexts_.clear();

  const VersionRow* row = nullptr;
  for (const VersionRow& v : kVersions) {
    if (setup.windowsVersion == v.name) row = &v;
  }
  if (row == nullptr) {
    check::Fail(__FILE__, __LINE__, "unknown Windows version " + setup.windowsVersion);
    return false;
  }
  version_ = FixedVersion(row->platformId, row->major, row->minor);
  registry_.SetWin9xStrings(row->platformId == kPlatformWin9x);

  for (const std::string& fixture : setup.regFixtures) {
    if (setup.keepRegistry) break;
    const RegFileResult loaded = LoadRegFile(registry_, check::FixturePath(fixture));
    if (!loaded.ok) {
      check::Fail(__FILE__, __LINE__,
                  fixture + ":" + std::to_string(loaded.line) + ": " + loaded.message);
      return false;
    }
  }
  if (!setup.languageFiles.empty()) {
    if (!scratch_.Make()) {
      check::Fail(__FILE__, __LINE__, "no scratch folder for the language files");
      return false;
    }
    for (const auto& file : setup.languageFiles) {
      if (!scratch_.Add("Lang/" + file.first + ".ini", file.second)) {
        check::Fail(__FILE__, __LINE__, "cannot write language file " + file.first);
        return false;
      }
    }
    for (const std::string& flag : setup.flags) {
      if (!scratch_.Add("Lang/" + flag + ".bmp", scenario::FlagBitmap())) {
        check::Fail(__FILE__, __LINE__, "cannot write flag " + flag);
        return false;
      }
    }
    if (!SetProgramValue(registry_, "AppPath", scratch_.WindowsPath())) {
      check::Fail(__FILE__, __LINE__, "cannot set AppPath");
      return false;
    }
  }
  if (!setup.language.empty() && !SetProgramValue(registry_, "Language", setup.language)) {
    check::Fail(__FILE__, __LINE__, "cannot set Language");
    return false;
  }

  toolkit_ = std::make_unique<HeadlessToolkit>(ProgramRc(), ProgramRcIncludeDirs());
  if (!toolkit_->ok()) {
    check::Fail(__FILE__, __LINE__, "resources: " + toolkit_->error());
    return false;
  }
  for (int answer : earlyAnswers_) toolkit_->QueueMessageBoxAnswer(answer);
  earlyAnswers_.clear();
  toolkit_->SetVersionStrings({{"FileVersion", QUARNEL_VERSION_TEXT},
                               {"LegalCopyright", QUARNEL_COPYRIGHT_TEXT},
                               {"ProductName", "Ovik Quarnel"}});
  path_ = SimulatedPath();
  path_.mtu = 1400;
  platform_.reset(
      new Platform{registry_, profile_, version_, *toolkit_, toolkit_.get(), &files_, &path_});
  app_ = std::make_unique<WizardApp>(*platform_);
  return true;
}

void HeadlessDriver::Run(const WizardSetup& setup, const ScenarioBody& body) {
  if (!Prepare(setup)) {
    earlyAnswers_.clear();
    return;
  }
  sessionOpen_ = true;
  bool bodyRan = false;
  inSession_ = true;
  toolkit_->QueueModalDriver([this, &body, &bodyRan] {
    bodyRan = true;
    body(*this);
  });
  app_->InitInstance();
  inSession_ = false;
  // Start-up refused to run the wizard: the body looks at what it left behind.
  if (!bodyRan) body(*this);
  CheckMessageBoxesAnswered();
  sessionOpen_ = false;
}

void HeadlessDriver::CheckMessageBoxesAnswered() {
  for (const HeadlessMessageBox& box : toolkit_->MessageBoxLog()) {
    if (!box.answered) check::Fail(__FILE__, __LINE__, "message box nobody answered: " + box.text);
  }
  if (toolkit_->PendingSaveFileAnswers() != 0) {
    check::Fail(__FILE__, __LINE__, "a Save dialog answer left over: the dialog did not come");
  }
  if (toolkit_->PendingMessageBoxAnswers() != 0) {
    check::Fail(__FILE__, __LINE__,
                std::to_string(toolkit_->PendingMessageBoxAnswers()) +
                    " message box answer(s) left over: a box did not come");
  }
}

void HeadlessDriver::SystemMenuAbout() {
  WindowRef frame = DialogWindow(kFrame);
  if (frame == 0 || Finished()) return;
  HeadlessToolkit& toolkit = *toolkit_;
  toolkit.QueueModalDriver([this, &toolkit] {
    WindowRef about = toolkit.TopLevel();
    if (toolkit.TemplateOf(about) != IDD_ABOUT) return;
    aboutTexts_[0] = toolkit.Text(about);
    const RcDialog* layout = toolkit.resources().FindDialog(IDD_ABOUT);
    if (layout == nullptr) return;
    for (const RcControl& control : layout->controls) {
      WindowRef item = toolkit.Item(about, control.id);
      if (control.id > 0 && item != 0 && toolkit.IsVisible(item)) {
        aboutTexts_[control.id] = toolkit.Text(item);
      }
    }
    WindowRef ok = toolkit.Item(about, IDOK);
    if (ok != 0) toolkit.Click(ok);
  });
  toolkit.SystemCommand(frame, IDM_ABOUTBOX);
}

// The finder's search runs to its end inside the Start click here (no threads), so the modal
// driver sees its outcome as soon as the click returns.
MtuFinderSeen HeadlessDriver::FindMtu(const std::string& host, bool use) {
  MtuFinderSeen seen;
  if (!toolkit_ || Finished()) return seen;
  HeadlessToolkit& toolkit = *toolkit_;
  toolkit.QueueModalDriver([this, &toolkit, &seen, &host, use] {
    WindowRef finder = toolkit.TopLevel();
    if (toolkit.TemplateOf(finder) != IDD_MTU_FINDER) return;
    seen.opened = true;
    seen.hostShown = Text(IDD_MTU_FINDER, IDC_MTU_HOST);
    Type(IDD_MTU_FINDER, IDC_MTU_HOST, host);
    Click(IDD_MTU_FINDER, IDC_MTU_START);
    seen.progress = Text(IDD_MTU_FINDER, IDC_MTU_PROGRESS);
    seen.result = Text(IDD_MTU_FINDER, IDC_MTU_RESULT);
    seen.useEnabled = Enabled(IDD_MTU_FINDER, IDC_MTU_USE);
    Click(IDD_MTU_FINDER, use ? IDC_MTU_USE : IDCANCEL);
  });
  Click(IDD_STEP_MTU, IDC_MTU_FIND);
  return seen;
}

std::string HeadlessDriver::ReviewChanges() {
  WindowRef button = Control(kFrame, IDC_REVIEW_CHANGES);
  if (button == 0 || Finished() || !Reachable(button)) return std::string();
  HeadlessToolkit& toolkit = *toolkit_;
  std::string lines;
  toolkit.QueueModalDriver([&toolkit, &lines] {
    WindowRef review = toolkit.TopLevel();
    if (toolkit.TemplateOf(review) != IDD_REVIEW) return;
    WindowRef text = toolkit.Item(review, IDC_REVIEW_TEXT);
    lines = toolkit.Text(text);
    // The user can select and copy, but not change what is listed.
    const int refused = toolkit.RefusedKeystrokes();
    toolkit.TypeText(text, "x");
    if (toolkit.RefusedKeystrokes() == refused || toolkit.Text(text) != lines) {
      check::Fail(__FILE__, __LINE__, "the review's text can be changed");
    }
    toolkit.Click(toolkit.Item(review, IDC_REVIEW_CLOSE));
  });
  const int endedByDefault = toolkit.ModalsEndedByDefault();
  toolkit.Click(button);
  if (toolkit.ModalsEndedByDefault() != endedByDefault) {
    check::Fail(__FILE__, __LINE__, "Close left the review open");
  }
  return lines;
}

void HeadlessDriver::EndSession() {
  app_.reset();
  platform_.reset();
  toolkit_.reset();
  scratch_.Remove();
}

// Each registered scenario is a case of its own. The harness takes plain functions, so each
// case index gets a function of its own.
constexpr std::size_t kMaxScenarios = 200;

void RunScenarioAt(std::size_t index) {
  HeadlessDriver driver;
  Scenarios()[index].second(driver);
}

template <std::size_t N>
void ScenarioCase() {
  RunScenarioAt(N);
}

template <std::size_t... I>
constexpr std::array<check::TestFn, sizeof...(I)> MakeCases(std::index_sequence<I...>) {
  return {{&ScenarioCase<I>...}};
}

}  // namespace

int main(int argc, char** argv) {
  static constexpr auto cases = MakeCases(std::make_index_sequence<kMaxScenarios>{});
  const auto& scenarios = Scenarios();
  if (scenarios.size() > cases.size()) {
    std::printf("too many scenarios: %zu, room for %zu\n", scenarios.size(), cases.size());
    return 1;
  }
  for (std::size_t i = 0; i < scenarios.size(); ++i) {
    check::Registrar("scenario", scenarios[i].first, cases[i]);
  }
  return check::RunAll(argc, argv);
}
