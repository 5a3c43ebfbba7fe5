// Message boxes of the system (MessageBoxA).
#pragma once

#include <cstdint>

#include "platform/message_box.h"

class Win32MessageBoxes : public MessageBoxes {
 public:
  int Show(WindowRef owner, const char* text, const char* caption, std::uint32_t style) override;
};
