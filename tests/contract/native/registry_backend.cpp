#include "contract/registry_backend.h"

#include "fakes/memory_registry.h"

Registry& ContractRegistry() {
  static MemoryRegistry registry;
  return registry;
}

bool ContractRegistryIsReal() { return false; }

Registry* ContractRegistryOwnTreeDelete() { return nullptr; }
