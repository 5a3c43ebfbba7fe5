// Files by GetFullPathNameA, GetFileAttributesA and CreateFileA.
#pragma once

#include "platform/text_files.h"

class Win32TextFiles : public TextFiles {
 public:
  std::string FullPath(const std::string& path) override;
  bool IsFile(const std::string& path) override;
  bool Append(const std::string& path, const std::string& text) override;
};
