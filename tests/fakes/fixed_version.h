// A version query that reports whatever the test put into it.
#pragma once

#include <cstdint>

#include "platform/version_query.h"

class FixedVersion : public VersionQuery {
 public:
  FixedVersion() = default;
  FixedVersion(std::uint32_t platformId, std::uint32_t majorVersion, std::uint32_t minorVersion,
               std::uint32_t buildNumber = 0, const char* servicePack = "");

  // Copies `record` (all but the caller's size field) and answers `succeed`. Like
  // GetVersionExA it refuses, writing nothing, when the size field is not 148.
  bool Query(OsVersionRecord* out) override;

  OsVersionRecord record = {};
  bool succeed = true;
  int calls = 0;
};
