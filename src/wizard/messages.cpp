#include "wizard/messages.h"

#include "wizard/app_state.h"
#include "wizard/texts.h"

void ShowApplyResult(const AppState& app, WindowRef owner, bool allWritten) {
  if (allWritten) {
    app.ShowTranslated(owner, text::kApplied, kMbOk);
  } else {
    app.ShowTranslated(owner, text::kNotAllWritten, kMbOk | kMbIconError);
  }
}

void ShowRestoreResult(const AppState& app, WindowRef owner, RestoreOutcome outcome) {
  if (outcome == RestoreOutcome::kRestored) {
    app.ShowTranslated(owner, text::kRestored, kMbOk);
    return;
  }
  // Shown in English whatever the language: it must stay readable when the language files are
  // what is broken.
  app.platform.messages.Show(owner, "Failed to reset your connection settings.",
                             app.Title().c_str(), kMbOk | kMbIconError);
}

std::string FormatReview(const AppState& app, const ChangePlan& plan) {
  const std::string notSet = app.Translate(text::kNotSetWord);
  const std::string unreadable = app.Translate(text::kUnreadableWord);
  const std::string unchanged = app.Translate(text::kUnchangedWord);
  const std::string remove = app.Translate(text::kDeleteWord);
  const std::string adapter = app.Translate(text::kAdapterWord);
  const std::string modem = app.Translate(text::kModemWord);
  const PlanWords words = {notSet.c_str(), unreadable.c_str(), unchanged.c_str(),
                           remove.c_str(), adapter.c_str(),    modem.c_str()};
  return FormatPlan(plan, words);
}
