// Times a program's start as a user sees it: from CreateProcess until a visible top-level
// window of that process exists, and until that window first answers a message (shown, painted
// and idle). Ends the program by its process handle either way, so no run outlives the timer.
//
//   startup_timer <program> [<folder>]
//
// Prints "<visible ms> <ready ms>" on success; non-zero when no window came up in time.
#include <windows.h>

#include <cstdio>
#include <string>

#include "process_driver.h"

namespace {

constexpr double kGiveUpMs = 30000;

double MillisecondsSince(const LARGE_INTEGER& start) {
  static LARGE_INTEGER frequency = {};
  if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: startup_timer <program> [<folder>]\n");
    return 2;
  }
  proc::Launched program;
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!program.Start(argv[1], std::string(), argc > 2 ? argv[2] : std::string())) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  // A short sleep between looks: a busy loop would take a core from the program being timed,
  // and every look is a round trip to the wineserver the program needs as well.
  HWND window = nullptr;
  double visibleMs = 0;
  while (window == nullptr) {
    std::vector<HWND> windows = proc::TopLevelWindows(program.id());
    visibleMs = MillisecondsSince(start);
    if (!windows.empty()) {
      window = windows.front();
    } else if (!program.Running() || visibleMs > kGiveUpMs) {
      std::fprintf(stderr, "%s showed no window\n", argv[1]);
      return 1;  // program's destructor ends it if it still runs
    }
    if (window == nullptr) Sleep(1);
  }
  if (!proc::RoundTrip(window, static_cast<UINT>(kGiveUpMs))) {
    std::fprintf(stderr, "%s does not answer\n", argv[1]);
    return 1;
  }
  const double readyMs = MillisecondsSince(start);
  program.Kill();
  std::printf("%.1f %.1f\n", visibleMs, readyMs);
  return 0;
}
