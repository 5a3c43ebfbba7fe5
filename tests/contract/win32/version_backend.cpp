#include "contract/version_backend.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/registry.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_version.h"

namespace {

struct WineVersion {
  const char* name;
  ExpectedVersion version;
};

// What GetVersionExA reports for each value of Wine's per-program "Version" setting.
const WineVersion kWineVersions[] = {
    {"win95", {kPlatformWin9x, 4, 0}},  {"win98", {kPlatformWin9x, 4, 10}},
    {"winme", {kPlatformWin9x, 4, 90}}, {"nt351", {kPlatformNt, 3, 51}},
    {"nt40", {kPlatformNt, 4, 0}},      {"win2k", {kPlatformNt, 5, 0}},
    {"winxp", {kPlatformNt, 5, 1}},     {"win2003", {kPlatformNt, 5, 2}},
    {"vista", {kPlatformNt, 6, 0}},     {"win7", {kPlatformNt, 6, 1}},
};

}  // namespace

VersionQuery& ContractVersionQuery() {
  static Win32Version version;
  return version;
}

bool ContractExpectedVersion(ExpectedVersion* expected) {
  // The version chosen for this very program file with set_windows_version.
  const char* program = _pgmptr != nullptr ? _pgmptr : "";
  const char* name = program;
  for (const char* p = program; *p != '\0'; ++p) {
    if (*p == '\\' || *p == '/') name = p + 1;
  }
  Win32Registry registry;
  ScopedKey key(registry);
  std::string path = std::string("Software\\Wine\\AppDefaults\\") + name;
  if (key.Open(kHkeyCurrentUser, path.c_str(), kKeyRead) != kRegOk) return false;
  char version[32] = {};
  std::uint32_t size = sizeof(version) - 1;
  if (registry.QueryValue(key.get(), "Version", nullptr, reinterpret_cast<std::uint8_t*>(version),
                          &size) != kRegOk)
    return false;
  for (const WineVersion& known : kWineVersions) {
    if (std::strcmp(known.name, version) == 0) {
      *expected = known.version;
      return true;
    }
  }
  return false;
}
