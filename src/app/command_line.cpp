#include "app/command_line.h"

#include "app/command_log.h"
#include "app/logging_registry.h"
#include "app/tuning_profile.h"
#include "app/wizard_app.h"
#include "store/modem_port_speed.h"
#include "store/settings_store.h"
#include "wizard/messages.h"
#include "wizard/texts.h"

namespace {

enum class Action { kNone, kUsage, kApply, kReview, kRestore, kDefaults, kExport, kLog };

const struct {
  const char* name;
  Action action;
  bool takesPath;
} kSwitches[] = {
    {"apply", Action::kApply, true},      {"review", Action::kReview, true},
    {"restore", Action::kRestore, false}, {"defaults", Action::kDefaults, false},
    {"export", Action::kExport, true},    {"log", Action::kLog, true},
    {"?", Action::kUsage, false},
};

struct Command {
  Action action = Action::kNone;
  std::string switchName;  // as typed, for the log
  std::string path;
  std::string logPath;
  std::string error;  // why the command line is refused; empty when it is not
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

Command ParseCommandLine(const char* commandLine) {
  Command command;
  const std::vector<std::string> words = SplitCommandLine(commandLine);
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool isSwitch = word.size() > 1 && (word[0] == '/' || word[0] == '-');
    Action action = Action::kNone;
    bool takesPath = false;
    for (const auto& known : kSwitches) {
      if (isSwitch && SameTextIgnoringCase(word.substr(1), known.name)) {
        action = known.action;
        takesPath = known.takesPath;
      }
    }
    std::string path;
    if (action == Action::kNone) {
      if (command.error.empty()) {
        command.error = (isSwitch ? "unknown switch " : "unexpected word ") + word;
      }
      continue;
    }
    if (takesPath) {
      // No Windows path starts with '/': that is the next switch, the file name is missing.
      if (i + 1 >= words.size() || words[i + 1].empty() || words[i + 1][0] == '/') {
        if (command.error.empty()) command.error = word + " needs a file name";
        continue;
      }
      path = words[++i];
    }
    if (action == Action::kLog) {
      command.logPath = path;
    } else if (command.action == Action::kNone || action == Action::kUsage) {
      if (command.action != Action::kUsage) {
        command.action = action;
        command.switchName = word;
        command.path = path;
      }
    } else if (command.error.empty()) {
      command.error = "one of /apply, /review, /restore, /defaults and /export at a time: " + word;
    }
  }
  if (command.action == Action::kNone && command.error.empty()) {
    command.error = "/log needs one of /apply, /review, /restore, /defaults and /export";
  }
  return command;
}

// The profile's settings as the wizard would leave them; false (logged) when it is refused.
bool LoadProfile(WizardApp& app, Registry& registry, const Command& command, CommandLog& log,
                 WizardModel& model) {
  TextFiles* files = app.platform.textFiles;
  const std::string path = files->FullPath(command.path);
  const std::string origin = command.switchName + " " + path;
  if (!files->IsFile(path)) {
    log.Line("refused " + origin + ": no such file");
    return false;
  }
  bool boostModem = false;
  if (!ReadProfile(app, path, origin, model, &boostModem, log)) return false;
  if (boostModem) DetectBoostableModem(registry, app.osFamily, app.modemBoostAvailable);
  return true;
}

// What /apply would write, one line a value; nothing is written.
int Review(WizardApp& app, Registry& registry, const Command& command, CommandLog& log) {
  WizardModel model;
  if (!LoadProfile(app, registry, command, log, model)) return log.Outcome(kExitBadInput);
  const ChangePlan plan =
      PlanSettings(registry, app.osFamily, app.modemBoostAvailable, model.settings);
  std::string lines = FormatReview(app, plan);
  // The plan's lines end with CR LF; the log adds its own.
  for (std::size_t end; (end = lines.find("\r\n")) != std::string::npos; lines.erase(0, end + 2)) {
    log.Line(lines.substr(0, end));
  }
  return log.Outcome(plan.complete ? kExitDone : kExitRefused);
}

int Apply(WizardApp& app, Registry& registry, const Command& command, CommandLog& log) {
  WizardModel model;
  if (!LoadProfile(app, registry, command, log, model)) return log.Outcome(kExitBadInput);

  // The backup there holds what the PC had before this program ever ran: a second run, or a
  // run after the wizard, must not replace it with values this program wrote.
  if (BackupExists(registry)) {
    log.Line("backup kept");
  } else {
    WizardModel found;
    if (!ReadCurrentSettings(registry, app.osFamily, found)) {
      // Without a complete backup nothing is changed: no one can answer the wizard's question.
      log.Line("refused backup: not every value could be saved, nothing was changed");
      return log.Outcome(kExitRefused);
    }
  }
  return log.Outcome(ApplySettings(registry, app.osFamily, app.modemBoostAvailable, model.settings)
                         ? kExitDone
                         : kExitRefused);
}

int Restore(WizardApp& app, Registry& registry, CommandLog& log) {
  switch (RestoreBackup(registry, app.osFamily)) {
    case RestoreOutcome::kNoBackup:
      log.Line("no backup");
      return log.Outcome(kExitNothingToDo);
    case RestoreOutcome::kRestored:
      return log.Outcome(kExitDone);
    default:
      return log.Outcome(kExitRefused);
  }
}

// Windows' own values, without the wizard's question: a backup is taken first when there is
// none, and when it cannot be, nothing is deleted (no one is there to agree to go on).
int Defaults(WizardApp& app, Registry& registry, CommandLog& log) {
  switch (RestoreDefaults(registry, app.osFamily)) {
    case DefaultsOutcome::kRestored:
      return log.Outcome(kExitDone);
    case DefaultsOutcome::kBackupNotSaved:
      log.Line("refused backup: not every value could be saved, nothing was changed");
      return log.Outcome(kExitRefused);
    default:
      return log.Outcome(kExitRefused);
  }
}

int Export(WizardApp& app, Registry& registry, const Command& command, CommandLog& log) {
  if (!BackupExists(registry)) {
    log.Line("no backup");
    return log.Outcome(kExitNothingToDo);
  }
  std::string file;
  if (!BackupRegFile(registry, app.osFamily, app.regeditDeletes,
                     app.Translate(text::kDeleteByHand).c_str(), &file)) {
    log.Line("refused backup: it could not be read whole");
    return log.Outcome(kExitRefused);
  }
  const std::string path = app.platform.textFiles->FullPath(command.path);
  if (app.platform.files == nullptr || !app.platform.files->WriteWholeFile(path, file)) {
    log.Line("refused " + command.switchName + " " + path + ": the file cannot be written");
    return log.Outcome(kExitBadInput);
  }
  log.Line("written " + path);
  return log.Outcome(kExitDone);
}

}  // namespace

