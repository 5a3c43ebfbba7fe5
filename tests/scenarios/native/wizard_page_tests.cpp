// The frame's set-up and the page pattern's helpers, looked at from inside the headless toolkit
// (what the scenarios can't see: window placement, the system menu, selections, notifications).

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "app/wizard_app.h"
#include "fakes/fixed_version.h"
#include "fakes/headless_toolkit.h"
#include "fakes/ini_profile_reader.h"
#include "fakes/memory_registry.h"
#include "fakes/native_files.h"
#include "fakes/reg_file.h"
#include "fakes/simulated_path.h"
#include "resources/resource.h"
#include "store/program_values.h"
#include "support/check.h"
#include "support/rc_scripts.h"
#include "wizard/wizard_dialog.h"
#include "wizard/page_format.h"
#include "wizard/texts.h"
#include "wizard/wizard_page.h"

namespace {

// A page on the SYN template whose one field the cases give the range they need.
PageField gProbeFields[] = {{IDC_SYN_EDIT, &WizardModel::synAttackProtectEntry,
                             PageField::kFrameworkRange, nullptr, nullptr, 0, 0}};
const PageTable kProbeTable = {IDD_STEP_SYN, IDC_SYN_EDIT,      {},   {}, {}, gProbeFields,
                               {},           PageTable::kNever, false};

class ProbePage : public WizardPage {
 public:
  ProbePage(AppState& app, WizardDialog& frame)
      : WizardPage(app, frame, frame.model, kProbeTable) {}
  using WizardPage::SetFieldNumber;

  void OnCommand(int id, int code) override {
    if (id == IDC_SYN_EDIT && code == kEnChange) ++changes;
    WizardPage::OnCommand(id, code);
  }
  int changes = 0;
};

// One wizard on the headless toolkit, started on an XP machine; `inside` runs in its modal loop.
struct Bench {
  MemoryRegistry registry;
  IniProfileReader profile;
  FixedVersion version{kPlatformNt, 5, 1};
  HeadlessToolkit toolkit{ProgramRc(), ProgramRcIncludeDirs()};
  NativeFileSearch files;
  Platform platform{registry, profile, version, toolkit, &toolkit, &files};
  WizardApp app{platform};

  void Run(const std::function<void()>& inside) {
    REQUIRE(toolkit.ok());
    bool ran = false;
    toolkit.QueueModalDriver([&] {
      ran = true;
      inside();
    });
    app.InitInstance();
    CHECK(ran);
  }
  WindowRef Frame() const { return app.wizard->window(); }
};

}  // namespace

TEST(wizard_frame, initialisation_places_every_page_hidden_at_one_spot) {
  Bench bench;
  bench.Run([&bench] {
    HeadlessToolkit& t = bench.toolkit;
    const WindowRef frame = bench.Frame();
    CHECK_EQ(t.Text(frame), std::string("Ovik Quarnel"));
    CHECK_EQ(t.Icon(frame), IDI_APP);
    const std::vector<HeadlessMenuItem>& menu = t.SystemMenu(frame);
    REQUIRE_EQ(menu.size(), std::size_t{6});
    CHECK_EQ(menu[0].commandId, 0);
    CHECK_EQ(menu[1].commandId, 16);
    CHECK_EQ(menu[1].text, std::string("&About Ovik Quarnel"));
    // Without a backup there is nothing to save.
    CHECK_EQ(menu[3].commandId, IDM_SAVE_BACKUP);
    CHECK(!menu[3].enabled);
    CHECK_EQ(menu[5].text, std::string("Restore Windows &Defaults..."));
    CHECK(!t.IsEnabled(t.Item(frame, IDC_RESET_SETTINGS)));
    CHECK(!t.IsEnabled(t.Item(frame, IDC_Back)));

    const int templates[] = {IDD_STEP_CONNECTION, IDD_STEP_MTU,  IDD_STEP_PATH_MTU,
                             IDD_STEP_RWIN,       IDD_STEP_TTL,  IDD_STEP_KEEPALIVE,
                             IDD_STEP_SYN,        IDD_STEP_ICMP, IDD_STEP_MODEM};
    WindowRef previous = frame;
    for (int id : templates) {
      check::Scope scope("page " + std::to_string(id));
      const WindowRef page = t.DialogByTemplate(id);
      REQUIRE(page != 0);
      CHECK_EQ(t.Parent(page), frame);
      CHECK(!t.IsVisible(page));
      CHECK_EQ(t.Rect(page).x, 200);
      CHECK_EQ(t.Rect(page).y, 11);
      // Made in template order.
      CHECK(page > previous);
      previous = page;
    }
    CHECK(t.IsChecked(t.Item(t.DialogByTemplate(IDD_STEP_CONNECTION), IDC_step2_RADIO_DialUp)));
    // The one-time recommendations are in place before any page shows.
    CHECK_EQ(bench.app.wizard->model.settings.ttl, 64u);
    CHECK_EQ(bench.app.wizard->model.settings.synAttackProtect, 2u);
    CHECK_EQ(bench.app.wizard->model.maxConnectionsPerServerEntry, 20);
    CHECK_EQ(bench.app.wizard->model.keepAliveTimeEntry, 7200000);
  });
}

