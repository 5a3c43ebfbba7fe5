// What Finish will change, before it does: one line per value in a read-only text the user can
// select and copy. Close, Enter, Esc and the close box end it; nothing is written.
#pragma once

#include <string>

#include "platform/toolkit.h"
#include "resources/resource.h"

class AppState;

class ReviewDialog : public Dialog {
 public:
  static constexpr int kTemplateId = IDD_REVIEW;

  ReviewDialog(const AppState& app, std::string lines);

  // Opens the dialog modally over `owner`.
  int Run(WindowRef owner);
  bool OnInitDialog() override;

 private:
  const AppState& app_;
  std::string lines_;
};
