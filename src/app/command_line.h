// Quarnel.exe with switches: tuning without the wizard and without any window (but for /?), for
// logon scripts and software-distribution jobs. The result is the exit code.
#pragma once

#include <string>
#include <vector>

class WizardApp;

// The words of a command line: blanks separate them, double quotes keep blanks inside one and
// are dropped.
std::vector<std::string> SplitCommandLine(const char* commandLine);

// Whether the program was given anything but blanks: then the command line runs, not the wizard.
bool HasSwitches(const char* commandLine);

// Runs the switches and returns the exit code (ExitCode).
int RunCommandLine(WizardApp& app, const char* commandLine);
