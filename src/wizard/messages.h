// What the wizard tells the user after Finish and after "Reset Connection Settings".
#pragma once

#include <string>

#include "platform/message_box.h"
#include "store/change_plan.h"
#include "store/settings_store.h"

class AppState;

// The congratulation when everything was written; otherwise which settings stayed unchanged
// and how to get the rights to change them.
void ShowApplyResult(const AppState& app, WindowRef owner, bool allWritten);
// The confirmation of a complete restore; otherwise the (untranslated) failure message.
void ShowRestoreResult(const AppState& app, WindowRef owner, RestoreOutcome outcome);
// The plan's lines with the words of the current language, as the review shows them.
std::string FormatReview(const AppState& app, const ChangePlan& plan);
