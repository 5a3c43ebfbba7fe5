// Modal message boxes (MessageBoxA).
#pragma once

#include <cstdint>

using WindowRef = std::uintptr_t;  // a window of the toolkit; 0 is "no window"

// MessageBoxA styles and answers the program uses.
constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbYesNo = 0x4;
constexpr std::uint32_t kMbIconError = 0x10;
constexpr std::uint32_t kMbIconQuestion = 0x20;
constexpr std::uint32_t kMbIconWarning = 0x30;
constexpr std::uint32_t kMbIconInformation = 0x40;
constexpr std::uint32_t kMbDefButton2 = 0x100;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows a modal box and returns the button pressed. `caption` null gives the system's
  // default caption ("Error").
  virtual int Show(WindowRef owner, const char* text, const char* caption, std::uint32_t style) = 0;
};
