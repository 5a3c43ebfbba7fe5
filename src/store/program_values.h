// Values of the program's own key (HKCU\Software\Ovik Quarnel) that the wizard remembers
// between runs.
#pragma once

#include <string>

#include "platform/registry.h"

constexpr const char* kMtuHostValue = "MtuHost";

// The host the MTU finder last measured against; empty when none was stored or it is unusable.
std::string ReadMtuHost(Registry& registry);
// Remembers the host, making the program's key when the program was never installed; false
// when it could not be written.
bool SaveMtuHost(Registry& registry, const std::string& host);
