// Start-up of the application object on an in-memory registry: reading the program's key
// (including values that do not fit or lack a terminator), the refusal of unknown versions, the
// modal run of the wizard, the control lookup and the stored language.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/wizard_app.h"
#include "fakes/fixed_version.h"
#include "fakes/ini_profile_reader.h"
#include "fakes/memory_registry.h"
#include "fakes/native_files.h"
#include "fakes/recorded_message_boxes.h"
#include "fakes/reg_file.h"
#include "store/store_keys.h"
#include <gtest/gtest.h>
#include "wizard/wizard_dialog.h"

namespace {

constexpr const char* k79Default =
    "Failed to detect your Windows version so we can't boost your connection.";

// A toolkit without windows: controls are whatever the test declares, texts are remembered and
// RunModal only notes what it was asked to run.
class FakeToolkit : public Toolkit {
 public:
  struct ModalRun {
    Dialog* dialog;
    int templateId;
    WindowRef owner;
    WizardDialog* wizardAtRun;  // the application's pointer while the dialog runs
  };
  const WizardApp* app = nullptr;  // whose pointer the runs note

  WindowRef AddItem(WindowRef dialog, int id) {
    WindowRef control = next_++;
    items_[{dialog, id}] = control;
    return control;
  }

  int RunModal(Dialog& dialog, int templateId, WindowRef owner) override {
    runs.push_back(ModalRun{&dialog, templateId, owner, app != nullptr ? app->wizard : nullptr});
    return kIdCancelCommand;
  }
  WindowRef CreateChild(Dialog&, int, WindowRef) override { return 0; }
  void EndDialog(WindowRef, int) override {}
  bool DefaultKeyHandling(WindowRef, const KeyEvent&) override { return false; }
  WindowRef Item(WindowRef dialog, int id) override {
    auto it = items_.find({dialog, id});
    return it == items_.end() ? 0 : it->second;
  }
  int ItemId(WindowRef) override { return 0; }
  void SetText(WindowRef window, const std::string& text) override {
    texts[window] = text;
    ++setTextCalls;
  }
  std::string Text(WindowRef window) override { return texts[window]; }
  void Show(WindowRef, bool) override {}
  bool IsVisible(WindowRef) override { return false; }
  void Enable(WindowRef, bool) override {}
  bool IsEnabled(WindowRef) override { return true; }
  void SetCheck(WindowRef, bool) override {}
  bool IsChecked(WindowRef) override { return false; }
  void SetFocus(WindowRef) override {}
  WindowRef Focus() override { return 0; }
  void SelectAllText(WindowRef) override {}
  void MoveCaretToEnd(WindowRef) override {}
  bool IsChild(WindowRef, WindowRef) override { return false; }
  void MoveTo(WindowRef, int, int) override {}
  std::string LoadResourceString(int) override { return std::string(); }
  void AppendSystemMenuItem(WindowRef, int, const std::string&) override {}
  void EnableSystemMenuItem(WindowRef, int, bool) override {}
  void SetSystemMenuItemText(WindowRef, int, const std::string&) override {}
  bool AskSaveFileName(WindowRef, const std::string&, const std::string&, std::string*) override {
    return false;
  }
  void SetIcon(WindowRef, int) override {}
  bool ProgramVersionString(const std::string&, std::string*) override { return false; }
  std::string ProgramTitle() override { return "Quarnel"; }
  void AttachImageList(WindowRef) override {}
  int AddImageFromFile(WindowRef, const std::string&) override { return -1; }
  int InsertComboItem(WindowRef, int, const std::string&, int) override { return -1; }
  int ComboCount(WindowRef) override { return 0; }
  std::string ComboItemText(WindowRef, int) override { return std::string(); }
  int ComboSelection(WindowRef) override { return -1; }
  void SelectComboItem(WindowRef, int) override {}

  std::vector<ModalRun> runs;
  std::map<WindowRef, std::string> texts;
  int setTextCalls = 0;

 private:
  std::map<std::pair<WindowRef, int>, WindowRef> items_;
  WindowRef next_ = 0x100;
};

// Everything a WizardApp needs, with Windows XP reported unless a case says otherwise.
struct Machine {
  explicit Machine(FixedVersion v = FixedVersion(kPlatformNt, 5, 1)) : version(v) {}

