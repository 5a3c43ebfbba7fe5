// The About box, opened from the frame's system menu. OK, Esc and the close box end it.
#pragma once

#include "platform/toolkit.h"
#include "resources/resource.h"

class AboutDialog : public Dialog {
 public:
  static constexpr int kTemplateId = IDD_ABOUT;

  explicit AboutDialog(Toolkit& toolkit);

  // Opens the box modally over `owner`.
  int Run(WindowRef owner);
};
