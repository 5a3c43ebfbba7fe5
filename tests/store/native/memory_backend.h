// The in-memory registry behind the native store cases, for the cases that inject faults.
#pragma once

#include "fakes/memory_registry.h"

MemoryRegistry& StoreMemoryRegistry();