TEST(wizard_frame, about_entry_opens_the_about_box_whatever_the_low_bits) {
  Bench bench;
  bench.Run([&bench] {
    HeadlessToolkit& t = bench.toolkit;
    for (int command : {16, 16 | 0x3, 16 | 0xF}) {
      check::Scope scope("command " + std::to_string(command));
      const std::size_t before = t.ModalLog().size();
      t.QueueModalDriver([&t] { t.Click(t.Item(t.TopLevel(), IDOK)); });
      t.SystemCommand(bench.Frame(), command);
      REQUIRE_EQ(t.ModalLog().size(), before + 1);
      CHECK_EQ(t.ModalLog().back(), IDD_ABOUT);
      CHECK(t.IsVisible(bench.Frame()));
    }
    // Other system commands are not the About box's.
    const std::size_t before = t.ModalLog().size();
    t.SystemCommand(bench.Frame(), 32);
    CHECK_EQ(t.ModalLog().size(), before);
    CHECK_EQ(t.ModalsEndedByDefault(), 0);
  });
}

// A backup that could not be saved is said before the user changes anything, and going on
// without it is the user's choice (No is the default). The broken backup is gone either way,
// and with it the Reset button.
TEST(wizard_frame, a_backup_that_cannot_be_saved_is_told_before_going_on) {
  const char* const kWarning =
      "Ovik Quarnel could not save your original settings, so 'Reset Connection Settings' could "
      "not bring them back.\nDo you want to go on anyway?";
  for (int answer : {kIdNo, kIdYes}) {
    check::Scope scope(answer == kIdYes ? "Yes" : "No");
    Bench bench;
    for (const char* fixture : {"scenario_nt_machine.reg", "scenario_nt_backup.reg"}) {
      REQUIRE(LoadRegFile(bench.registry, check::FixturePath(fixture)).ok);
    }
    bench.Run([&bench, answer, kWarning] {
      HeadlessToolkit& t = bench.toolkit;
      const WindowRef frame = bench.Frame();
      REQUIRE(t.IsEnabled(t.Item(frame, IDC_RESET_SETTINGS)));
      RegFault refused;
      refused.op = RegOp::kSet;
      refused.keyPattern = "HKEY_CURRENT_USER\\Software\\Ovik Quarnel\\Original Settings";
      refused.valuePattern = "DefaultTTL";
      bench.registry.AddFault(refused);
      t.QueueMessageBoxAnswer(kIdYes);  // "43": replace the old backup
      t.QueueMessageBoxAnswer(answer);
      t.Click(t.Item(frame, IDC_Next));
      bench.registry.ClearFaults();

      REQUIRE_EQ(t.MessageBoxLog().size(), std::size_t{2});
      const HeadlessMessageBox& box = t.MessageBoxLog()[1];
      CHECK_EQ(box.text, std::string(kWarning));
      CHECK_EQ(box.caption, std::string("Quarnel"));
      CHECK_EQ(box.style, kMbYesNo | kMbIconWarning | kMbDefButton2);
      CHECK_EQ(box.owner, frame);
      CHECK(!t.IsEnabled(t.Item(frame, IDC_RESET_SETTINGS)));
      ScopedKey backup(bench.registry);
      CHECK_EQ(backup.Open(kHkeyCurrentUser, "Software\\Ovik Quarnel\\Original Settings"),
               kRegFileNotFound);
      const bool onStep1 = t.IsVisible(t.DialogByTemplate(IDD_STEP_CONNECTION));
      CHECK_EQ(onStep1, answer == kIdYes);
      CHECK_EQ(t.Text(t.Item(frame, IDC_Next)),
               std::string(answer == kIdYes ? "&Next >" : "&Proceed"));
      CHECK_EQ(t.IsVisible(t.Item(frame, IDC_RESET_SETTINGS)), answer == kIdNo);

      // Without a backup, the next Proceed asks nothing about one.
      if (answer == kIdNo) {
        t.Click(t.Item(frame, IDC_Next));
        CHECK_EQ(t.MessageBoxLog().size(), std::size_t{2});
        CHECK(t.IsVisible(t.DialogByTemplate(IDD_STEP_CONNECTION)));
      }
    });
  }
}

