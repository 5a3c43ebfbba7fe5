// The search for the largest packet that crosses the path to a host without being split: echo
// requests with "don't fragment" set, halving the range of ICMP payloads between the smallest
// MTU every IP network carries (576) and Ethernet's (1500). Free of windows, so it runs beside
// the UI thread and against a simulated path in the tests.
#pragma once

#include <atomic>
#include <cstdint>

#include "platform/pinger.h"

namespace mtu {

// An echo request's IP and ICMP headers: the MTU is the largest payload that passes plus these.
constexpr std::uint32_t kHeaderBytes = 28;
constexpr std::uint32_t kSmallestPayload = 548;  // MTU 576
constexpr std::uint32_t kLargestPayload = 1472;  // MTU 1500
constexpr std::uint32_t kEchoTimeoutMs = 1000;
// A size whose echo goes unanswered is tried once more before it counts as too big: one lost
// packet must not cost the user a smaller MTU than the line carries.
constexpr int kTriesWithoutReply = 2;

enum class End {
  kFound,     // `payload` passes, `payload` + 1 does not (or it is the largest tried)
  kNoAnswer,  // not even the smallest size came back
  kCancelled,
};

struct Result {
  End end = End::kCancelled;
  std::uint32_t payload = 0;  // kFound: the largest payload that passed
  int rounds = 0;             // sizes tried
  int echoes = 0;             // requests sent
};

// Hears each size's verdict as it is reached (beside the UI thread).
class Progress {
 public:
  virtual void OnTried(std::uint32_t payload, EchoOutcome outcome) = 0;

 protected:
  ~Progress() = default;
};

// Which size to try next and what the answers so far prove.
class Search {
 public:
  // The next payload to try; 0 once the search is over.
  std::uint32_t Next() const;
  void Record(std::uint32_t payload, bool passed);
  // After Next() gave 0: whether any size passed, and the largest that did.
  bool found() const { return fits_ != 0; }
  std::uint32_t largest() const { return fits_; }

 private:
  std::uint32_t fits_ = 0;       // the largest payload known to pass, 0: none yet
  std::uint32_t tooBig_ = 0;     // the smallest payload known not to, 0: none yet
  bool smallestFailed_ = false;  // the smallest size did not pass: nothing will
};

// Runs a whole search against `address`. `cancel` is read before every request, so a cancel
// takes effect within one echo's time.
Result Run(Pinger& pinger, std::uint32_t address, const std::atomic<bool>& cancel,
           Progress* progress);

}  // namespace mtu
