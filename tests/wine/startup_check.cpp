// Starts Quarnel.exe under the Windows version Wine emulates for it and checks what a user would
// see first: the wizard (versions the program knows) or message "79" and nothing else (versions
// it refuses), by its caption and its Proceed button. Run by startup.sh once per version, and by
// installer.sh on the installed program.
//
//   startup_check wizard|refuse <Quarnel.exe> [--lang]
//
// Without --lang the texts expected are those of the language the program's key names (the
// English defaults when it names none). With --lang the checker points the program's key at a
// language file of its own for the run and puts the key back afterwards.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "process_driver.h"

namespace {

std::string g_mode;
std::string g_program;
bool g_withLanguage = false;

constexpr const char* kProgramKey = "Software\\Ovik Quarnel";
constexpr const char* k79Default =
    "Failed to detect your Windows version so we can't boost your connection.";
constexpr const char* kTitleDefault = "Ovik Quarnel";
// The Proceed button: a text every translation changes, unlike the caption.
constexpr int kProceedId = 1005;
constexpr const char* kProceedKey = "IDC_Next";
constexpr const char* kProceedDefault = "&Proceed";
// The probe language's texts, as the file states them and as the program must show them.
constexpr const char* kProbeName = "Probe";
constexpr const char* kProbeFile =
    "[Quarnel]\r\n"
    "18=Ovik Quarnel (probe)\r\n"
    "79=Unbekannte Windows-Version*Abbruch.\r\n";
constexpr const char* kProbeTitle = "Ovik Quarnel (probe)";
constexpr const char* kProbe79 = "Unbekannte Windows-Version\nAbbruch.";

// The wizard's frame is the dialog with these controls: Proceed, Back, Exit, the language box
// and the introduction.
const std::vector<int> kFrameControls = {1005, 1004, IDCANCEL, 1044, 1007};

constexpr DWORD kAppearMs = 30000;
constexpr DWORD kExitMs = 15000;

// One registry value as it was, to be put back.
struct SavedValue {
  bool present = false;
  DWORD type = 0;
  std::vector<BYTE> data;
};

SavedValue SaveValue(HKEY key, const char* name) {
  SavedValue saved;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &saved.type, nullptr, &size) != ERROR_SUCCESS)
    return saved;
  saved.data.resize(size + 1);
  if (RegQueryValueExA(key, name, nullptr, &saved.type, saved.data.data(), &size) != ERROR_SUCCESS)
    return saved;
  saved.data.resize(size);
  saved.present = true;
  return saved;
}

void RestoreValue(HKEY key, const char* name, const SavedValue& saved) {
  if (saved.present) {
    RegSetValueExA(key, name, 0, saved.type, saved.data.data(),
                   static_cast<DWORD>(saved.data.size()));
  } else {
    RegDeleteValueA(key, name);
  }
}

void SetText(HKEY key, const char* name, const std::string& text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
}

// Points the program's key at a language for as long as it lives, then puts the key back as
// it was (removed again when it did not exist).
class ProgramKeyOverride {
 public:
  ProgramKeyOverride(const std::string& appPath, const std::string& language) {
    HKEY key = nullptr;
    existed_ =
        RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS;
    if (existed_) {
      appPath_ = SaveValue(key, "AppPath");
      language_ = SaveValue(key, "Language");
      RegCloseKey(key);
    }
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
      return;
    SetText(key, "AppPath", appPath);
    SetText(key, "Language", language);
    RegCloseKey(key);
    ok_ = true;
  }
  ~ProgramKeyOverride() {
    if (!existed_) {
      RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey);
      return;
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
      return;
    RestoreValue(key, "AppPath", appPath_);
    RestoreValue(key, "Language", language_);
    RegCloseKey(key);
  }
  ProgramKeyOverride(const ProgramKeyOverride&) = delete;
  ProgramKeyOverride& operator=(const ProgramKeyOverride&) = delete;
  bool ok() const { return ok_; }

 private:
  bool existed_ = false;
  bool ok_ = false;
  SavedValue appPath_;
  SavedValue language_;
};

// An installation folder in the temporary folder holding Lang\Probe.ini; removed when it goes.
class ProbeInstall {
 public:
  ProbeInstall() {
    char temp[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, temp) == 0) return;
    root_ = std::string(temp) + "quarnel-startup-" + std::to_string(GetCurrentProcessId());
    lang_ = root_ + "\\Lang";
    file_ = lang_ + "\\" + kProbeName + ".ini";
    if (!CreateDirectoryA(root_.c_str(), nullptr) || !CreateDirectoryA(lang_.c_str(), nullptr))
      return;
    std::FILE* f = std::fopen(file_.c_str(), "wb");
    if (f == nullptr) return;
    ok_ = std::fputs(kProbeFile, f) >= 0;
    ok_ = std::fclose(f) == 0 && ok_;
  }
  ~ProbeInstall() {
    DeleteFileA(file_.c_str());
    RemoveDirectoryA(lang_.c_str());
    RemoveDirectoryA(root_.c_str());
  }
  ProbeInstall(const ProbeInstall&) = delete;
  ProbeInstall& operator=(const ProbeInstall&) = delete;
  bool ok() const { return ok_; }
  const std::string& root() const { return root_; }

 private:
  std::string root_, lang_, file_;
  bool ok_ = false;
};

