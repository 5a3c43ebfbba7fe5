// Echo requests through the ICMP helper calls and host names through winsock, both looked up at
// run time: Windows 95 has icmp.dll and wsock32.dll, Windows XP keeps the calls in iphlpapi.dll
// too, and a machine without them must still start the wizard.
#pragma once

#include <cstdint>

#include "platform/pinger.h"

class Win32Pinger : public Pinger {
 public:
  Win32Pinger() = default;
  ~Win32Pinger() override;
  Win32Pinger(const Win32Pinger&) = delete;
  Win32Pinger& operator=(const Win32Pinger&) = delete;

  bool Open() override;
  bool Resolve(const std::string& host, std::uint32_t* address) override;
  EchoOutcome Echo(std::uint32_t address, std::uint32_t payload, std::uint32_t timeoutMs) override;

 private:
  using Procedure = void (*)();
  std::uintptr_t icmpLibrary_ = 0;
  std::uintptr_t socketLibrary_ = 0;
  std::uintptr_t handle_ = 0;  // IcmpCreateFile's; 0 while closed
  bool socketsStarted_ = false;
  Procedure sendEcho_ = nullptr;
  Procedure closeHandle_ = nullptr;
  Procedure resolveName_ = nullptr;
  Procedure parseAddress_ = nullptr;
  Procedure cleanup_ = nullptr;
};
