#include <cstring>

#include "app/wizard_app.h"

OsVersionInfo::OsVersionInfo(VersionQuery& query) {
  std::memset(&info, 0, sizeof(info));
  info.size = sizeof(info);
  // A query that fails must not leave half a record behind: zeros match no predicate, so the
  // program then refuses to run instead of guessing.
  if (!query.Query(&info)) {
    std::memset(&info, 0, sizeof(info));
    info.size = sizeof(info);
  }
}

// The 9x predicates look at the minor version alone: 95 OSR2 reports 4.0 and 98 SE 4.10 too.
bool OsVersionInfo::IsWindows95() const {
  return info.platformId == kPlatformWin9x && info.minorVersion == 0;
}

bool OsVersionInfo::IsWindows98() const {
  return info.platformId == kPlatformWin9x && info.minorVersion == 10;
}

bool OsVersionInfo::IsWindowsMe() const {
  return info.platformId == kPlatformWin9x && info.minorVersion == 90;
}

bool OsVersionInfo::IsWindows2000() const {
  return info.platformId == kPlatformNt && info.majorVersion == 5 && info.minorVersion == 0;
}

bool OsVersionInfo::IsWindowsXp() const {
  return info.platformId == kPlatformNt && info.majorVersion == 5 && info.minorVersion >= 1;
}

bool OsVersionInfo::IsWindowsNt4() const {
  return info.platformId == kPlatformNt && info.majorVersion == 4;
}
