// The few file operations the command line needs: a profile's full path, whether it is there, and
// appending to its log. Every call opens and closes the file again, so nothing stays open.
#pragma once

#include <string>

class TextFiles {
 public:
  virtual ~TextFiles() = default;
  // `path` made absolute against the current folder: the profile reader looks for a bare name
  // in the Windows folder instead.
  virtual std::string FullPath(const std::string& path) = 0;
  // Whether `path` names a file (not a folder).
  virtual bool IsFile(const std::string& path) = 0;
  // Appends `text` to the file, creating it when missing. False when it could not be written.
  virtual bool Append(const std::string& path, const std::string& text) = 0;
};
