#include "store/native/memory_backend.h"

#include <memory>

#include "store/store_machine.h"

namespace {

std::unique_ptr<MemoryRegistry>& Current() {
  static std::unique_ptr<MemoryRegistry> registry;
  return registry;
}

}  // namespace

void StoreBackendReset() {
  Current() = std::make_unique<MemoryRegistry>();
  // What a fresh Wine prefix holds in the keys the store shares with the system.
  LoadFixture(*Current(), "store_fresh_prefix.reg");
}

MemoryRegistry& StoreMemoryRegistry() {
  if (!Current()) StoreBackendReset();
  return *Current();
}

Registry& StoreRegistry() { return StoreMemoryRegistry(); }
bool StoreRegistryIsReal() { return false; }
int StoreOpenHandles() { return StoreMemoryRegistry().OpenHandleCount(); }
bool StoreUseWin9xStrings() {
  StoreMemoryRegistry().SetWin9xStrings(true);
  return true;
}
