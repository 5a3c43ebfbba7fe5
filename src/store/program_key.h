// The program's own key: the folder it is installed in (AppPath, written by the installer) and
// the language the user chose (Language).
#pragma once

#include "platform/max_path.h"
#include "platform/registry.h"

// Reads both texts into buffers of kMaxPath bytes. Others write the key: a text may be of any
// length and need not be terminated. Only what fits with a terminator is taken; anything else,
// and a missing key or value, leaves that buffer empty.
void ReadProgramKey(Registry& registry, char* appPath, char* language);
// Stores the chosen language; only when the key exists (the installer makes it).
void WriteLanguage(Registry& registry, const char* name);
