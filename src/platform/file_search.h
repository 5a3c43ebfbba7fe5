// Finding files by a wildcard pattern, as FindFirstFileA/FindNextFileA do.
#pragma once

#include <string>
#include <vector>

class FileSearch {
 public:
  virtual ~FileSearch() = default;
  // The names (without folder) of the entries matching `pattern` ("C:\dir\*.ini"), in the order
  // the file system gives them; empty when nothing matches or the folder is missing.
  virtual std::vector<std::string> Find(const std::string& pattern) = 0;
};
