// The version query the contract cases run on: a fixed record natively, GetVersionExA under
// Wine, where the expected answer is the Windows version Wine emulates for the test program.
#pragma once

#include <cstdint>

#include "platform/version_query.h"

VersionQuery& ContractVersionQuery();

struct ExpectedVersion {
  std::uint32_t platformId;
  std::uint32_t majorVersion;
  std::uint32_t minorVersion;
};
// False when the backend cannot tell which version to expect.
bool ContractExpectedVersion(ExpectedVersion* expected);
