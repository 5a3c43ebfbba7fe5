#include "contract/registry_backend.h"

#include "platform/win32/win32_registry.h"

Registry& ContractRegistry() {
  static Win32Registry registry;
  return registry;
}

bool ContractRegistryIsReal() { return true; }

Registry* ContractRegistryOwnTreeDelete() {
  static Win32Registry registry;
  registry.UseOwnTreeDelete(true);
  return &registry;
}
