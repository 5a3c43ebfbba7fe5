#include "platform/win32/win32_file_search.h"

#include <windows.h>

std::vector<std::string> Win32FileSearch::Find(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    found.cFileName[sizeof found.cFileName - 1] = '\0';
    names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}
