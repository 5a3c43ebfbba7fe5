#include "platform/win32/win32_text_files.h"

#include <windows.h>

std::string Win32TextFiles::FullPath(const std::string& path) {
  char full[MAX_PATH];
  char* name = nullptr;
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, &name);
  // A path the call cannot take stays as given; reading it then finds nothing.
  return length == 0 || length >= sizeof full ? path : std::string(full, length);
}

bool Win32TextFiles::IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != 0xFFFFFFFFu && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32TextFiles::Append(const std::string& path, const std::string& text) {
  // Several PCs may log to one file on a share: others may read and append while it is open.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      SetFilePointer(file, 0, nullptr, FILE_END) != 0xFFFFFFFFu &&
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
      written == text.size();
  CloseHandle(file);
  return ok;
}
