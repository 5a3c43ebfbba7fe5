// ICMP echo with "don't fragment": what the MTU finder needs of the network. The win32 side
// loads icmp.dll and winsock at run time; tests put a simulated path here.
#pragma once

#include <cstdint>
#include <string>

enum class EchoOutcome {
  kReply,    // the echo came back whole
  kTooBig,   // a router on the way would have had to split it ("fragmentation needed")
  kNoReply,  // nothing within the time, or an error that says nothing about the size
};

class Pinger {
 public:
  virtual ~Pinger() = default;

  // Loads what sending echoes takes; false when this machine has no ICMP (the DLL or one of
  // its calls is missing). Called on the UI thread before any other call.
  virtual bool Open() = 0;
  // A host name or dotted address to an IPv4 address (network byte order); false when the
  // name is unknown. May take seconds: called beside the UI thread.
  virtual bool Resolve(const std::string& host, std::uint32_t* address) = 0;
  // One echo request of `payload` data bytes, "don't fragment" set, TTL 64, waiting at most
  // `timeoutMs` for the answer. Called beside the UI thread.
  virtual EchoOutcome Echo(std::uint32_t address, std::uint32_t payload,
                           std::uint32_t timeoutMs) = 0;
};
