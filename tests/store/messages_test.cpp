// The messages after Finish and after Reset.
#include <cstring>
#include <string>
#include <vector>

#include "app/wizard_app.h"
#include "store/store_machine.h"
#include "wizard/messages.h"
#include <gtest/gtest.h>

namespace {

struct Shown {
  WindowRef owner;
  std::string text;
  std::string caption;
  std::uint32_t style;
};

class Boxes : public MessageBoxes {
 public:
  int Show(WindowRef owner, const char* text, const char* caption, std::uint32_t style) override {
    shown.push_back({owner, text, caption ? caption : "(null)", style});
    return kIdOk;
  }
  std::vector<Shown> shown;
};

// A language file that translates only what `entries` holds (key, text).
class Language : public ProfileReader {
 public:
  std::uint32_t ReadString(const char* /*section*/, const char* key, const char* defaultText,
                           char* buffer, std::uint32_t size, const char* /*path*/) override {
    std::string text = defaultText;
    for (const auto& entry : entries)
      if (entry.first == key) text = entry.second;
    if (text.size() >= size) text.resize(size - 1);
    text.copy(buffer, text.size());
    buffer[text.size()] = '\0';
    return static_cast<std::uint32_t>(text.size());
  }
  std::vector<std::pair<std::string, std::string>> entries;
};

class Xp : public VersionQuery {
 public:
  bool Query(OsVersionRecord* record) override {
    record->majorVersion = 5;
    record->minorVersion = 1;
    record->platformId = kPlatformNt;
    return true;
  }
};

struct TestApp {
  Boxes boxes;
  Language language;
  Xp version;
  Platform platform{StoreRegistry(), language, version, boxes, nullptr};
  WizardApp app{platform};
  TestApp() { std::strcpy(app.language, "Deutsch"); }
};

constexpr WindowRef kOwner = 0x1234;

}  // namespace

TEST(Messages, ApplyAndRestoreResults) {
  const std::string congratulation =
      "Congratulation, Ovik Quarnel has boosted your internet connections.\n"
      "Please, restart your computer in order to feel the change.";
  const std::string notAll =
      "Some of your connection settings could not be written, so they were not all changed.\n"
      "On Windows NT, 2000 and XP, log on as an administrator and run Ovik Quarnel again.";
  const std::string reset =
      "Ovik Quarnel has reset your system to the backup settings.\n"
      "Please, restart your computer in order to feel the change.";
  const std::string failed = "Failed to reset your connection settings.";
  struct Row {
    const char* label;
    int which;  // 0 apply, 1 restore
    bool allWritten;
    RestoreOutcome outcome;
    std::string text;
    std::uint32_t style;
  };
  const Row rows[] = {
      {"all written", 0, true, RestoreOutcome::kRestored, congratulation, kMbOk},
      {"not all written", 0, false, RestoreOutcome::kRestored, notAll, kMbOk | kMbIconError},
      {"restored", 1, true, RestoreOutcome::kRestored, reset, kMbOk},
      {"no backup", 1, true, RestoreOutcome::kNoBackup, failed, kMbOk | kMbIconError},
      {"incomplete", 1, true, RestoreOutcome::kIncomplete, failed, kMbOk | kMbIconError},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TestApp a;
    if (row.which == 0) {
      ShowApplyResult(a.app, kOwner, row.allWritten);
    } else {
      ShowRestoreResult(a.app, kOwner, row.outcome);
    }
    ASSERT_EQ(a.boxes.shown.size(), 1u);
    EXPECT_EQ(a.boxes.shown[0].owner, kOwner);
    EXPECT_EQ(a.boxes.shown[0].text, row.text);
    EXPECT_EQ(a.boxes.shown[0].caption, std::string("Quarnel"));
    EXPECT_EQ(a.boxes.shown[0].style, row.style);
  }
}

// The messages are translated, except the restore failure, which stays English.
TEST(Messages, Translated) {
  TestApp a;
  a.language.entries = {{"41", "Fertig.*Neu starten."},
                        {"42", "Zurueckgesetzt."},
                        {"44", "Nicht alles geschrieben."},
                        {"Failed to reset your connection settings.", "Fehler."}};
  ShowApplyResult(a.app, kOwner, true);
  ShowApplyResult(a.app, kOwner, false);
  ShowRestoreResult(a.app, kOwner, RestoreOutcome::kRestored);
  ShowRestoreResult(a.app, kOwner, RestoreOutcome::kIncomplete);
  ASSERT_EQ(a.boxes.shown.size(), 4u);
  EXPECT_EQ(a.boxes.shown[0].text, std::string("Fertig.\nNeu starten."));
  EXPECT_EQ(a.boxes.shown[1].text, std::string("Nicht alles geschrieben."));
  EXPECT_EQ(a.boxes.shown[2].text, std::string("Zurueckgesetzt."));
  EXPECT_EQ(a.boxes.shown[3].text, std::string("Failed to reset your connection settings."));
}