// What the program will show for `key`: the entry of the language its key names, or the
// default, with '*' as a line break.
std::string ExpectedText(const char* key, const char* defaultText) {
  char appPath[260] = {};
  char language[260] = {};
  HKEY program = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, KEY_READ, &program) == ERROR_SUCCESS) {
    DWORD size = sizeof(appPath) - 1;
    if (RegQueryValueExA(program, "AppPath", nullptr, nullptr, reinterpret_cast<BYTE*>(appPath),
                         &size) != ERROR_SUCCESS)
      appPath[0] = '\0';
    size = sizeof(language) - 1;
    if (RegQueryValueExA(program, "Language", nullptr, nullptr, reinterpret_cast<BYTE*>(language),
                         &size) != ERROR_SUCCESS)
      language[0] = '\0';
    RegCloseKey(program);
  }
  std::string path = std::string(appPath) + "\\Lang\\" + language + ".ini";
  std::vector<char> text(2000, '\0');
  GetPrivateProfileStringA("Quarnel", key, defaultText, text.data(), 2000, path.c_str());
  std::string result(text.data());
  for (char& c : result) {
    if (c == '*') c = '\n';
  }
  return result;
}

bool HasWizardFrame(DWORD processId) {
  for (HWND window : proc::TopLevelWindows(processId)) {
    if (proc::IsDialog(window) && proc::ChildById(window, 1005) != nullptr) return true;
  }
  return false;
}

void CheckWizard(const std::string& program, const std::string& title, const std::string& proceed) {
  proc::Launched quarnel;
  EXPECT_TRUE(quarnel.Start(program)) << "Quarnel.exe starts";
  HWND frame = proc::WaitForDialog(quarnel, kFrameControls, kAppearMs);
  ASSERT_NE(frame, nullptr) << "the wizard's frame (dialog 102) appears";
  proc::RoundTrip(frame);
  EXPECT_EQ(proc::WaitForMessageBox(quarnel, 0), nullptr) << "no message box beside it";
  const std::string caption = proc::Text(frame);
  EXPECT_EQ(caption, title) << "caption";
  const std::string button = proc::Text(proc::ChildById(frame, kProceedId));
  EXPECT_EQ(button, proceed) << "Proceed button";
  EXPECT_TRUE(proc::PostCommand(frame, IDCANCEL)) << "Exit is pressed";
  EXPECT_TRUE(quarnel.WaitForExit(kExitMs)) << "the process ends after Exit";
}

void CheckRefusal(const std::string& program, const std::string& message) {
  proc::Launched quarnel;
  EXPECT_TRUE(quarnel.Start(program)) << "Quarnel.exe starts";
  HWND box = proc::WaitForMessageBox(quarnel, kAppearMs);
  ASSERT_NE(box, nullptr) << "a message box appears";
  proc::RoundTrip(box);
  const std::string text = proc::MessageBoxText(box);
  EXPECT_EQ(text, message) << "message";
  // A box given no caption of its own shows the system's default.
  const std::string caption = proc::Text(box);
  EXPECT_EQ(caption, "Error") << "caption: the system's default";
  EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the box has no owner window";
  EXPECT_FALSE(HasWizardFrame(quarnel.id())) << "no wizard window";
  EXPECT_TRUE(proc::ClickButton(box, IDOK)) << "OK is clicked";
  EXPECT_TRUE(quarnel.WaitForExit(kExitMs)) << "the process ends after OK";
  EXPECT_FALSE(HasWizardFrame(quarnel.id())) << "no wizard window after OK";
}

}  // namespace

// What the user sees first, for the version and language this run was started for.
TEST(StartupCheck, FirstScreen) {
  const std::string& program = g_program;
  if (g_withLanguage) {
    ProbeInstall install;
    EXPECT_TRUE(install.ok()) << "probe language file written";
    ProgramKeyOverride key(install.root(), kProbeName);
    EXPECT_TRUE(key.ok()) << "program key points at the probe language";
    if (install.ok() && key.ok()) {
      if (g_mode == "wizard")
        CheckWizard(program, kProbeTitle, kProceedDefault);
      else
        CheckRefusal(program, kProbe79);
    }
  } else if (g_mode == "wizard") {
    CheckWizard(program, ExpectedText("18", kTitleDefault),
                ExpectedText(kProceedKey, kProceedDefault));
  } else {
    CheckRefusal(program, ExpectedText("79", k79Default));
  }
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 3) {
    std::printf("usage: startup_check wizard|refuse <Quarnel.exe> [--lang]\n");
    return 2;
  }
  g_mode = argv[1];
  g_program = argv[2];
  g_withLanguage = argc > 3 && std::strcmp(argv[3], "--lang") == 0;
  if (g_mode != "wizard" && g_mode != "refuse") {
    std::printf("unknown mode %s\n", g_mode.c_str());
    return 2;
  }
  if (GetFileAttributesA(g_program.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("%s not found\n", g_program.c_str());
    return 1;
  }
  return RUN_ALL_TESTS();
}
