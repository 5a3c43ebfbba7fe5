// The toolkit the contract cases run on, and the user's hands: the headless toolkit natively,
// the real dialogs of Win32Toolkit when the same cases run under Wine. Each case builds its
// dialogs from toolkit_templates.rc and acts from inside the modal loop.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/toolkit.h"

struct PixelRect {
  int x = 0;  // in the parent's client area
  int y = 0;
  int width = 0;
  int height = 0;
};

class ToolkitBackend {
 public:
  virtual ~ToolkitBackend() = default;

  // False (with a reason) when the templates could not be had.
  virtual bool ready(std::string* why) = 0;
  virtual Toolkit& toolkit() = 0;
  virtual MessageBoxes& messageBoxes() = 0;

  // The next RunModal calls `body` from inside its modal loop once the dialog is up.
  virtual void QueueModalDriver(std::function<void()> body) = 0;

  // The user's hands. Each returns once everything the action set off has been handled.
  virtual void Click(WindowRef window) = 0;
  virtual void Type(WindowRef edit, const std::string& text) = 0;
  virtual void Key(int virtualKey, bool shift = false) = 0;
  // Alt and a letter together, where the keyboard focus is.
  virtual void Mnemonic(char letter) = 0;
  virtual void SystemCommand(WindowRef window, int commandId) = 0;

  // Message boxes: answers in order, and the texts of the boxes that came up.
  virtual void QueueMessageBoxAnswer(int button) = 0;
  virtual std::vector<std::string> MessageBoxTexts() = 0;

  virtual PixelRect Rect(WindowRef window) = 0;
  // The dialog base units of a dialog (pixels per 4 horizontal and 8 vertical dialog units).
  virtual void BaseUnits(WindowRef dialog, int* x, int* y) = 0;
  virtual std::string Name() = 0;
};

std::unique_ptr<ToolkitBackend> MakeToolkitBackend();
