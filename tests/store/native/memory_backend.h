// The in-memory registry behind the native store cases, for the cases that inject faults.
#pragma once

#include "platform/portable/memory_registry.h"

MemoryRegistry& StoreMemoryRegistry();
