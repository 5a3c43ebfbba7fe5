// The version predicates and the family start-up derives from them, over the versions Windows
// has reported, and what happens when the version cannot be read at all.
#include <cstring>
#include <string>

#include "app/wizard_app.h"
#include "fakes/fixed_version.h"
#include "fakes/ini_profile_reader.h"
#include "fakes/memory_registry.h"
#include "fakes/recorded_message_boxes.h"
#include <gtest/gtest.h>

namespace {

constexpr unsigned k95 = 1;
constexpr unsigned k98 = 2;
constexpr unsigned kMe = 4;
constexpr unsigned k2000 = 8;
constexpr unsigned kXp = 16;
constexpr unsigned kNt4 = 32;

constexpr OsFamily kRefused = -1;

struct Row {
  const char* label;
  std::uint32_t platformId;
  std::uint32_t major;
  std::uint32_t minor;
  std::uint32_t build;
  const char* servicePack;
  unsigned predicates;
  OsFamily family;
};

const Row kRows[] = {
    {"Windows 95", 1, 4, 0, 950, "", k95, kOsFamily9x},
    {"Windows 95 OSR2", 1, 4, 0, 1111, " B", k95, kOsFamily9x},
    {"Windows 98", 1, 4, 10, 1998, "", k98, kOsFamily9x},
    {"Windows 98 SE", 1, 4, 10, 2222, " A ", k98, kOsFamily9x},
    {"Windows Me", 1, 4, 90, 3000, " ", kMe, kOsFamily9x},
    {"9x minor 3 (unknown)", 1, 4, 3, 0, "", 0, kRefused},
    {"9x predicates ignore the major", 1, 7, 10, 0, "", k98, kOsFamily9x},
    {"NT 3.51", 2, 3, 51, 1057, "Service Pack 5", 0, kRefused},
    {"NT 4.0", 2, 4, 0, 1381, "", kNt4, kOsFamilyNt},
    {"NT 4.0 SP6a", 2, 4, 0, 1381, "Service Pack 6a", kNt4, kOsFamilyNt},
    {"NT 4.x any minor", 2, 4, 7, 0, "", kNt4, kOsFamilyNt},
    {"Windows 2000", 2, 5, 0, 2195, "Service Pack 4", k2000, kOsFamilyNt},
    {"Windows XP", 2, 5, 1, 2600, "Service Pack 3", kXp, kOsFamilyNt},
    {"Server 2003 (5.2)", 2, 5, 2, 3790, "", kXp, kOsFamilyNt},
    {"Vista (6.0)", 2, 6, 0, 6000, "", 0, kRefused},
    {"Windows 7 (6.1)", 2, 6, 1, 7601, "", 0, kRefused},
    {"Windows 10", 2, 10, 0, 19045, "", 0, kRefused},
    {"Win32s (platform 0)", 0, 3, 10, 0, "", 0, kRefused},
    {"CE (platform 3)", 3, 4, 0, 0, "", 0, kRefused},
    {"platform 3 like 98", 3, 4, 10, 0, "", 0, kRefused},
    {"all zeros", 0, 0, 0, 0, "", 0, kRefused},
};

unsigned PredicatesOf(const OsVersionInfo& v) {
  return (v.IsWindows95() ? k95 : 0u) | (v.IsWindows98() ? k98 : 0u) |
         (v.IsWindowsMe() ? kMe : 0u) | (v.IsWindows2000() ? k2000 : 0u) |
         (v.IsWindowsXp() ? kXp : 0u) | (v.IsWindowsNt4() ? kNt4 : 0u);
}

TEST(os_version, predicates_and_family) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.label);
    MemoryRegistry registry;
    IniProfileReader reader;
    FixedVersion version(row.platformId, row.major, row.minor, row.build, row.servicePack);
    RecordedMessageBoxes messages;
    Platform platform{registry, reader, version, messages, nullptr};
    WizardApp app(platform);
    EXPECT_EQ(version.calls, 1);
    EXPECT_EQ(app.osVersion.info.size, 148u);
    EXPECT_EQ(PredicatesOf(app.osVersion), row.predicates);
    app.InitInstance();
    EXPECT_EQ(app.osFamily, row.family);
    EXPECT_EQ(messages.shown().size(), std::size_t{row.family == kRefused ? 1u : 0u});
  }
}

// A query that fails leaves nothing a predicate could match, whatever it wrote before failing.
class BrokenQuery : public VersionQuery {
 public:
  bool Query(OsVersionRecord* record) override {
    record->platformId = kPlatformNt;
    record->majorVersion = 5;
    record->minorVersion = 1;
    return false;
  }
};

TEST(os_version, failed_query_is_refused) {
  BrokenQuery broken;
  OsVersionInfo info(broken);
  EXPECT_EQ(info.info.size, 148u);
  EXPECT_EQ(PredicatesOf(info), 0u);

  FixedVersion failing(kPlatformNt, 5, 1);
  failing.succeed = false;
  MemoryRegistry registry;
  IniProfileReader reader;
  RecordedMessageBoxes messages;
  Platform platform{registry, reader, failing, messages, nullptr};
  WizardApp app(platform);
  app.InitInstance();
  ASSERT_EQ(messages.shown().size(), std::size_t{1});
  EXPECT_EQ(messages.shown()[0].style, 16u);
}

}  // namespace
