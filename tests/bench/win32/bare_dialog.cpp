// The least a dialog program of ours does before its window is on the screen: the toolkit
// Quarnel.exe starts with (its common controls registration included) running one empty dialog
// of the wizard frame's size. scripts/bench-startup times Quarnel.exe against it, so what the
// wizard adds on top of any dialog shows on its own.
#include <windows.h>

#include "platform/win32/win32_toolkit.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  Win32Toolkit toolkit(reinterpret_cast<std::uintptr_t>(instance));
  Dialog dialog(toolkit);
  return toolkit.RunModal(dialog, 1, 0);
}
