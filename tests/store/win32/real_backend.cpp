// The real registry of the Wine prefix. The cases clear what they touch before and after, and
// leave alone what the prefix had.
#include <windows.h>

#include "platform/win32/win32_registry.h"
#include "store/store_machine.h"

Registry& StoreRegistry() {
  static Win32Registry registry;
  return registry;
}

bool StoreRegistryIsReal() { return true; }
int StoreOpenHandles() { return -1; }
void StoreBackendReset() {}
// The emulated version is Wine's per-program setting; the high bit of GetVersion marks 9x.
bool StoreUseWin9xStrings() { return (GetVersion() & 0x80000000u) != 0; }
