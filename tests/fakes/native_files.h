// The file system as the program sees it under Wine, for the native test programs: Wine's Z:
// drive is the root of the host's, and names match without regard to case.
#pragma once

#include <string>
#include <vector>

#include "platform/file_search.h"
#include "platform/text_files.h"

// "Z:\tmp\x\a.ini" -> "/tmp/x/a.ini"; any other path is taken as it is, with '\' as '/'.
std::string NativePath(const std::string& windowsPath);
// Whether the file starts as a Windows bitmap does.
bool LooksLikeBitmapFile(const std::string& path);

class NativeFileSearch : public FileSearch {
 public:
  // Only a '*' followed by a fixed ending is understood ("*.ini"), which is all the program asks.
  std::vector<std::string> Find(const std::string& pattern) override;
  // Under NativePath(path).
  bool WriteWholeFile(const std::string& path, const std::string& bytes) override;
};

// Profiles and logs on the host's files, by the same paths.
class NativeTextFiles : public TextFiles {
 public:
  std::string FullPath(const std::string& path) override { return path; }
  bool IsFile(const std::string& path) override;
  bool Append(const std::string& path, const std::string& text) override;
};