// Each way the MTU finder can fail is said in its window, and step 2 keeps what it showed.
TEST(mtu_finder, failures_are_said_and_change_nothing) {
  struct Row {
    const char* host;
    bool answers;
    bool icmp;
    const char* said;
    bool remembered;  // the host is stored once a search ran
  };
  const Row rows[] = {
      {"nowhere.test", true, true,
       "The host nowhere.test is unknown. Check its spelling and the connection to the internet.",
       true},
      {"10.9.2.2", false, true,
       "10.9.2.2 did not answer, not even at the smallest size (576). Try another web site.", true},
      {"10.9.2.2", true, false,
       "This computer cannot send the test packets: ICMP (icmp.dll) is missing.", false},
      {"  ", true, true, "Enter a host name or address first.", false},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.said);
    Bench bench;
    SimulatedPath path;
    path.answers = row.answers;
    path.icmp = row.icmp;
    bench.platform.pinger = &path;
    bench.Run([&] {
      HeadlessToolkit& t = bench.toolkit;
      for (int i = 0; i < 2; ++i) t.Click(t.Item(bench.Frame(), IDC_Next));
      const WindowRef page = t.DialogByTemplate(IDD_STEP_MTU);
      REQUIRE(t.IsVisible(page));
      t.QueueModalDriver([&] {
        const WindowRef finder = t.TopLevel();
        REQUIRE_EQ(t.TemplateOf(finder), IDD_MTU_FINDER);
        t.TypeText(t.Item(finder, IDC_MTU_HOST), row.host);
        t.Click(t.Item(finder, IDC_MTU_START));
        CHECK_EQ(t.Text(t.Item(finder, IDC_MTU_RESULT)), std::string(row.said));
        CHECK(!t.IsEnabled(t.Item(finder, IDC_MTU_USE)));
        CHECK(t.IsEnabled(t.Item(finder, IDC_MTU_START)));
        t.Click(t.Item(finder, IDCANCEL));
      });
      t.Click(t.Item(page, IDC_MTU_FIND));
      CHECK_EQ(t.Text(t.Item(page, IDC_MTU_EDIT)), std::string("576"));
      CHECK_EQ(t.Text(t.Item(page, IDC_MSS_EDIT)), std::string("536"));
      CHECK_EQ(ReadMtuHost(bench.registry), std::string(row.remembered ? row.host : ""));
    });
  }
}

// A backup file that cannot be written is told, and nothing else changes.
TEST(wizard_frame, a_backup_file_that_cannot_be_written_is_told) {
  Bench bench;
  REQUIRE(LoadRegFile(bench.registry, check::FixturePath("scenario_nt_backup.reg")).ok);
  const std::string before = bench.registry.Dump();
  bench.Run([&bench] {
    HeadlessToolkit& t = bench.toolkit;
    CHECK(t.SystemMenu(bench.Frame())[3].enabled);
    t.QueueSaveFileAnswer("Z:\\no such folder\\backup.reg");
    t.QueueMessageBoxAnswer(kIdOk);
    t.SystemCommand(bench.Frame(), IDM_SAVE_BACKUP);
    REQUIRE_EQ(t.MessageBoxLog().size(), std::size_t{1});
    CHECK_EQ(t.MessageBoxLog()[0].text,
             std::string("Ovik Quarnel could not save the backup to this "
                         "file.\nChoose a folder you can write to and "
                         "try again."));
    CHECK_EQ(t.MessageBoxLog()[0].style, kMbOk | kMbIconError);
  });
  CHECK_EQ(bench.registry.Dump(), before);
}

