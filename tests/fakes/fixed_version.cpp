#include "fakes/fixed_version.h"

#include <cstring>

FixedVersion::FixedVersion(std::uint32_t platformId, std::uint32_t majorVersion,
                           std::uint32_t minorVersion, std::uint32_t buildNumber,
                           const char* servicePack) {
  record.size = sizeof(OsVersionRecord);
  record.platformId = platformId;
  record.majorVersion = majorVersion;
  record.minorVersion = minorVersion;
  record.buildNumber = buildNumber;
  if (servicePack != nullptr) {
    std::strncpy(record.servicePack, servicePack, sizeof(record.servicePack) - 1);
    record.servicePack[sizeof(record.servicePack) - 1] = '\0';
  }
}

bool FixedVersion::Query(OsVersionRecord* out) {
  ++calls;
  if (out == nullptr || out->size != sizeof(OsVersionRecord)) return false;
  if (!succeed) return false;
  std::uint32_t size = out->size;
  *out = record;
  out->size = size;
  return true;
}
