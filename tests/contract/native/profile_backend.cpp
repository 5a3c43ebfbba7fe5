#include "contract/profile_backend.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "fakes/ini_profile_reader.h"

ProfileReader& ContractProfileReader() {
  static IniProfileReader reader;
  return reader;
}

std::string ContractTempFolder() {
  const char* tmp = std::getenv("TMPDIR");
  std::string folder = (tmp != nullptr && tmp[0] != '\0') ? tmp : "/tmp";
  if (folder.back() != '/') folder += '/';
  return folder;
}

char ContractPathSeparator() { return '/'; }

bool ContractMakeFolder(const std::string& path) { return mkdir(path.c_str(), 0700) == 0; }

bool ContractRemoveFolder(const std::string& path) { return rmdir(path.c_str()) == 0; }

int ContractProcessId() { return static_cast<int>(getpid()); }
