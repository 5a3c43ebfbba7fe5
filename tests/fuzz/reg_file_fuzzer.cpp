// The .reg reader and writer: any text the reader takes loads, saves and loads again into the
// very same tree.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fakes/memory_registry.h"
#include "fakes/reg_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryRegistry first;
  if (!LoadRegText(first, std::string(reinterpret_cast<const char*>(data), size)).ok) return 0;
  std::string user, machine;
  if (!SaveRegText(first, kHkeyCurrentUser, "", &user) ||
      !SaveRegText(first, kHkeyLocalMachine, "", &machine)) {
    std::fprintf(stderr, "a loaded tree does not save\n");
    std::abort();
  }
  MemoryRegistry second;
  const RegFileResult userLoaded = LoadRegText(second, user);
  const RegFileResult machineLoaded = LoadRegText(second, machine);
  if (!userLoaded.ok || !machineLoaded.ok) {
    std::fprintf(stderr, "a saved tree does not load: %s%s\n", userLoaded.message.c_str(),
                 machineLoaded.message.c_str());
    std::abort();
  }
  if (first.Dump() != second.Dump()) {
    std::fprintf(stderr, "saved and loaded again, the tree differs:\n%s\n---\n%s\n",
                 first.Dump().c_str(), second.Dump().c_str());
    std::abort();
  }
  return 0;
}
