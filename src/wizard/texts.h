// Every text the wizard shows, named once: its key in the language files and its English.
// Control texts are keyed by the control's symbolic name, words, titles and messages by number.
#pragma once

#include <cstddef>

#include "lang/translate.h"

namespace text {

// Words the pages put together into sentences.
inline constexpr TextId kMilliseconds{"1", "milliseconds"};
inline constexpr TextId kWasSetTo{"2", "was set to"};
inline constexpr TextId kIsNotSet{"3", "isn't set."};
inline constexpr TextId kBytes{"4", "bytes"};
inline constexpr TextId kIsDisabled{"5", "is currently disabled."};
inline constexpr TextId kIsEnabled{"6", "is currently enabled."};
inline constexpr TextId kSeconds{"7", "seconds"};
inline constexpr TextId kWasSetToOption{"8", "was set to option"};

// The frame's buttons and caption.
inline constexpr TextId kFinish{"10", "Finish"};
inline constexpr TextId kNext{"20", "&Next >"};
inline constexpr TextId kProceed{"IDC_Next", "&Proceed"};
inline constexpr TextId kBack{"IDC_Back", "< &Back"};
inline constexpr TextId kExit{"IDCANCEL", "E&xit"};
inline constexpr TextId kProgramTitle{"18", "Ovik Quarnel"};
inline constexpr TextId kLanguage{"IDC_Language", "Language"};
inline constexpr TextId kResetSettings{"IDC_RESET_SETTINGS", "&Reset Connection Settings"};
inline constexpr TextId kIntroduction{
    "IDC_static_Introduction",
    "Are you bored from your internet connection speed?*Do you need faster internet surfing?*Do "
    "you want to keep your connection secure?*Do you want to speed up your modem , DSL and LAN "
    "connection speed?*Do you want to add more speeds greater than 115200 to your modem "
    "settings?*Are you bored from trying out different internet settings in order to get more "
    "speedy internet connections and nothing happen?*Do you want to speed up your internet "
    "connection without any networking and communication background required?*Do you want to "
    "achieve all this just by a couple of mouse clicks?**Ovik Quarnel offers you all these "
    "capabilities and more, just follow the instructions to have your own speed internet "
    "connections.**No more different settings trying, Ovik Quarnel will try for you those "
    "settings to give you the most appropriate settings for your own system."};
inline constexpr TextId kHint{
    "IDC_HINT",
    "Ovik Quarnel will save your original settings, so if you feel that Ovik Quarnel doesn't "
    "speed up your conection, you can reset your connection settings by simply click the 'Reset "
    "Connection Settings' Button.**So Good Luck ..."};

// Step titles: the NT family counts eight steps, the 9x family six.
inline constexpr TextId kTitleConnectionNt{"21", "Step 1 of 8 : Choose Connection Type"};
inline constexpr TextId kTitleMtuNt{"22", "Step 2 of 8 : Specify MTU Settings"};
inline constexpr TextId kTitlePathMtuNt{"23", "Step 3 of 8 : Other MTU Settings"};
inline constexpr TextId kTitleRwinNt{"24", "Step 4 of 8 : RWIN Setting"};
inline constexpr TextId kTitleTtlNt{"25", "Step 5 of 8 : TTL & Internet Explorer Optimization"};
inline constexpr TextId kTitleKeepAliveNt{"26", "Step 6 of 8 : Keep Alive Settings"};
inline constexpr TextId kTitleSyn{"27", "Step 7 of 8 : SYN Flood Attack Setting"};
inline constexpr TextId kTitleIcmp{"28", "Step 8 of 8 : ICMP Redirect Attack Setting"};
inline constexpr TextId kTitleModem{"29", "Boost the Modem"};
inline constexpr TextId kTitleConnection9x{"30", "Step 1 of 6 : Choose Connection Type"};
inline constexpr TextId kTitleMtu9x{"31", "Step 2 of 6 : Specify MTU Settings"};
inline constexpr TextId kTitlePathMtu9x{"32", "Step 3 of 6 : Other MTU Settings"};
inline constexpr TextId kTitleRwin9x{"33", "Step 4 of 6 : RWIN Setting"};
inline constexpr TextId kTitleTtl9x{"34", "Step 5 of 6 : TTL & Internet Explorer Optimization"};
inline constexpr TextId kTitleKeepAlive9x{"35", "Step 6 of 6 : Keep Alive Settings"};

// Messages.
inline constexpr TextId kRwinRange{"9", "Valid range of RWIN is from MSS to 1073741823."};
inline constexpr TextId kApplied{
    "41",
    "Congratulation, Ovik Quarnel has boosted your internet connections.\n"
    "Please, restart your computer in order to feel the change."};
inline constexpr TextId kRestored{"42",
                                  "Ovik Quarnel has reset your system to the backup settings.\n"
                                  "Please, restart your computer in order to feel the change."};
inline constexpr TextId kOverwriteBackup{
    "43",
    "Now, your old connection settings saved as backup will be overwritten with the current "
    "settings.*Do you want to proceed?"};
inline constexpr TextId kNotAllWritten{
    "44",
    "Some of your connection settings could not be written, so they were not all changed.*On "
    "Windows NT, 2000 and XP, log on as an administrator and run Ovik Quarnel again."};
inline constexpr TextId kBackupNotSaved{
    "45",
    "Ovik Quarnel could not save your original settings, so 'Reset Connection Settings' could "
    "not bring them back.*Do you want to go on anyway?"};
inline constexpr TextId kUnknownWindows{
    "79", "Failed to detect your Windows version so we can't boost your connection."};
inline constexpr TextId kCommandLineUsage{
    "180",
    "Ovik Quarnel tunes this PC without the wizard when started with one of these:**"
    "/apply PROFILE.ini  -  save the backup (one already there is kept), then write the profile*"
    "/review PROFILE.ini  -  log what /apply would change, changing nothing*"
    "/restore  -  put the backup back, as 'Reset Connection Settings' does*"
    "/defaults  -  give Windows back its own values*"
    "/export FILE.reg  -  save the backup as a .reg file*"
    "/log FILE  -  with any of these: add a line for every value to FILE**"
    "Exit codes: 0 done, 1 nothing to do, 2 bad command line or profile (nothing written), "
    "3 Windows refused a value (the backup is kept), 4 this Windows version is not supported."};

// Step 1.
inline constexpr TextId kConnectionQuestion{"IDC_static_step2_Explain",
                                            "How do you connect to the internet?"};
inline constexpr TextId kDialUp{"IDC_step2_RADIO_DialUp", "Dial Up Connection (&Modem)."};
inline constexpr TextId kCableModem{"IDC_step2_RADIO_CableModem", "&Cable Modem."};
inline constexpr TextId kDsl{"IDC_step2_RADIO_DSL", "&Digital Subscriber Line (DSL)."};
inline constexpr TextId kLan{"IDC_step2_RADIO_LAN", "&LAN Connection (Ethernet)."};

// Step 2.
inline constexpr TextId kMtuExplain{
    "IDC_static_step3_MTUExplain",
    "MTU stands for Maximum Transmission Unit and in basic terms, it defines the maximum size of "
    "a packet that can be transferred in one frame over a network.**MTU"};
inline constexpr TextId kMssExplain{
    "IDC_static_step3_MSSExplain",
    "MSS or Maximum Segment Size defines how much actual data can put in that packet, and it is "
    "therefore a marginally smaller value than MTU to allow for packet addressing and other "
    "information.**MSS"};
inline constexpr TextId kRecommendedMtu{"IDC_static_RecommendedMTU",
                                        "Recommended MTU size  :  %d bytes."};
inline constexpr TextId kRecommendedMss{"IDC_static_RecommendedMSS",
                                        "Recommended MSS size  :  %d bytes."};
inline constexpr TextId kFindMtu{"IDC_MTU_FIND", "&Find..."};

// Step 3.
inline constexpr TextId kDiscoveryExplain{
    "IDC_static_step4_MTUDiscoveryExplain",
    "Remote networks also have an MTU value, which is almost always different from that of the "
    "local network. Enabling this registry key tells TCP/IP to try to automatically detect the "
    "MTU for all networks along the path to a remote host. Once TCP/IP knows the MTU for all "
    "networks along a path, it can avoid using MTU values that are too high, thus avoiding "
    "packet fragmentation and the performance problems that come with it.**Remote networks' "
    "MTU"};
inline constexpr TextId kBlackHoleExplain{
    "IDC_static_step4_BlackHoeDetectExplain",
    "Black hole routers are configured not to return the Destination Host Unreachable messages "
    "that are used by path MTU discovery. Normally, when TCP/IP performs path MTU discovery, the "
    "process works by sending out a packet of data with the DF (Don't Fragment) bit set. If the "
    "PC sending out the packet receives a Destination Host Unreachable message, it means that "
    "the MTU for that particular network may be too high; in this case, TCP/IP will try to use "
    "a lower value.**Black hole routers"};
inline constexpr TextId kDiscoveryAdvice{"IDC_static_MTUDiscovery", "Recommended to be ENABLED."};
inline constexpr TextId kBlackHoleAdvice{
    "IDC_static_BlackHoleDetect",
    "Recommended to be DISABLED since it imposes extra transmission overhead."};
inline constexpr TextId kDisableDiscovery{"IDC_chk_MTUDiscovery", "Disable It?"};
inline constexpr TextId kEnableBlackHole{"IDC_chk_BlackHoleDetection", "Enable It?"};

// Step 4.
inline constexpr TextId kRwinExplain{
    "IDC_static_step5_Explain",
    "RWIN (Receive WINdow) is the buffer your machine waits to fill with data before attending "
    "to whatever other TCP transactions are occurring on the other threads and sockets WinSock "
    "has to be open while a connection is in progress.**RWIN"};
inline constexpr TextId kRecommendedRwin{"IDC_static_RecommendedRWIN",
                                         "Recommended RWIN size  :  %d bytes."};
inline constexpr TextId kScalingFactor{"IDC_STATIC_SCALING_FACTOR", "Scaling Factor"};
inline constexpr TextId kMultiplier{"IDC_STATIC_MULTIPLIER", "Multiplier"};

// Step 5.
inline constexpr TextId kTtlExplain{
    "IDC_static_step6_Explain",
    "The value of TTL (Time To Live) defines how long a packet can stay "
    "active before being discarded.**TTL"};
inline constexpr TextId kRecommendedTtl{"IDC_static_RecommendedTTL",
                                        "Recommended TTL  :  %d seconds."};
inline constexpr TextId kBrowserGroup{"IDC_IE_GROUP_BOX", "Internet Explorer Optimization"};
inline constexpr TextId kBrowserExplain{
    "IDC_IE_OPTIMIZATION",
    "Optimize Internet Explorer by setting the maximum number of simultaneous requests for "
    "accessing type 1.0 or 1.1 HTTP servers."};
inline constexpr TextId kCurrentHttp10{"IDC_CURRENT_HTTP_1_0", "HTTP 1.0 value"};
inline constexpr TextId kRecommendedHttp10{"IDC_RECOMMENDED_HTTP_1_0",
                                           "Recommended value for HTTP 1.0  :  %d."};
inline constexpr TextId kCurrentHttp11{"IDC_CURRENT_HTTP_1_1", "HTTP 1.1 value"};
inline constexpr TextId kRecommendedHttp11{"IDC_RECOMMENDED_HTTP_1_1",
                                           "Recommended value for HTTP 1.1  :  %d."};

// Step 6.
inline constexpr TextId kKeepAliveTimeExplain{
    "IDC_static_step7_KeepAliveTimeExplain",
    "Keep Alive Time is the number of milliseconds to wait before sending keep alive packets, "
    "which are used in order to tell the network that you are still online so that the "
    "connection won't be disconnected.**Keep Alive Time"};
inline constexpr TextId kKeepAliveIntervalExplain{
    "IDC_static_step7_KeepLAliveIntervalExplain",
    "Keep Alive Interval is the time in milliseconds between retransmissions of keepalives, once "
    "the Keep Alive Time has expired.**Keep Alive Interval"};
inline constexpr TextId kRecommendedKeepAliveTime{
    "IDC_static_RecommendedKeepAliveTime", "Recommended Keep Alive Time  :  %d milliseconds."};
inline constexpr TextId kRecommendedKeepAliveInterval{
    "IDC_static_RecommendedKeepAliveInterval",
    "Recommended Keep Alive Interval  :  %d milliseconds."};

// Step 7.
inline constexpr TextId kSynExplain{
    "IDC_static_step8_SYNExplain",
    "Windows includes protection that allows it to detect and adjust when the system is being "
    "targeted with a SYN flood attack (a type of denial of service attack). When enabled the "
    "connection responses time out more quickly in the event of an attack."};
inline constexpr TextId kSynLevels{
    "IDC_static_RecommendedSYN",
    "0 - (default) - typical protection against SYN attacks.*1 - better protection against SYN "
    "attacks.*2 - (recommended) - best protection against SYN attacks.**This value adds "
    "additional delays to connection indications, and TCP connection requests quickly timesout "
    "when a SYN attack is in progress.**This value"};
inline constexpr TextId kSynPrompt{"IDC_STATIC_SYN", "What will be your decision?"};

// Step 8.
inline constexpr TextId kEnableIcmp{"IDC_chk_ICMP", "Enable It?"};
inline constexpr TextId kIcmpExplain1{
    "IDC_static_step9_ICMPExplain",
    "Your computer may stop responding (hang) or the computer's performance may degrade "
    "drastically when connected to an internetwork segment or to the Internet."};
inline constexpr TextId kIcmpExplain2{
    "IDC_static_step9_ICMPExplain2",
    "The Performance tool's Processor Utilization object may indicate 100 percent utilization."};
inline constexpr TextId kIcmpExplain3{
    "IDC_static_step9_ICMPExplain3",
    "If the computer is disconnected from the network segment or the Internet and then "
    "restarted, the problem does not occur again until the computer is reconnected to the "
    "network segment or Internet."};
inline constexpr TextId kIcmpExplain4{
    "IDC_static_step9_ICMPExplain4",
    "This problem is caused by the receipt of multiple Internet Control Message Protocol (ICMP) "
    "Redirect packets that are used to change routing table entries. Too many ICMP Redirect "
    "packets in a short period of time may cause Windows to dedicate an inordinate amount of CPU "
    "time to update the routing table and cause the computer to stop responding. In many cases, "
    "this scenario indicates a denial of service attack through the use of a program to send "
    "multiple ICMP Redirect packets against a specific TCP/IP address.**ICMP"};
inline constexpr TextId kIcmpAdvice{"IDC_RecommendedICMP", "Recommended to be DISABLED."};

// The modem step. The built-in text breaks its lines itself; a translation uses '*'.
inline constexpr TextId kModemDescription{
    "IDC_DESCRIBTION",
    "You are equipped with an internal or external analog 56K modem?\n"
    "It is possible for you to boost the speed of the port on which it is connected.\n"
    "Originally, when you click on Control panel then Modem\\Properties, you see that the maximum "
    "speed of the COM port is limited to 115200 bps.\n"
    "\n"
    "Here we will add 3 additional port speeds (230400, 460800, 921600 bps).\n"
    "\n"
    "You need to test each speed manually to find the suitable speed based on your modem model."};

// The About box.
inline constexpr TextId kAboutOk{"IDOK", "OK"};
inline constexpr TextId kAboutVersion{"IDC_STATIC2", "Version"};

// The MTU finder. "%s" is the host as the user typed it.
inline constexpr TextId kMtuFinderTitle{"100", "Find the Largest MTU"};
inline constexpr TextId kMtuHostLabel{"IDC_MTU_HOST_LABEL", "&Host name or address:"};
inline constexpr TextId kMtuHint{
    "IDC_MTU_HINT", "Enter a web site you use, such as www.example.com, or its address."};
inline constexpr TextId kMtuStart{"IDC_MTU_START", "&Start"};
inline constexpr TextId kMtuUse{"IDC_MTU_USE", "&Use This MTU"};
inline constexpr TextId kMtuCancel{"101", "Cancel"};
inline constexpr TextId kMtuClose{"102", "Close"};
inline constexpr TextId kMtuLookingUp{"103", "Looking up the host..."};
inline constexpr TextId kMtuTriedFits{"104", "Trying %d bytes: fits"};
inline constexpr TextId kMtuTriedTooBig{"105", "Trying %d bytes: too big"};
inline constexpr TextId kMtuTriedNoReply{"106", "Trying %d bytes: no answer"};
inline constexpr TextId kMtuResult{
    "107", "The largest packet that reaches %s without being split: %d bytes, so the MTU is %d."};
inline constexpr TextId kMtuUnknownHost{
    "108", "The host %s is unknown. Check its spelling and the connection to the internet."};
inline constexpr TextId kMtuNoAnswer{
    "109", "%s did not answer, not even at the smallest size (576). Try another web site."};
inline constexpr TextId kMtuNoIcmp{
    "110", "This computer cannot send the test packets: ICMP (icmp.dll) is missing."};
inline constexpr TextId kMtuNoHost{"111", "Enter a host name or address first."};
// Review of Finish's changes, the backup file and Windows' defaults.
inline constexpr TextId kReviewChanges{"IDC_REVIEW_CHANGES", "Re&view Changes..."};
inline constexpr TextId kReviewExplain{
    "IDC_REVIEW_EXPLAIN",
    "Finish will make these changes. You can select the lines and copy them with Ctrl+C."};
inline constexpr TextId kReviewClose{"IDC_REVIEW_CLOSE", "Close"};
inline constexpr TextId kNotSetWord{"160", "not set"};
inline constexpr TextId kUnreadableWord{"161", "unreadable"};
inline constexpr TextId kUnchangedWord{"162", "unchanged"};
inline constexpr TextId kDeleteWord{"163", "delete"};
inline constexpr TextId kAdapterWord{"164", "adapter"};
inline constexpr TextId kModemWord{"165", "modem"};
inline constexpr TextId kSaveBackupAs{"IDM_SAVE_BACKUP", "Save &Backup As..."};
inline constexpr TextId kRestoreDefaults{"IDM_RESTORE_DEFAULTS", "Restore Windows &Defaults..."};
inline constexpr TextId kRegFiles{"166", "Registration Files"};
inline constexpr TextId kDeleteByHand{"167", "Delete this value by hand:"};
inline constexpr TextId kDefaultsQuestion{
    "168",
    "Ovik Quarnel will delete every connection setting it manages (TCP/IP, Internet Explorer "
    "and the adapters' MTU and MSS), so that Windows uses its built-in values. If no backup "
    "exists, your current settings are saved first, so that 'Reset Connection Settings' can "
    "bring them back. The modem's port speeds are left as they are.*Do you want to proceed?"};
inline constexpr TextId kBackupFileNotSaved{
    "169",
    "Ovik Quarnel could not save the backup to this file.*Choose a folder you can write to and "
    "try again."};

// Every text above by the window it appears in: what a language file can hold.
struct TextGroup {
  const char* where;
  const TextId* const* texts;
  std::size_t count;
};
inline constexpr const TextId* kGroup0[] = {&kMilliseconds, &kWasSetTo,      &kIsNotSet,
                                            &kBytes,        &kIsDisabled,    &kIsEnabled,
                                            &kSeconds,      &kWasSetToOption};
inline constexpr const TextId* kGroup1[] = {
    &kFinish,       &kNext,     &kProceed,       &kBack,         &kExit,
    &kProgramTitle, &kLanguage, &kResetSettings, &kIntroduction, &kHint};
inline constexpr const TextId* kGroup2[] = {
    &kTitleConnectionNt, &kTitleMtuNt,     &kTitlePathMtuNt, &kTitleRwinNt, &kTitleTtlNt,
    &kTitleKeepAliveNt,  &kTitleSyn,       &kTitleIcmp,      &kTitleModem,  &kTitleConnection9x,
    &kTitleMtu9x,        &kTitlePathMtu9x, &kTitleRwin9x,    &kTitleTtl9x,  &kTitleKeepAlive9x};
inline constexpr const TextId* kGroup3[] = {&kRwinRange,       &kApplied,         &kRestored,
                                            &kOverwriteBackup, &kNotAllWritten,   &kBackupNotSaved,
                                            &kUnknownWindows,  &kCommandLineUsage};
inline constexpr const TextId* kGroup4[] = {&kConnectionQuestion, &kDialUp, &kCableModem, &kDsl,
                                            &kLan};
inline constexpr const TextId* kGroup5[] = {&kMtuExplain, &kMssExplain, &kRecommendedMtu,
                                            &kRecommendedMss, &kFindMtu};
inline constexpr const TextId* kGroup6[] = {&kDiscoveryExplain, &kBlackHoleExplain,
                                            &kDiscoveryAdvice,  &kBlackHoleAdvice,
                                            &kDisableDiscovery, &kEnableBlackHole};
inline constexpr const TextId* kGroup7[] = {&kRwinExplain, &kRecommendedRwin, &kScalingFactor,
                                            &kMultiplier};
inline constexpr const TextId* kGroup8[] = {
    &kTtlExplain,    &kRecommendedTtl,    &kBrowserGroup,  &kBrowserExplain,
    &kCurrentHttp10, &kRecommendedHttp10, &kCurrentHttp11, &kRecommendedHttp11};
inline constexpr const TextId* kGroup9[] = {&kKeepAliveTimeExplain, &kKeepAliveIntervalExplain,
                                            &kRecommendedKeepAliveTime,
                                            &kRecommendedKeepAliveInterval};
inline constexpr const TextId* kGroup10[] = {&kSynExplain, &kSynLevels, &kSynPrompt};
inline constexpr const TextId* kGroup11[] = {&kEnableIcmp,   &kIcmpExplain1, &kIcmpExplain2,
                                             &kIcmpExplain3, &kIcmpExplain4, &kIcmpAdvice};
inline constexpr const TextId* kGroup12[] = {&kModemDescription};
inline constexpr const TextId* kGroup13[] = {&kAboutOk, &kAboutVersion};
inline constexpr const TextId* kGroup14[] = {
    &kMtuFinderTitle, &kMtuHostLabel,   &kMtuHint,         &kMtuStart,
    &kMtuUse,         &kMtuCancel,      &kMtuClose,        &kMtuLookingUp,
    &kMtuTriedFits,   &kMtuTriedTooBig, &kMtuTriedNoReply, &kMtuResult,
    &kMtuUnknownHost, &kMtuNoAnswer,    &kMtuNoIcmp,       &kMtuNoHost};
inline constexpr const TextId* kGroup15[] = {
    &kReviewChanges,   &kReviewExplain, &kReviewClose,  &kNotSetWord,       &kUnreadableWord,
    &kUnchangedWord,   &kDeleteWord,    &kAdapterWord,  &kModemWord,        &kSaveBackupAs,
    &kRestoreDefaults, &kRegFiles,      &kDeleteByHand, &kDefaultsQuestion, &kBackupFileNotSaved};
inline constexpr TextGroup kCatalogue[] = {
    {"Words of the steps' sentences on the values found", kGroup0,
     sizeof kGroup0 / sizeof kGroup0[0]},
    {"Main window: caption, buttons, introduction", kGroup1, sizeof kGroup1 / sizeof kGroup1[0]},
    {"Window captions of the steps (NT family: 8 steps, 9x family: 6)", kGroup2,
     sizeof kGroup2 / sizeof kGroup2[0]},
    {"Message boxes", kGroup3, sizeof kGroup3 / sizeof kGroup3[0]},
    {"Step 1: connection type", kGroup4, sizeof kGroup4 / sizeof kGroup4[0]},
    {"Step 2: MTU and MSS", kGroup5, sizeof kGroup5 / sizeof kGroup5[0]},
    {"Step 3: path-MTU discovery", kGroup6, sizeof kGroup6 / sizeof kGroup6[0]},
    {"Step 4: receive window", kGroup7, sizeof kGroup7 / sizeof kGroup7[0]},
    {"Step 5: TTL and browser connections", kGroup8, sizeof kGroup8 / sizeof kGroup8[0]},
    {"Step 6: keep-alive", kGroup9, sizeof kGroup9 / sizeof kGroup9[0]},
    {"Step 7: SYN flood protection", kGroup10, sizeof kGroup10 / sizeof kGroup10[0]},
    {"Step 8: ICMP redirects", kGroup11, sizeof kGroup11 / sizeof kGroup11[0]},
    {"Modem step", kGroup12, sizeof kGroup12 / sizeof kGroup12[0]},
    {"About box", kGroup13, sizeof kGroup13 / sizeof kGroup13[0]},
    {"MTU finder (step 2)", kGroup14, sizeof kGroup14 / sizeof kGroup14[0]},
    {"Review of the changes, the backup file and Windows' defaults (system menu)", kGroup15,
     sizeof kGroup15 / sizeof kGroup15[0]},
};

}  // namespace text
