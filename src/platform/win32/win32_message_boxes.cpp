#include "platform/win32/win32_message_boxes.h"

#include <windows.h>

// The styles and answers pass through unchanged.
static_assert(kMbOk == MB_OK && kMbYesNo == MB_YESNO && kMbIconError == MB_ICONERROR &&
                  kMbIconQuestion == MB_ICONQUESTION && kMbIconWarning == MB_ICONWARNING &&
                  kMbIconInformation == MB_ICONINFORMATION && kMbDefButton2 == MB_DEFBUTTON2,
              "message box styles");
static_assert(kIdYes == IDYES && kIdNo == IDNO, "message box answers");

int Win32MessageBoxes::Show(WindowRef owner, const char* text, const char* caption,
                            std::uint32_t style) {
  return MessageBoxA(reinterpret_cast<HWND>(owner), text != nullptr ? text : "", caption,
                     static_cast<UINT>(style));
}
