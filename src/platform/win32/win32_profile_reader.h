// The profile reader of Windows itself.
#pragma once

#include <cstdint>

#include "platform/profile_reader.h"

class Win32ProfileReader : public ProfileReader {
 public:
  std::uint32_t ReadString(const char* section, const char* key, const char* defaultText,
                           char* buffer, std::uint32_t size, const char* path) override;
};