std::vector<std::string> SplitCommandLine(const char* commandLine) {
  std::vector<std::string> words;
  if (commandLine == nullptr) return words;
  const char* c = commandLine;
  while (*c != '\0') {
    while (IsBlank(*c)) ++c;
    if (*c == '\0') break;
    std::string word;
    bool quoted = false;
    for (; *c != '\0' && (quoted || !IsBlank(*c)); ++c) {
      if (*c == '"') {
        quoted = !quoted;
      } else {
        word += *c;
      }
    }
    words.push_back(word);
  }
  return words;
}

bool HasSwitches(const char* commandLine) { return !SplitCommandLine(commandLine).empty(); }

int RunCommandLine(WizardApp& app, const char* commandLine) {
  app.ReadProgramKey();
  const Command command = ParseCommandLine(commandLine);
  if (command.action == Action::kUsage) {
    app.ShowTranslated(0, text::kCommandLineUsage, kMbOk | kMbIconInformation);
    return kExitDone;
  }
  CommandLog log(app.platform.textFiles, command.logPath);
  // A log that cannot be written would hide what was done: do nothing instead.
  if (!log.Open()) return kExitBadInput;
  log.Line(std::string("Quarnel ") + commandLine);
  if (!command.error.empty() || app.platform.textFiles == nullptr) {
    log.Line("refused command line: " + command.error);
    return log.Outcome(kExitBadInput);
  }
  if (!app.DecideFamily()) {
    log.Line(app.Translate(text::kUnknownWindows));
    return log.Outcome(kExitUnsupported);
  }

  LoggingRegistry registry(app.platform.registry, log);
  switch (command.action) {
    case Action::kApply:
      return Apply(app, registry, command, log);
    case Action::kReview:
      return Review(app, registry, command, log);
    case Action::kRestore:
      return Restore(app, registry, log);
    case Action::kDefaults:
      return Defaults(app, registry, log);
    default:
      return Export(app, registry, command, log);
  }
}