TEST(wizard_page, integer_exchange_messages_and_focus) {
  struct Row {
    const char* text;
    int minimum;
    int maximum;
    bool parses;
    int value;
    const char* message;  // null: accepted
  };
  const Row rows[] = {
      {"12", 0, 255, true, 12, nullptr},
      {" 0 ", 0, 255, true, 0, nullptr},
      {"255", 0, 255, true, 255, nullptr},
      {"256", 0, 255, true, 256, "Please enter an integer between 0 and 255."},
      {"-1", 0, 2, true, -1, "Please enter an integer between 0 and 2."},
      {"-2147483648", -2147483647 - 1, 0, true, -2147483647 - 1, nullptr},
      {"", 0, 255, false, 0, "Please enter an integer."},
      {"12a", 0, 255, false, 0, "Please enter an integer."},
      {"1 2", 0, 255, false, 0, "Please enter an integer."},
      {"-", 0, 255, false, 0, "Please enter an integer."},
      {"2147483648", 0, 255, false, 0, "Please enter an integer."},
  };
  Bench bench;
  bench.toolkit.SetProgramTitle("Tuner");  // started as Tuner.exe: the boxes say so
  // The page outlives the frame's windows, which the toolkit takes down when the loop ends.
  std::unique_ptr<ProbePage> page;
  bench.Run([&] {
    HeadlessToolkit& t = bench.toolkit;
    page.reset(new ProbePage(bench.app, *bench.app.wizard));
    ProbePage& probe = *page;
    std::int32_t& entry = bench.app.wizard->model.synAttackProtectEntry;
    REQUIRE(probe.Create(bench.Frame()));
    const WindowRef field = t.Item(probe.window(), IDC_SYN_EDIT);
    REQUIRE(field != 0);
    t.Show(probe.window(), true);
    for (const Row& row : rows) {
      check::Scope scope(std::string("\"") + row.text + "\"");
      gProbeFields[0].low = row.minimum;
      gProbeFields[0].high = row.maximum;
      entry = 12345;
      t.SetFocus(field);
      t.SetText(field, row.text);
      const std::size_t boxes = t.MessageBoxLog().size();
      // Leaving the field for another control of the wizard runs the exchange.
      t.SetFocus(t.Item(bench.Frame(), IDC_Next));
      // The value typed stays where it was read to, in range or not.
      CHECK_EQ(entry, row.parses ? row.value : 12345);
      if (row.message == nullptr) {
        CHECK_EQ(t.MessageBoxLog().size(), boxes);
        continue;
      }
      REQUIRE_EQ(t.MessageBoxLog().size(), boxes + 1);
      const HeadlessMessageBox& box = t.MessageBoxLog().back();
      CHECK_EQ(box.text, std::string(row.message));
      CHECK_EQ(box.caption, std::string("Tuner"));
      CHECK_EQ(box.style, kMbOk | kMbIconWarning);
      // Back in the field with everything selected, ready to be typed over.
      CHECK_EQ(t.Focus(), field);
      CHECK_EQ(t.SelectionStart(field), std::size_t{0});
      CHECK_EQ(t.SelectionEnd(field), std::string(row.text).size());
    }
  });
}

TEST(wizard_page, setting_a_field_to_its_own_text_sends_no_change) {
  Bench bench;
  std::unique_ptr<ProbePage> page;
  bench.Run([&] {
    page.reset(new ProbePage(bench.app, *bench.app.wizard));
    ProbePage& probe = *page;
    const WindowRef focus = bench.toolkit.Focus();
    REQUIRE(probe.Create(bench.Frame()));
    // A page made hidden leaves the keyboard where it was.
    CHECK_EQ(bench.toolkit.Focus(), focus);
    probe.SetFieldNumber(IDC_SYN_EDIT, 2);
    probe.SetFieldNumber(IDC_SYN_EDIT, 2);
    CHECK_EQ(probe.changes, 1);
    probe.SetFieldNumber(IDC_SYN_EDIT, -2);
    CHECK_EQ(probe.changes, 2);
    CHECK_EQ(bench.toolkit.Text(bench.toolkit.Item(probe.window(), IDC_SYN_EDIT)),
             std::string("-2"));
  });
}

