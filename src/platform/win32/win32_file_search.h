// File search by FindFirstFileA/FindNextFileA.
#pragma once

#include "platform/file_search.h"

class Win32FileSearch : public FileSearch {
 public:
  std::vector<std::string> Find(const std::string& pattern) override;
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
};
