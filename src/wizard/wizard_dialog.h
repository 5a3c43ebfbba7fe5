// The wizard's frame: the program's only top-level window.
#pragma once

#include "platform/toolkit.h"

class WizardDialog : public Dialog {
 public:
  explicit WizardDialog(Toolkit& toolkit) : Dialog(toolkit) {}
  static constexpr int kTemplateId = 102;
};
