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
  // Writes `bytes` as the whole of the file at `path`, replacing one that is there. False when
  // it cannot be written whole; a file half written is removed again.
  virtual bool WriteWholeFile(const std::string& path, const std::string& bytes) = 0;
};
