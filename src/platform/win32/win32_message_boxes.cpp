#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

int Win32MessageBoxes::Show(WindowRef owner, const char* text, const char* caption,
                            std::uint32_t style) {
  return MessageBoxA(reinterpret_cast<HWND>(owner), text != nullptr ? text : "", caption,
                     static_cast<UINT>(style));
}
