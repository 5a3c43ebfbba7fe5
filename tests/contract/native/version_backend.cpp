#include "contract/version_backend.h"

#include "fakes/fixed_version.h"

namespace {
// Windows XP with a service pack: a record with every field in use.
constexpr ExpectedVersion kReported = {kPlatformNt, 5, 1};
}  // namespace

VersionQuery& ContractVersionQuery() {
  static FixedVersion version(kReported.platformId, kReported.majorVersion, kReported.minorVersion,
                              2600, "Service Pack 3");
  return version;
}

bool ContractExpectedVersion(ExpectedVersion* expected) {
  *expected = kReported;
  return true;
}
