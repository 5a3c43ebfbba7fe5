// The About box, opened from the frame's system menu: the icon, the version and the copyright
// line, both read from the program file's version resource. OK, Esc and the close box end it.
#pragma once

#include "platform/toolkit.h"
#include "resources/resource.h"

class AppState;

class AboutDialog : public Dialog {
 public:
  static constexpr int kTemplateId = IDD_ABOUT;
  // What a field holds at most, as the classic 256-character buffer did.
  static constexpr std::size_t kFieldLimit = 255;

  explicit AboutDialog(const AppState& app);

  // Opens the box modally over `owner`.
  int Run(WindowRef owner);
  bool OnInitDialog() override;

 private:
  const AppState& app_;
};
