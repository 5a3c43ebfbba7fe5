// Quarnel.exe: the real system services, the one application object, and start-up. The wizard's
// modal loop inside InitInstance is the program's only message loop; when it returns, the
// process ends.
#include <windows.h>

#include "platform/platform.h"
#include "app/command_line.h"
#include "app/wizard_app.h"
#include "platform/win32/win32_file_search.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_pinger.h"
#include "platform/win32/win32_profile_reader.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_text_files.h"
#include "platform/win32/win32_toolkit.h"
#include "platform/win32/win32_version.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  Win32Registry registry;
  Win32ProfileReader profile;
  Win32Version version;
  Win32MessageBoxes messages;
  Win32Toolkit toolkit(reinterpret_cast<std::uintptr_t>(instance));
  Win32FileSearch files;
  Win32Pinger pinger;
  Win32TextFiles textFiles;
  Platform platform{registry, profile, version, messages, &toolkit, &files, &pinger, &textFiles};
  WizardApp app(platform);
  // With switches the program tunes without a window and ends with an exit code.
  if (HasSwitches(commandLine)) return RunCommandLine(app, commandLine);
  app.InitInstance();
  return 0;
}
