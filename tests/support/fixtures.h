// Where the test programs find tests/fixtures: natively in the source tree, on Windows through
// the source tree as Wine maps it (Z: is the Unix root).
#pragma once

#include <string>

inline std::string FixturePath(const std::string& name) {
#ifdef _WIN32
  std::string base = "Z:" QUARNEL_FIXTURE_DIR;
  for (auto& c : base)
    if (c == '/') c = '\\';
  return base + "\\" + name;
#else
  return std::string(QUARNEL_FIXTURE_DIR) + "/" + name;
#endif
}
