// The Windows version as GetVersionExA reports it.
#pragma once

#include <cstdint>

// The OSVERSIONINFOA layout: 148 bytes.
struct OsVersionRecord {
  std::uint32_t size;
  std::uint32_t majorVersion;
  std::uint32_t minorVersion;
  std::uint32_t buildNumber;
  std::uint32_t platformId;
  char servicePack[128];
};
static_assert(sizeof(OsVersionRecord) == 148, "must match OSVERSIONINFOA");

constexpr std::uint32_t kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr std::uint32_t kPlatformNt = 2;     // VER_PLATFORM_WIN32_NT

class VersionQuery {
 public:
  virtual ~VersionQuery() = default;
  // GetVersionExA: fills `record` (whose size field the caller has set); false on failure.
  virtual bool Query(OsVersionRecord* record) = 0;
};
