// Times a program's start as a user sees it: from CreateProcess until a top-level window of that
// process is visible (to about a millisecond once the window exists), and until that window
// first answers a message (shown, painted and idle). Ends the program by its process handle either
// way, so no run outlives the timer.
//
//   startup_timer <program> [<folder>]
//
// Prints "<visible ms> <ready ms>" on success; non-zero when no window came up in time. The
// moments measured are also marked with OutputDebugString, so that a trace of the program with
// WINEDEBUG=+timestamp,+debugstr,... shows where between them its time goes.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "process_driver.h"

namespace {

constexpr double kGiveUpMs = 30000;
constexpr double kScanMs = 5;

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
  OutputDebugStringA("startup_timer: start");
  QueryPerformanceCounter(&start);
  if (!program.Start(argv[1], std::string(), argc > 2 ? argv[2] : std::string())) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  // Every look at another process's windows is a request to the wineserver, which the program
  // needs for every window it makes: looking all the time would slow the very start being timed.
  // So the list of the process's top-level windows (hidden ones too) is taken every few
  // milliseconds, and in between only the windows on it are asked whether they are shown.
  HWND window = nullptr;
  double visibleMs = 0;
  std::vector<HWND> known;
  double scannedMs = -kScanMs;
  bool running = true;
  while (window == nullptr) {
    double nowMs = MillisecondsSince(start);
    if (nowMs - scannedMs >= kScanMs) {
      running = program.Running();
      known = proc::TopLevelWindows(program.id(), false);
      scannedMs = nowMs;
    }
    for (HWND candidate : known) {
      if (IsWindowVisible(candidate)) {
        window = candidate;
        break;
      }
    }
    visibleMs = MillisecondsSince(start);
    if (window != nullptr) {
      OutputDebugStringA("startup_timer: visible");
    } else if (!running || visibleMs > kGiveUpMs) {
      std::fprintf(stderr, "%s showed no window\n", argv[1]);
      return 1;  // program's destructor ends it if it still runs
    } else {
      Sleep(1);
    }
  }
  if (!proc::RoundTrip(window, static_cast<UINT>(kGiveUpMs))) {
    std::fprintf(stderr, "%s does not answer\n", argv[1]);
    return 1;
  }
  const double readyMs = MillisecondsSince(start);
  OutputDebugStringA("startup_timer: ready");
  program.Kill();
  std::printf("%.1f %.1f\n", visibleMs, readyMs);
  return 0;
}
