#include "wizard/mtu_search.h"

namespace mtu {

// Ethernet's size first, as most paths carry it and one answer then ends the search; then the
// smallest, which tells a path that answers at all from one that never will; then halving.
std::uint32_t Search::Next() const {
  if (smallestFailed_) return 0;
  if (fits_ == 0 && tooBig_ == 0) return kLargestPayload;
  if (fits_ == 0) return kSmallestPayload;
  if (tooBig_ == 0 || tooBig_ - fits_ <= 1) return 0;
  return fits_ + (tooBig_ - fits_) / 2;
}

void Search::Record(std::uint32_t payload, bool passed) {
  if (passed) {
    if (payload > fits_) fits_ = payload;
  } else if (payload <= kSmallestPayload) {
    smallestFailed_ = true;
  } else if (tooBig_ == 0 || payload < tooBig_) {
    tooBig_ = payload;
  }
}

Result Run(Pinger& pinger, std::uint32_t address, const std::atomic<bool>& cancel,
           Progress* progress) {
  Result result;
  Search search;
  for (std::uint32_t payload = search.Next(); payload != 0; payload = search.Next()) {
    ++result.rounds;
    EchoOutcome outcome = EchoOutcome::kNoReply;
    for (int attempt = 0; attempt < kTriesWithoutReply && outcome == EchoOutcome::kNoReply;
         ++attempt) {
      if (cancel.load()) return result;
      ++result.echoes;
      outcome = pinger.Echo(address, payload, kEchoTimeoutMs);
    }
    if (progress != nullptr) progress->OnTried(payload, outcome);
    search.Record(payload, outcome == EchoOutcome::kReply);
  }
  result.end = search.found() ? End::kFound : End::kNoAnswer;
  result.payload = search.largest();
  return result;
}

}  // namespace mtu
