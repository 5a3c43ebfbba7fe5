// The command line's log: one line per value written, deleted or refused, and a last line with
// the outcome. Lines are appended as they happen, so a log on a share shows how far a PC got
// even when the program was stopped.
#pragma once

#include <string>
#include <utility>

#include "platform/text_files.h"

// The exit codes a batch file sees.
enum ExitCode {
  kExitDone = 0,
  kExitNothingToDo = 1,  // /restore without a backup
  kExitBadInput = 2,     // bad command line or profile: nothing was written
  kExitRefused = 3,      // the registry refused something: what was written is logged
  kExitUnsupported = 4,  // this Windows version is not supported
};

class CommandLog {
 public:
  // No path: nothing is logged.
  CommandLog(TextFiles* files, std::string path) : files_(files), path_(std::move(path)) {}

  // Creates the file when missing; false when it cannot be written (or there are no files).
  bool Open();
  void Line(const std::string& text);
  // The last line; returns `code`.
  int Outcome(int code);

 private:
  TextFiles* files_;
  std::string path_;
};