  // Writes a value into the program's key, creating the key.
  void SetProgramValue(const char* name, std::uint32_t type, const std::string& bytes) {
    ScopedKey key(registry);
    ASSERT_TRUE(key.Create(kHkeyCurrentUser, kProgramKey) == kRegOk);
    EXPECT_TRUE(registry.SetValue(key.get(), name, type,
                                  reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                  static_cast<std::uint32_t>(bytes.size())) == kRegOk);
  }
  void SetProgramText(const char* name, const std::string& text) {
    SetProgramValue(name, kRegSz, text + std::string(1, '\0'));
  }
  bool ReadProgramValue(const char* name, std::uint32_t* type, std::string* bytes) {
    ScopedKey key(registry);
    if (key.Open(kHkeyCurrentUser, kProgramKey) != kRegOk) return false;
    std::uint8_t data[600];
    std::uint32_t size = sizeof(data);
    if (registry.QueryValue(key.get(), name, type, data, &size) != kRegOk) return false;
    bytes->assign(reinterpret_cast<const char*>(data), size);
    return true;
  }

  MemoryRegistry registry;
  IniProfileReader reader;
  FixedVersion version;
  RecordedMessageBoxes messages;
  FakeToolkit toolkit;
  Platform platform{registry, reader, version, messages, &toolkit};
};

std::string Bytes(const char* data, std::size_t size) { return std::string(data, size); }

TEST(startup, program_key_values) {
  struct Row {
    const char* label;
    bool createKey;
    std::uint32_t type;
    std::string appPath;  // the stored bytes, exactly
    std::string expected;
  };
  const std::string path259(259, 'a');
  const std::string path260(260, 'b');
  const Row rows[] = {
      {"no key", false, kRegSz, "", ""},
      {"plain text", true, kRegSz, Bytes("C:\\Q\0", 5), "C:\\Q"},
      // 260 bytes or more never count, terminator or not: one rule for every 260-byte buffer.
      {"258 characters and terminator", true, kRegSz, path259.substr(1) + '\0', path259.substr(1)},
      {"259 characters and terminator", true, kRegSz, path259 + '\0', ""},
      {"260 characters and terminator", true, kRegSz, path260 + '\0', ""},
      {"260 bytes, no terminator", true, kRegBinary, path260, ""},
      {"259 bytes, no terminator", true, kRegBinary, path259, path259},
      {"short, no terminator", true, kRegBinary, "C:\\Qx", "C:\\Qx"},
      {"NUL inside, no terminator", true, kRegBinary, Bytes("ab\0cd", 5), "ab"},
      {"260 bytes, NUL inside", true, kRegBinary, "ab" + std::string(1, '\0') + path260.substr(3),
       ""},
      {"empty value", true, kRegSz, "", ""},
      {"type not looked at", true, kRegDword, Bytes("C:\\\0", 4), "C:\\"},
      {"far too long", true, kRegSz, std::string(5000, 'c') + '\0', ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Machine m;
    if (row.createKey) {
      m.SetProgramValue("AppPath", row.type, row.appPath);
      m.SetProgramText("Language", "Deutsch");
    }
    WizardApp app(m.platform);
    // Garbage in the buffers shows any text that is not terminated where it should be.
    std::memset(app.appPath, 'Z', sizeof(app.appPath));
    std::memset(app.language, 'Z', sizeof(app.language));
    app.InitInstance();
    EXPECT_TRUE(std::memchr(app.appPath, '\0', sizeof(app.appPath)) != nullptr);
    EXPECT_EQ(std::string(app.appPath), row.expected);
    EXPECT_EQ(std::string(app.language), std::string(row.createKey ? "Deutsch" : ""));
    EXPECT_EQ(m.registry.OpenHandleCount(), 0);
    // The wizard still runs: a missing or unusable value is not an error.
    EXPECT_EQ(m.toolkit.runs.size(), std::size_t{1});
    EXPECT_TRUE(m.messages.shown().empty());
  }
}

TEST(startup, language_value_that_does_not_fit) {
  Machine m;
  m.SetProgramText("AppPath", "C:\\Q");
  m.SetProgramValue("Language", kRegBinary, std::string(260, 'L'));
  WizardApp app(m.platform);
  std::memset(app.language, 'Z', sizeof(app.language));
  app.InitInstance();
  EXPECT_EQ(std::string(app.appPath), std::string("C:\\Q"));
  EXPECT_EQ(std::string(app.language), std::string());
  EXPECT_TRUE(app.wizard != nullptr);
  EXPECT_EQ(app.osFamily, kOsFamilyNt);
  EXPECT_EQ(app.modemBoostAvailable, 0);
}

TEST(startup, failed_reads_leave_buffers_empty) {
  Machine m;
  m.SetProgramText("AppPath", "C:\\Q");
  m.SetProgramText("Language", "Deutsch");
  m.registry.FailNext(RegOp::kQuery, "*", kRegAccessDenied, 1);
  WizardApp app(m.platform);
  app.InitInstance();
  EXPECT_EQ(std::string(app.appPath), std::string());
  EXPECT_EQ(std::string(app.language), std::string("Deutsch"));

  Machine closed;
  closed.SetProgramText("AppPath", "C:\\Q");
  closed.registry.FailNext(RegOp::kOpen, "*", kRegAccessDenied, 1);
  WizardApp other(closed.platform);
  other.InitInstance();
  EXPECT_EQ(std::string(other.appPath), std::string());
  EXPECT_EQ(closed.toolkit.runs.size(), std::size_t{1});
}

TEST(startup, known_version_runs_the_wizard_modally) {
  Machine m;
  WizardApp app(m.platform);
  m.toolkit.app = &app;
  app.InitInstance();
  ASSERT_EQ(m.toolkit.runs.size(), std::size_t{1});
  const FakeToolkit::ModalRun& run = m.toolkit.runs[0];
  EXPECT_EQ(run.templateId, 102);
  EXPECT_EQ(run.owner, WindowRef{0});
  EXPECT_TRUE(run.wizardAtRun != nullptr);
  EXPECT_TRUE(run.dialog == run.wizardAtRun);
  EXPECT_TRUE(app.wizard == run.wizardAtRun);
  EXPECT_TRUE(m.messages.shown().empty());
}

TEST(startup, refusal_shows_79) {
  Machine m(FixedVersion(kPlatformNt, 3, 51));
  WizardApp app(m.platform);
  app.InitInstance();
  EXPECT_TRUE(m.toolkit.runs.empty());
  EXPECT_TRUE(app.wizard == nullptr);
  ASSERT_EQ(m.messages.shown().size(), std::size_t{1});
  const RecordedMessageBoxes::Shown& box = m.messages.shown()[0];
  EXPECT_EQ(box.owner, WindowRef{0});
  EXPECT_TRUE(box.hasText);
  EXPECT_EQ(box.text, std::string(k79Default));
  EXPECT_FALSE(box.hasCaption);
  EXPECT_EQ(box.style, 16u);
}

TEST(startup, refusal_in_the_stored_language) {
  const std::string root = "/tmp/quarnel-startup-" + std::to_string(getpid());
  const std::string lang = root + "/Lang";
  const std::string file = lang + "/Deutsch.ini";
  ASSERT_TRUE(mkdir(root.c_str(), 0700) == 0);
  ASSERT_TRUE(mkdir(lang.c_str(), 0700) == 0);
  std::FILE* f = std::fopen(file.c_str(), "wb");
  ASSERT_TRUE(f != nullptr);
  std::fputs("[Quarnel]\r\n79=Windows-Version %s unbekannt.*Abbruch.\r\n", f);
  std::fclose(f);

  Machine m(FixedVersion(kPlatformWin9x, 4, 3));
  m.SetProgramText("AppPath", root);
  m.SetProgramText("Language", "Deutsch");
  WizardApp app(m.platform);
  app.InitInstance();
  std::remove(file.c_str());
  rmdir(lang.c_str());
  rmdir(root.c_str());
  ASSERT_EQ(m.messages.shown().size(), std::size_t{1});
  EXPECT_EQ(m.messages.shown()[0].text, std::string("Windows-Version %s unbekannt.\nAbbruch."));
  EXPECT_TRUE(m.toolkit.runs.empty());
}

TEST(startup, no_toolkit_decides_the_family_only) {
  Machine m(FixedVersion(kPlatformWin9x, 4, 10));
  Platform headless{m.registry, m.reader, m.version, m.messages, nullptr};
  WizardApp app(headless);
  app.InitInstance();
  EXPECT_EQ(app.osFamily, kOsFamily9x);
  EXPECT_TRUE(app.wizard == nullptr);
}

TEST(startup, translate_control) {
  Machine m;
  WizardApp app(m.platform);
  const WindowRef dialog = 0x42;
  const WindowRef button = m.toolkit.AddItem(dialog, 1005);
  app.TranslateControl(dialog, 1005, "IDC_Next", "&Proceed*now");
  EXPECT_EQ(m.toolkit.texts[button], std::string("&Proceed\nnow"));
  EXPECT_EQ(m.toolkit.setTextCalls, 1);
  // An id the window does not have is ignored.
  app.TranslateControl(dialog, 9999, "IDC_Next", "&Proceed");
  app.TranslateControl(0x43, 1005, "IDC_Next", "&Proceed");
  EXPECT_EQ(m.toolkit.setTextCalls, 1);
  EXPECT_EQ(app.Translate("10", "Finish"), std::string("Finish"));

  Platform headless{m.registry, m.reader, m.version, m.messages, nullptr};
  WizardApp noWindows(headless);
  noWindows.TranslateControl(dialog, 1005, "IDC_Next", "&Proceed");
  EXPECT_EQ(m.toolkit.setTextCalls, 1);
}

TEST(startup, save_language) {
  Machine m;
  m.SetProgramText("AppPath", "C:\\Q");
  WizardApp app(m.platform);
  app.SaveLanguage(
      "Fran\xE7"
      "ais");
  std::uint32_t type = 0;
  std::string bytes;
  ASSERT_TRUE(m.ReadProgramValue("Language", &type, &bytes));
  EXPECT_EQ(type, kRegSz);
  EXPECT_EQ(bytes, Bytes("Fran\xE7"
                         "ais\0",
                         9));
  app.SaveLanguage("");
  ASSERT_TRUE(m.ReadProgramValue("Language", &type, &bytes));
  EXPECT_EQ(bytes, Bytes("\0", 1));
  EXPECT_EQ(m.registry.OpenHandleCount(), 0);
}

TEST(startup, save_language_without_program_key_writes_nothing) {
  Machine m;
  WizardApp app(m.platform);
  app.SaveLanguage("Deutsch");
  EXPECT_FALSE(m.registry.KeyExists("HKEY_CURRENT_USER\\Software\\Ovik Quarnel"));
  EXPECT_EQ(m.registry.OpenHandleCount(), 0);
}

}  // namespace

namespace {

TEST(startup, recorded_message_boxes) {
  RecordedMessageBoxes boxes;
  struct Row {
    std::uint32_t style;
    int answer;
  };
  // Unanswered boxes get their first button.
  const Row rows[] = {{kMbOk | kMbIconError, kIdOk}, {0x1, kIdOk}, {0x2, 3},        {0x3, kIdYes},
                      {kMbYesNo | 0x20, kIdYes},     {0x5, 4},     {0x6, kIdCancel}};
  for (const Row& row : rows) {
    SCOPED_TRACE("style " + std::to_string(row.style));
    EXPECT_EQ(boxes.Show(0, "t", nullptr, row.style), row.answer);
  }
  boxes.Clear();
  boxes.QueueAnswer(kIdNo);
  EXPECT_EQ(boxes.Show(0x10, "question", "", kMbYesNo), kIdNo);
  EXPECT_EQ(boxes.Show(0, nullptr, "Quarnel", kMbOk), kIdOk);
  ASSERT_EQ(boxes.shown().size(), std::size_t{2});
  EXPECT_EQ(boxes.shown()[0].owner, WindowRef{0x10});
  EXPECT_TRUE(boxes.shown()[0].hasCaption);
  EXPECT_EQ(boxes.shown()[0].caption, std::string());
  EXPECT_EQ(boxes.shown()[0].answer, kIdNo);
  EXPECT_FALSE(boxes.shown()[1].hasText);
  EXPECT_EQ(boxes.shown()[1].caption, std::string("Quarnel"));
  EXPECT_EQ(boxes.PendingAnswers(), std::size_t{0});
}

}  // namespace

namespace {

std::string ReadFile(const std::string& path) {
  std::string bytes;
  if (std::FILE* in = std::fopen(path.c_str(), "rb")) {
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) bytes.append(chunk, n);
    std::fclose(in);
  }
  return bytes;
}

// The command line on a fixture machine: profile lines -> exit code, what the registry holds
// after it (as lines of its .reg dump) and what the log says. A run that ends in 0 is rolled back
// with /restore, which must give the machine back byte for byte.
TEST(startup, command_line) {
  struct Row {
    const char* label;
    bool nt;
    const char* args;  // %P: the profile's path, %L: the log's (quoted: the folder has blanks)
    const char* profile;
    int code;
    const char* dumpHas;  // lines of the dump after it, '|' between them
    const char* logHas;
    const char* refusedValue;  // every write of this TCP/IP value fails
  };
  const Row rows[] = {
      {"DSL, all recommended", true, "/apply %P /log %L", "ConnectionType=DSL", 0,
       "\"TcpWindowSize\"=dword:0003e640|\"SYNAttackProtect\"=dword:00000002|"
       "\"MaxConnectionsPerServer\"=dword:00000014",
       "outcome 0: done", nullptr},
      {"dash, any case, quoted path", true, "-APPLY %P -Log %L",
       "ConnectionType=lan\nMSS=1000\nEnablePMTUDiscovery=1", 0,
       "\"TcpWindowSize\"=dword:0002af80|\"EnablePMTUDiscovery\"=dword:00000001",
       "written HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters  "
       "DefaultTTL = 64",
       nullptr},
      {"dial-up multiplier, fallbacks", true, "/apply %P /log %L",
       "ConnectionType=DialUp ; a comment\nMultiplier=10\nMaxConnectionsPerServer=1\n"
       "KeepAliveTime=0\nPMTUBlackHoleDetect=1\nEnableICMPRedirect=1",
       0,
       "\"TcpWindowSize\"=dword:000053c0|\"EnablePMTUBHDetect\"=dword:00000001|"
       "\"KeepAliveTime\"=dword:006ddd00",
       "recommended MaxConnectionsPerServer=20 instead of 1", nullptr},
      {"9x ignores NT-only keys", false, "/apply %P /log %L",
       "ConnectionType=Cable\nSynAttackProtect=3\nTTL=128", 0, "\"DefaultTTL\"=\"128\"",
       "ignored SynAttackProtect", nullptr},
      {"TTL out of range", true, "/apply %P /log %L", "TTL=300", 2, "",
       "[Profile] TTL=300: Please enter an integer between 1 and 255.", nullptr},
      {"TTL not a number", true, "/apply %P /log %L", "TTL=6x", 2, "", "TTL=6x", nullptr},
      {"SYN level 3", true, "/apply %P /log %L", "SynAttackProtect=3", 2, "", "SynAttackProtect",
       nullptr},
      {"receive window too small", true, "/apply %P /log %L", "Multiplier=0", 2, "",
       "Valid range of RWIN is from MSS to 1073741823.", nullptr},
      {"unknown connection type", true, "/apply %P /log %L", "ConnectionType=ISDN", 2, "",
       "ConnectionType=ISDN", nullptr},
      {"check box neither 0 nor 1", true, "/apply %P /log %L", "PMTUDiscovery=2", 2, "",
       "PMTUDiscovery=2", nullptr},
      {"unknown switch", true, "/apply %P /fast /log %L", "", 2, "", "unknown switch /fast",
       nullptr},
      {"path missing", true, "/apply /log %L", "", 2, "", "/apply needs a file name", nullptr},
      {"two actions", true, "/restore /apply %P /log %L", "", 2, "", "at a time", nullptr},
      {"no such profile", true, "/apply %P.missing /log %L", "", 2, "", "no such file", nullptr},
      {"restore without backup", true, "/restore /log %L", "", 1, "", "outcome 1: nothing to do",
       nullptr},
      {"Windows NT 3.51", true, "/restore /log %L", "", 4, "", k79Default, nullptr},
      {"usage", true, "/?", "", 0, "", nullptr, nullptr},
      {"review", true, "/review %P /log %L", "ConnectionType=LAN\nTTL=128", 0, "",
       "Tcpip\\Parameters  DefaultTTL  128  unchanged", nullptr},
      {"Windows' defaults", true, "/defaults /log %L", "", 0,
       "[HKEY_CURRENT_USER\\Software\\Ovik Quarnel\\Original Settings]",
       "deleted HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters  "
       "DefaultTTL",
       nullptr},
      {"no [Profile] section", true, "/apply %P /log %L", "[Profil]\nTTL=64", 2, "",
       "no key of [Profile]", nullptr},
      {"registry refuses a value", true, "/apply %P /log %L", "TTL=64", 3,
       "[HKEY_CURRENT_USER\\Software\\Ovik Quarnel\\Original Settings]|"
       "\"KeepAliveTime\"=dword:006ddd00",
       "refused HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Tcpip\\Parameters  "
       "DefaultTTL (error 5)",
       "DefaultTTL"},
  };
  const std::string dir = "/tmp/quarnel cmdline " + std::to_string(getpid());
  ASSERT_TRUE(mkdir(dir.c_str(), 0700) == 0);
  const std::string profile = dir + "/profile.ini";
  const std::string logFile = dir + "/log.txt";
  const auto expand = [&](std::string text) {
    for (std::size_t at; (at = text.find("%P")) != std::string::npos;)
      text.replace(at, 2, "\"Z:" + profile + '"');
    for (std::size_t at; (at = text.find("%L")) != std::string::npos;)
      text.replace(at, 2, "\"Z:" + logFile + '"');
    return text;
  };
  NativeTextFiles files;
  NativeFileSearch search;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    Machine m(std::string(row.label) == "Windows NT 3.51" ? FixedVersion(kPlatformNt, 3, 51)
              : row.nt                                    ? FixedVersion(kPlatformNt, 5, 1)
                                                          : FixedVersion(kPlatformWin9x, 4, 10));
    m.platform.textFiles = &files;
    m.platform.files = &search;
    m.registry.SetWin9xStrings(!row.nt);
    ASSERT_TRUE(LoadRegFile(m.registry,
                            std::string(QUARNEL_FIXTURE_DIR) +
                                (row.nt ? "/scenario_nt_machine.reg" : "/scenario_9x_machine.reg"))
                    .ok);
    m.SetProgramText("AppPath", "C:\\Q");  // installed: the backup's parent key is there
    std::FILE* f = std::fopen(profile.c_str(), "wb");
    ASSERT_TRUE(f != nullptr);
    std::fprintf(f, "[Profile]\n%s\n", row.profile);
    std::fclose(f);
    std::remove(logFile.c_str());
    const std::string before = m.registry.Dump();
    if (row.refusedValue != nullptr) {
      RegFault fault;
      fault.op = RegOp::kSet;
      fault.keyPattern = "*\\Parameters";  // not the backup's copy
      fault.valuePattern = row.refusedValue;
      fault.count = -1;
      m.registry.AddFault(fault);
    }

    WizardApp app(m.platform);
    EXPECT_EQ(RunCommandLine(app, expand(row.args).c_str()), row.code);
    const std::string after = m.registry.Dump();
    for (std::string lines = row.dumpHas; !lines.empty();) {
      const std::size_t bar = lines.find('|');
      EXPECT_TRUE(after.find(lines.substr(0, bar)) != std::string::npos);
      lines = bar == std::string::npos ? "" : lines.substr(bar + 1);
    }
    if (*row.dumpHas == '\0') {
      EXPECT_EQ(after, before);
    }
    const std::string log = ReadFile(logFile);
    if (row.logHas != nullptr) {
      EXPECT_TRUE(log.find(row.logHas) != std::string::npos);
    }
    EXPECT_EQ(m.messages.shown().size(), std::size_t{row.logHas == nullptr ? 1u : 0u});
    EXPECT_EQ(m.registry.OpenHandleCount(), 0);
    if (row.code == 0 && *row.dumpHas != '\0') {
      WizardApp again(m.platform);
      EXPECT_EQ(RunCommandLine(again, ("/export " + expand("%P.reg")).c_str()), 0);
      EXPECT_TRUE(ReadFile(profile + ".reg").find("\"DefaultTTL\"=") != std::string::npos);
      EXPECT_EQ(RunCommandLine(again, "/export Z:\\no\\such\\folder\\x.reg"), 2);
      EXPECT_EQ(RunCommandLine(again, "/restore"), 0);
      EXPECT_EQ(m.registry.Dump(), before);
      EXPECT_EQ(RunCommandLine(again, ("/export " + expand("%P.reg")).c_str()), 1);
      std::remove((profile + ".reg").c_str());
    }
  }
  std::remove(profile.c_str());
  std::remove(logFile.c_str());
  rmdir(dir.c_str());
}

}  // namespace
