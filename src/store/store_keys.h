// Where the settings live. Key and value names are the ones Windows defines; the registry
// ignores their case, but they are written here as Windows spells them.
#pragma once

#include "platform/registry.h"

// HKCU: the program's own key (installation folder, language) and the backup of the user's
// original settings below it. Other programs (the installer) rely on these names.
constexpr const char* kProgramKey = "Software\\Ovik Quarnel";
constexpr const char* kBackupKey = "Software\\Ovik Quarnel\\Original Settings";

namespace store_keys {

// HKCU: the browser's connection limits.
constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
// HKLM: TCP/IP of Windows 95/98/Me and of Windows NT/2000/XP.
constexpr const char* kMstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr const char* kTcpipParameters = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr const char* kInterfaces =
    "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";

// HKLM: the 9x device tree leading from the dial-up adapter to its TCP/IP transport.
constexpr const char* kEnumRootNet = "Enum\\Root\\Net";
constexpr const char* kEnumNetworkMstcp = "Enum\\Network\\MSTCP\\";
constexpr const char* kNetTransClass = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\";
constexpr const char* kDialUpAdapter = "Dial-Up Adapter";

// HKLM: the modem device class.
constexpr const char* kModemClass9x = "System\\CurrentControlSet\\Services\\Class\\Modem";
constexpr const char* kModemClassNt =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}";

// HKCU: the backup's per-adapter sub-keys (the backup key itself is kBackupKey).
constexpr const char* kMtuSettings = "MTU Settings";
constexpr const char* kMssSettings = "MSS Settings";
constexpr const char* kBackupMtuSettings =
    "Software\\Ovik Quarnel\\Original Settings\\MTU Settings";
constexpr const char* kBackupMssSettings =
    "Software\\Ovik Quarnel\\Original Settings\\MSS Settings";

// The longest name the 9x walks take (a registry key name has at most 255 characters).
constexpr std::uint32_t kNameBufferSize = 261;

}  // namespace store_keys
