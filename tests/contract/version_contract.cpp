// The version query: the record comes back as the system (or the test) reports it, and a record
// whose size field is wrong is refused without being written.
#include <cstdio>
#include <cstring>
#include <string>

#include "contract/version_backend.h"
#include <gtest/gtest.h>

namespace {

constexpr unsigned char kSentinel = 0xAA;

TEST(version, reports_the_expected_version) {
  OsVersionRecord record;
  std::memset(&record, kSentinel, sizeof(record));
  record.size = sizeof(record);
  ASSERT_TRUE(ContractVersionQuery().Query(&record));
  EXPECT_EQ(record.size, 148u);
  // The service-pack text is a terminated string inside its 128 bytes.
  EXPECT_TRUE(std::memchr(record.servicePack, '\0', sizeof(record.servicePack)) != nullptr);
  EXPECT_TRUE(record.platformId == kPlatformWin9x || record.platformId == kPlatformNt);

  ExpectedVersion expected;
  if (!ContractExpectedVersion(&expected)) {
    std::printf("  note: no emulated version set for this program; reported %u.%u platform %u\n",
                static_cast<unsigned>(record.majorVersion),
                static_cast<unsigned>(record.minorVersion),
                static_cast<unsigned>(record.platformId));
    return;
  }
  EXPECT_EQ(record.platformId, expected.platformId);
  EXPECT_EQ(record.majorVersion, expected.majorVersion);
  EXPECT_EQ(record.minorVersion, expected.minorVersion);
}

TEST(version, wrong_size_is_refused_untouched) {
  const std::uint32_t sizes[] = {0, 147, 149, 156};
  for (std::uint32_t size : sizes) {
    SCOPED_TRACE("size " + std::to_string(size));
    OsVersionRecord record;
    std::memset(&record, kSentinel, sizeof(record));
    record.size = size;
    EXPECT_FALSE(ContractVersionQuery().Query(&record));
    EXPECT_EQ(record.size, size);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&record);
    bool untouched = true;
    for (std::size_t i = sizeof(record.size); i < sizeof(record); ++i) {
      if (bytes[i] != kSentinel) untouched = false;
    }
    EXPECT_TRUE(untouched);
  }
}

}  // namespace
