// The registry the contract cases run on: the in-memory stand-in natively, the real registry
// when the same cases run under Wine.
#pragma once

#include "platform/registry.h"

Registry& ContractRegistry();
// True for the real registry (cases that need to know, e.g. to skip a stand-in-only check).
bool ContractRegistryIsReal();
// The same registry with its second way of deleting a tree forced (the real one's own delete,
// for systems without SHDeleteKeyA), or null where the backend has only one way.
Registry* ContractRegistryOwnTreeDelete();
