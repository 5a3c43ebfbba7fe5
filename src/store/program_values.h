// Values of the program's own key (HKCU\Software\Ovik Quarnel): the folder it is installed in
// (AppPath, written by the installer) and what the wizard remembers between runs.
#pragma once

#include <string>

#include "platform/max_path.h"
#include "platform/registry.h"

// Reads AppPath and Language into buffers of kMaxPath bytes. Others write the key: a text may be
// of any length and need not be terminated. Only what fits with a terminator is taken; anything
// else, and a missing key or value, leaves that buffer empty.
void ReadProgramKey(Registry& registry, char* appPath, char* language);
// Stores the chosen language; only when the key exists (the installer makes it).
void WriteLanguage(Registry& registry, const char* name);

constexpr const char* kMtuHostValue = "MtuHost";

// The host the MTU finder last measured against; empty when none was stored or it is unusable.
std::string ReadMtuHost(Registry& registry);
// Remembers the host, making the program's key when the program was never installed; false
// when it could not be written.
bool SaveMtuHost(Registry& registry, const std::string& host);
