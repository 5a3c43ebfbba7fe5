#include "platform/win32/win32_profile_reader.h"

#include <windows.h>

std::uint32_t Win32ProfileReader::ReadString(const char* section, const char* key,
                                             const char* defaultText, char* buffer,
                                             std::uint32_t size, const char* path) {
  if (buffer == nullptr || size == 0) return 0;
  // Without a section or key the call would list names, without a path it would read WIN.INI.
  if (section == nullptr || key == nullptr || path == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  return GetPrivateProfileStringA(section, key, defaultText, buffer, size, path);
}
