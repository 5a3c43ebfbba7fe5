// The MTU finder's search against simulated paths.

#include <atomic>
#include <cstdint>

#include "fakes/simulated_path.h"
#include "support/check.h"
#include "wizard/mtu_search.h"

TEST(mtu_search, finds_the_largest_payload_the_path_carries_whole) {
  struct Row {
    const char* name;
    std::uint32_t mtu;
    bool answers;
    int lostPerSize;
    bool saysTooBig;
    mtu::End end;
    std::uint32_t payload;
    int echoes;  // -1: any number up to two per size
  };
  const Row rows[] = {
      {"Ethernet all the way: one echo", 1500, true, 0, true, mtu::End::kFound, 1472, 1},
      {"PPPoE", 1492, true, 0, true, mtu::End::kFound, 1464, -1},
      {"a link of 1400", 1400, true, 0, true, mtu::End::kFound, 1372, -1},
      {"one byte under Ethernet", 1499, true, 0, true, mtu::End::kFound, 1471, -1},
      {"the smallest MTU", 576, true, 0, true, mtu::End::kFound, 548, -1},
      {"below the smallest MTU", 575, true, 0, true, mtu::End::kNoAnswer, 0, 2},
      {"a host that never answers: two tries a size", 1500, false, 0, true, mtu::End::kNoAnswer, 0,
       4},
      {"the first reply of each size lost", 1400, true, 1, true, mtu::End::kFound, 1372, -1},
      {"two replies lost: the size counts as too big", 1500, true, 2, true, mtu::End::kNoAnswer, 0,
       4},
      {"a router that drops big packets silently", 1400, true, 0, false, mtu::End::kFound, 1372,
       -1},
  };
  for (const Row& row : rows) {
    check::Scope scope(row.name);
    SimulatedPath path;
    path.mtu = row.mtu;
    path.answers = row.answers;
    path.lostPerSize = row.lostPerSize;
    path.saysTooBig = row.saysTooBig;
    const std::atomic<bool> cancel{false};
    const mtu::Result result = mtu::Run(path, SimulatedPath::kAddress, cancel, nullptr);
    CHECK(result.end == row.end);
    CHECK_EQ(result.payload, row.payload);
    CHECK(result.rounds <= 12);
    CHECK(result.echoes <= 2 * result.rounds);
    CHECK_EQ(static_cast<std::size_t>(result.echoes), path.tried.size());
    if (row.echoes >= 0) CHECK_EQ(result.echoes, row.echoes);
    for (std::uint32_t payload : path.tried) {
      CHECK(payload >= mtu::kSmallestPayload && payload <= mtu::kLargestPayload);
    }
  }
  // A cancel is seen before the next request.
  SimulatedPath path;
  const std::atomic<bool> cancel{true};
  const mtu::Result result = mtu::Run(path, SimulatedPath::kAddress, cancel, nullptr);
  CHECK(result.end == mtu::End::kCancelled);
  CHECK(path.tried.empty());
}
