// The classic size of Windows' path and text buffers (MAX_PATH, terminator included): every
// buffer of that kind in the program has this size.
#pragma once

#include <cstdint>

constexpr std::uint32_t kMaxPath = 260;
