#include "app/command_log.h"

bool CommandLog::Open() {
  if (path_.empty()) return true;
  return files_ != nullptr && files_->Append(path_, std::string());
}

void CommandLog::Line(const std::string& text) {
  if (!path_.empty() && files_ != nullptr) files_->Append(path_, text + "\r\n");
}

int CommandLog::Outcome(int code) {
  // Fixed English words: scripts collecting the logs of many PCs look for them.
  static const char* const kOutcomes[] = {
      "done",
      "nothing to do",
      "bad command line or profile, nothing was written",
      "the registry refused something, the backup is kept",
      "this Windows version is not supported",
  };
  const char* words = code >= 0 && code <= kExitUnsupported ? kOutcomes[code] : "";
  Line("outcome " + std::to_string(code) + ": " + words);
  return code;
}
