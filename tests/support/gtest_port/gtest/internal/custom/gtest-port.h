// GoogleTest's port customisation, found before Debian's empty one for the Windows builds only.
// MinGW's win32 thread model has no std::mutex or std::condition_variable, which GoogleTest's
// Notification (used by its own threading tests alone) is written with; the rest of its Windows
// port uses the Win32 calls. Our test programs run one thread.
#pragma once

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
 public:
  Notification() = default;
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;
  void Notify() { notified_ = true; }
  void WaitForNotification() {
    while (!notified_) {
    }
  }

 private:
  std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing
