#include "wizard/review_dialog.h"

#include <utility>

#include "wizard/app_state.h"
#include "wizard/texts.h"

ReviewDialog::ReviewDialog(const AppState& app, std::string lines)
    : Dialog(*app.platform.toolkit), app_(app), lines_(std::move(lines)) {}

int ReviewDialog::Run(WindowRef owner) { return toolkit().RunModal(*this, kTemplateId, owner); }

bool ReviewDialog::OnInitDialog() {
  Dialog::OnInitDialog();
  toolkit().SetText(window(), app_.Translate(text::kProgramTitle));
  app_.TranslateControl(window(), IDC_REVIEW_EXPLAIN, text::kReviewExplain);
  app_.TranslateControl(window(), IDC_REVIEW_CLOSE, text::kReviewClose);
  WindowRef lines = toolkit().Item(window(), IDC_REVIEW_TEXT);
  if (lines != 0) toolkit().SetText(lines, lines_);
  // Close has the keyboard, so Enter ends the review; Tab reaches the text to select and copy.
  WindowRef close = toolkit().Item(window(), IDC_REVIEW_CLOSE);
  if (close == 0) return true;
  toolkit().SetFocus(close);
  return false;
}
