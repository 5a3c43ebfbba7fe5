#include "contract/profile_backend.h"

#include <direct.h>
#include <process.h>

#include <cstdlib>

#include "platform/win32/win32_profile_reader.h"

ProfileReader& ContractProfileReader() {
  static Win32ProfileReader reader;
  return reader;
}

std::string ContractTempFolder() {
  const char* names[] = {"TEMP", "TMP"};
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] != '\0') {
      std::string folder = value;
      if (folder.back() != '\\') folder += '\\';
      return folder;
    }
  }
  return "C:\\windows\\temp\\";
}

char ContractPathSeparator() { return '\\'; }

bool ContractMakeFolder(const std::string& path) { return _mkdir(path.c_str()) == 0; }

bool ContractRemoveFolder(const std::string& path) { return _rmdir(path.c_str()) == 0; }

int ContractProcessId() { return _getpid(); }
