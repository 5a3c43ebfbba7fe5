// A network path as the MTU finder sees it through its pinger: one host name that resolves, the
// smallest MTU on the way, replies that get lost, a host that never answers, a router that drops
// big packets without a word, and a machine without ICMP.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/pinger.h"

class SimulatedPath : public Pinger {
 public:
  static constexpr std::uint32_t kAddress = 0x0202090A;  // 10.9.2.2 in network byte order

  std::string host = "10.9.2.2";  // the one name that resolves
  std::uint32_t mtu = 1500;
  bool answers = true;               // false: the host never answers
  int lostPerSize = 0;               // replies lost at each size before one comes back
  bool saysTooBig = true;            // false: a router drops what it can't pass and says nothing
  bool icmp = true;                  // false: the machine has no ICMP
  std::vector<std::uint32_t> tried;  // each request's payload, in order

  bool Open() override { return icmp; }
  bool Resolve(const std::string& name, std::uint32_t* address) override {
    if (name != host) return false;
    *address = kAddress;
    return true;
  }
  EchoOutcome Echo(std::uint32_t address, std::uint32_t payload, std::uint32_t) override {
    tried.push_back(payload);
    if (address != kAddress) return EchoOutcome::kNoReply;
    if (payload + 28 > mtu) return saysTooBig ? EchoOutcome::kTooBig : EchoOutcome::kNoReply;
    if (!answers || lost_[payload]++ < lostPerSize) return EchoOutcome::kNoReply;
    return EchoOutcome::kReply;
  }

 private:
  std::map<std::uint32_t, int> lost_;
};
