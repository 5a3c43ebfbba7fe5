#include "store/store_messages.h"

#include <string>

#include "app/wizard_app.h"

void ShowApplyResult(const WizardApp& app, WindowRef owner, bool allWritten) {
  if (allWritten) {
    app.ShowTranslated(owner, "41",
                       "Congratulation, Ovik Quarnel has boosted your internet connections.\n"
                       "Please, restart your computer in order to feel the change.",
                       kMbOk);
    return;
  }
  app.ShowTranslated(
      owner, "44",
      "Some of your connection settings could not be written, so they were not all changed.*"
      "On Windows NT, 2000 and XP, log on as an administrator and run Ovik Quarnel again.",
      kMbOk | kMbIconError);
}

void ShowRestoreResult(const WizardApp& app, WindowRef owner, RestoreOutcome outcome) {
  if (outcome == RestoreOutcome::kRestored) {
    app.ShowTranslated(owner, "42",
                       "Ovik Quarnel has reset your system to the backup settings.\n"
                       "Please, restart your computer in order to feel the change.",
                       kMbOk);
    return;
  }
  // Shown in English whatever the language: it must stay readable when the language files are
  // what is broken.
  app.platform.messages.Show(owner, "Failed to reset your connection settings.", kAppTitle,
                             kMbOk | kMbIconError);
}