TEST(wizard_page, replace_number_is_plain_text_replacement) {
  struct Row {
    const char* text;
    std::int32_t value;
    const char* expected;
  };
  const Row rows[] = {
      {"Recommended MTU size  :  %d bytes.", 1500, "Recommended MTU size  :  1500 bytes."},
      {"%d then %d", 7, "7 then 7"},
      {"%d%d", 64, "6464"},
      {"no number", 5, "no number"},
      {"%%d", 3, "%3"},
      {"%s %x %n %D %", 9, "%s %x %n %D %"},
      {"%d", -5, "-5"},
      {"%d", -2147483647 - 1, "-2147483648"},
      {"", 1, ""},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.text);
    CHECK_EQ(ReplaceNumber(row.text, row.value), std::string(row.expected));
  }
}

TEST(wizard_page, unsigned_fields_read_zero_for_anything_but_digits) {
  struct Row {
    const char* text;
    std::uint32_t value;
  };
  const Row rows[] = {
      {"1500", 1500},    {"0", 0},  {"007", 7}, {"4294967295", 4294967295u},
      {"4294967296", 0}, {"", 0},   {" 1", 0},  {"1 ", 0},
      {"-1", 0},         {"+1", 0}, {"12x", 0}, {"99999999999999999999", 0},
  };
  for (const Row& row : rows) {
    check::Scope scope(std::string("\"") + row.text + "\"");
    CHECK_EQ(ParseUnsignedOrZero(row.text), row.value);
  }
}

TEST(wizard_page, current_value_sentences) {
  // A translation that looks like format directives must come out as it is written.
  char folder[] = "/tmp/quarnel-page-XXXXXX";
  REQUIRE(mkdtemp(folder) != nullptr);
  const std::string lang = std::string(folder) + "/Lang";
  REQUIRE(mkdir(lang.c_str(), 0700) == 0);
  const std::string file = lang + "/Odd.ini";
  {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    REQUIRE(out != nullptr);
    std::fputs("[Quarnel]\r\n2=%s%n%x\r\n4=%d units\r\n6=on*now\r\n", out);
    std::fclose(out);
  }

  Bench bench;
  struct Row {
    bool odd;  // the odd language file, else English
    std::int32_t found;
    std::uint32_t value;
    bool unit;
    const char* expected;
  };
  const Row rows[] = {
      {false, 1, 1500, true, " was set to 1500 bytes."},
      {false, 1, 0, true, " was set to 0 bytes."},
      {false, 1, 4294967295u, true, " was set to 4294967295 bytes."},
      {false, 1, 20, false, " was set to 20."},
      {false, 0, 1500, true, " isn't set."},
      {true, 1, 7, true, " %s%n%x 7 %d units."},
      {true, 0, 7, true, " isn't set."},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.expected);
    std::strcpy(bench.app.appPath, row.odd ? folder : "");
    std::strcpy(bench.app.language, row.odd ? "Odd" : "");
    CHECK_EQ(FormatCurrentValue(bench.app, row.found, row.value, row.unit ? &text::kBytes : nullptr,
                                text::kWasSetTo),
             std::string(row.expected));
  }
  std::strcpy(bench.app.appPath, "");
  CHECK_EQ(FormatCurrentState(bench.app, 1, 2), std::string(" is currently enabled."));
  CHECK_EQ(FormatCurrentState(bench.app, 1, 0), std::string(" is currently disabled."));
  CHECK_EQ(FormatCurrentState(bench.app, 0, 1), std::string(" isn't set."));
  std::strcpy(bench.app.appPath, folder);
  std::strcpy(bench.app.language, "Odd");
  CHECK_EQ(FormatCurrentState(bench.app, 1, 1), std::string(" on\nnow"));
  // The lead word of another page's sentence.
  CHECK_EQ(FormatCurrentValue(bench.app, 1, 2, nullptr, text::kWasSetToOption),
           std::string(" was set to option 2."));

  std::remove(file.c_str());
  rmdir(lang.c_str());
  rmdir(folder);
}
