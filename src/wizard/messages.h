// What the wizard tells the user after Finish and after "Reset Connection Settings".
#pragma once

#include "platform/message_box.h"
#include "store/settings_store.h"

class AppState;

// The congratulation when everything was written; otherwise which settings stayed unchanged
// and how to get the rights to change them.
void ShowApplyResult(const AppState& app, WindowRef owner, bool allWritten);
// The confirmation of a complete restore; otherwise the (untranslated) failure message.
void ShowRestoreResult(const AppState& app, WindowRef owner, RestoreOutcome outcome);
