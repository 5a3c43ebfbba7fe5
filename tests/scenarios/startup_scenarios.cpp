// Start-up on a Windows version the wizard has no settings for: one error box, then nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "scenarios/driver.h"
#include "scenarios/scenario_support.h"
#include <gtest/gtest.h>

using scenario::Machine;

namespace {

const char* const kRefusal =
    "Failed to detect your Windows version so we can't boost your connection.";

// The refusal box and a machine left as it was: the wizard never came up, nothing was backed
// up or written.
void ExpectRefused(WizardDriver& d, const std::string& text) {
  EXPECT_TRUE(d.Finished());
  const std::vector<SeenMessageBox> boxes = d.MessageBoxesSeen();
  ASSERT_EQ(boxes.size(), std::size_t{1});
  EXPECT_EQ(boxes[0].text, text);
  // Shown without a caption of its own, so the system's "Error" stands there.
  EXPECT_EQ(boxes[0].caption, std::string("Error"));
  if (boxes[0].style != -1) {
    EXPECT_EQ(boxes[0].style, static_cast<int>(kMbOk | kMbIconError));
  }
  Registry& registry = d.registry();
  EXPECT_FALSE(scenario::KeyExists(registry, kHkeyCurrentUser, scenario::kBackupKey));
  std::uint32_t ttl = 0;
  EXPECT_TRUE(
      scenario::ReadDword(registry, kHkeyLocalMachine, scenario::kTcpipNt, "DefaultTTL", &ttl));
  EXPECT_EQ(ttl, 128u);
}

}  // namespace

SCENARIO(unknown_windows_versions_are_refused) {
  // Older than NT 4 and newer than the XP family.
  const char* const versions[] = {"nt351", "vista", "win7"};
  for (const char* version : versions) {
    SCOPED_TRACE(version);
    // The box comes up before the body runs: its answer is queued first.
    d.AnswerNextMessageBox(kIdOk);
    d.Run(Machine(version, {"scenario_nt_machine.reg"}),
          [](WizardDriver& d) { ExpectRefused(d, kRefusal); });
  }
}

SCENARIO(the_refusal_speaks_the_chosen_language) {
  struct Row {
    const char* version;
    const char* entries;
    const char* expected;
  };
  const Row rows[] = {
      {"vista", "79=Windows-Version unbekannt.\r\n", "Windows-Version unbekannt."},
      // A file without the entry leaves the built-in text.
      {"nt351", "20=Weiter >\r\n", kRefusal},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.version);
    WizardSetup setup = Machine(row.version, {"scenario_nt_machine.reg"});
    setup.languageFiles = {{"Test", std::string("[Quarnel]\r\n") + row.entries}};
    setup.language = "Test";
    d.AnswerNextMessageBox(kIdOk);
    d.Run(setup, [&row](WizardDriver& d) { ExpectRefused(d, row.expected); });
  }
}
