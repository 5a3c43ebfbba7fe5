#include "platform/win32/win32_version.h"

#include <windows.h>

#include <cstring>

static_assert(sizeof(OSVERSIONINFOA) == sizeof(OsVersionRecord), "record layouts differ");

bool Win32Version::Query(OsVersionRecord* record) {
  // GetVersionExA writes as many bytes as the size field claims; only the plain record fits.
  if (record == nullptr || record->size != sizeof(OSVERSIONINFOA)) return false;
  OSVERSIONINFOA info;
  std::memset(&info, 0, sizeof(info));
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) return false;
  record->majorVersion = info.dwMajorVersion;
  record->minorVersion = info.dwMinorVersion;
  record->buildNumber = info.dwBuildNumber;
  record->platformId = info.dwPlatformId;
  std::memcpy(record->servicePack, info.szCSDVersion, sizeof(record->servicePack));
  record->servicePack[sizeof(record->servicePack) - 1] = '\0';
  return true;
}
