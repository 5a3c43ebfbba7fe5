#include "platform/win32/win32_pinger.h"

#include <windows.h>
#include <winsock.h>
#include <ipexport.h>

#include <cstring>

namespace {

using CreateFileProc = HANDLE(WINAPI*)();
using CloseHandleProc = BOOL(WINAPI*)(HANDLE);
using SendEchoProc = DWORD(WINAPI*)(HANDLE, IPAddr, LPVOID, WORD, PIP_OPTION_INFORMATION, LPVOID,
                                    DWORD, DWORD);
using StartupProc = int(WINAPI*)(WORD, LPWSADATA);
using CleanupProc = int(WINAPI*)();
using ResolveProc = struct hostent*(WINAPI*)(const char*);
using ParseAddressProc = unsigned long(WINAPI*)(const char*);

// The largest request and what comes back with it: the reply record, the data, and room for
// the eight bytes of an ICMP error.
constexpr DWORD kLargestRequest = 1472;
constexpr DWORD kReplyRoom = sizeof(ICMP_ECHO_REPLY) + kLargestRequest + 8 + 64;
constexpr UCHAR kTimeToLive = 64;

void (*Lookup(HMODULE library, const char* name))() {
  return library != nullptr ? reinterpret_cast<void (*)()>(GetProcAddress(library, name)) : nullptr;
}

template <typename Proc>
Proc As(void (*procedure)()) {
  return reinterpret_cast<Proc>(procedure);
}

}  // namespace

Win32Pinger::~Win32Pinger() {
  if (handle_ != 0 && closeHandle_ != nullptr) {
    As<CloseHandleProc>(closeHandle_)(reinterpret_cast<HANDLE>(handle_));
  }
  if (socketsStarted_ && cleanup_ != nullptr) As<CleanupProc>(cleanup_)();
  if (icmpLibrary_ != 0) FreeLibrary(reinterpret_cast<HMODULE>(icmpLibrary_));
  if (socketLibrary_ != 0) FreeLibrary(reinterpret_cast<HMODULE>(socketLibrary_));
}

bool Win32Pinger::Open() {
  if (handle_ != 0) return true;
  if (icmpLibrary_ == 0) {
    // Windows XP's icmp.dll only passes the calls on; where it is missing they are in
    // iphlpapi.dll.
    for (const char* name : {"icmp.dll", "iphlpapi.dll"}) {
      HMODULE library = LoadLibraryA(name);
      if (library == nullptr) continue;
      if (Lookup(library, "IcmpCreateFile") != nullptr &&
          Lookup(library, "IcmpSendEcho") != nullptr &&
          Lookup(library, "IcmpCloseHandle") != nullptr) {
        icmpLibrary_ = reinterpret_cast<std::uintptr_t>(library);
        break;
      }
      FreeLibrary(library);
    }
    if (icmpLibrary_ == 0) return false;
  }
  HMODULE icmp = reinterpret_cast<HMODULE>(icmpLibrary_);
  sendEcho_ = Lookup(icmp, "IcmpSendEcho");
  closeHandle_ = Lookup(icmp, "IcmpCloseHandle");
  if (socketLibrary_ == 0) {
    HMODULE sockets = LoadLibraryA("wsock32.dll");
    if (sockets == nullptr) return false;
    socketLibrary_ = reinterpret_cast<std::uintptr_t>(sockets);
  }
  HMODULE sockets = reinterpret_cast<HMODULE>(socketLibrary_);
  resolveName_ = Lookup(sockets, "gethostbyname");
  parseAddress_ = Lookup(sockets, "inet_addr");
  cleanup_ = Lookup(sockets, "WSACleanup");
  StartupProc startup = As<StartupProc>(Lookup(sockets, "WSAStartup"));
  if (resolveName_ == nullptr || parseAddress_ == nullptr || cleanup_ == nullptr ||
      startup == nullptr) {
    return false;
  }
  if (!socketsStarted_) {
    WSADATA data;
    if (startup(MAKEWORD(1, 1), &data) != 0) return false;
    socketsStarted_ = true;
  }
  HANDLE handle = As<CreateFileProc>(Lookup(icmp, "IcmpCreateFile"))();
  if (handle == INVALID_HANDLE_VALUE || handle == nullptr) return false;
  handle_ = reinterpret_cast<std::uintptr_t>(handle);
  return true;
}

bool Win32Pinger::Resolve(const std::string& host, std::uint32_t* address) {
  if (parseAddress_ == nullptr || resolveName_ == nullptr || host.empty()) return false;
  const unsigned long dotted = As<ParseAddressProc>(parseAddress_)(host.c_str());
  if (dotted != INADDR_NONE) {
    *address = static_cast<std::uint32_t>(dotted);
    return true;
  }
  const struct hostent* entry = As<ResolveProc>(resolveName_)(host.c_str());
  if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_length != 4 ||
      entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr) {
    return false;
  }
  std::memcpy(address, entry->h_addr_list[0], 4);
  return true;
}

EchoOutcome Win32Pinger::Echo(std::uint32_t address, std::uint32_t payload,
                              std::uint32_t timeoutMs) {
  if (handle_ == 0 || sendEcho_ == nullptr || payload > kLargestRequest) {
    return EchoOutcome::kNoReply;
  }
  char request[kLargestRequest];
  for (DWORD i = 0; i < payload; ++i) request[i] = static_cast<char>('a' + i % 23);
  DWORD reply[(kReplyRoom + sizeof(DWORD) - 1) / sizeof(DWORD)] = {};
  IP_OPTION_INFORMATION options = {};
  options.Ttl = kTimeToLive;
  options.Flags = IP_FLAG_DF;
  SetLastError(0);
  const DWORD replies = As<SendEchoProc>(sendEcho_)(
      reinterpret_cast<HANDLE>(handle_), static_cast<IPAddr>(address), request,
      static_cast<WORD>(payload), &options, reply, sizeof reply, timeoutMs);
  // Windows NT says why nothing came back through GetLastError, Windows 9x in the reply record.
  const ICMP_ECHO_REPLY* record = reinterpret_cast<const ICMP_ECHO_REPLY*>(reply);
  const DWORD status = replies != 0 ? record->Status : GetLastError();
  if (replies != 0 && status == IP_SUCCESS) return EchoOutcome::kReply;
  if (status == IP_PACKET_TOO_BIG || record->Status == IP_PACKET_TOO_BIG) {
    return EchoOutcome::kTooBig;
  }
  return EchoOutcome::kNoReply;
}
