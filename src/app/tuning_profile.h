// A profile: the choices of the wizard's steps in an INI file, read with the language files'
// reader and checked by the rules of the fields they stand for.
#pragma once

#include <string>

#include "app/command_log.h"
#include "settings/wizard_model.h"
#include "wizard/app_state.h"

constexpr const char* kProfileSection = "Profile";

// Fills `model` as a walk through the wizard with these choices would leave it, from the
// recommendations of the profile's connection type. Every refused line is logged with `origin`
// (the switch and the file); false when there was one. `boostModem` says whether the modem step
// would be taken when a modem is found.
bool ReadProfile(const AppState& app, const std::string& path, const std::string& origin,
                 WizardModel& model, bool* boostModem, CommandLog& log);
