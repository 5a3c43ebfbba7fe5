// What the wizard scenarios share: the screens of the walk in each Windows family, checks of
// what a screen shows, and registry look-ups that work on either backend's registry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "platform/registry.h"
#include "platform/toolkit.h"
#include "resources/resource.h"
#include "scenarios/driver.h"

namespace scenario {

// Registry paths the wizard touches.
constexpr const char* kBackupKey = "Software\\Ovik Quarnel\\Original Settings";
constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kTcpipNt = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr const char* kTcpip9x = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr const char* kInterfaceNt =
    "System\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\"
    "{7A6A2F51-3C1E-4F0B-9D2A-0C5E8B1D4F60}";
constexpr const char* kModemNt =
    "System\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}\\0000";
constexpr const char* kModem9x = "System\\CurrentControlSet\\Services\\Class\\Modem\\0000";

// The nine page templates, in template order.
extern const int kPageTemplates[9];

// One screen of the walk as the user sees it.
struct Screen {
  int page;  // the visible page's template, 0 on the introduction
  const char* title;
  const char* proceed;  // the Proceed button's caption
};

extern const Screen kIntroduction;
// The screens from the introduction to the last step, in walk order, for a family and whether
// a modem will be found when step 1 is left with dial-up.
std::vector<Screen> WalkScreens(bool nt, bool modem);

// Checks the caption, which page is visible, the Proceed caption, Back and the introduction's
// controls against `screen`; failures name `where`.
void ExpectScreen(WizardDriver& d, const Screen& screen, const std::string& where);

// Machines.
WizardSetup Machine(const std::string& windowsVersion, std::vector<std::string> fixtures = {});
bool IsNtVersion(const std::string& windowsVersion);

// Registry look-ups; false when the key or value is missing or has another size.
bool ReadDword(Registry& registry, RegKey hive, const char* path, const char* name,
               std::uint32_t* value);
bool ReadText(Registry& registry, RegKey hive, const char* path, const char* name,
              std::string* value);
bool ReadBinary(Registry& registry, RegKey hive, const char* path, const char* name,
                std::vector<std::uint8_t>* value);
// The value's type and exact bytes.
bool ReadTyped(Registry& registry, RegKey hive, const char* path, const char* name,
               std::uint32_t* type, std::string* bytes);
bool ValueExists(Registry& registry, RegKey hive, const char* path, const char* name);
bool KeyExists(Registry& registry, RegKey hive, const char* path);
// The key with everything below it as .reg text ("" when it does not exist), for before/after
// comparisons.
std::string Snapshot(Registry& registry, RegKey hive, const char* path);

// Every key whose values the wizard writes or restores (the TCP/IP keys of both families, the
// browser's, the modem classes'), for "as it was" comparisons.
std::string MachineState(Registry& registry);

// `setup` with the shipped language file resources/lang/<language>.ini installed and chosen.
WizardSetup InShippedLanguage(WizardSetup setup, const std::string& language);
// A text of that file as the program shows it ('*' as a line break).
std::string ShippedText(const std::string& language, const char* key);

// A file the program was given by its Windows path, as this test program opens it.
std::string LocalPath(const std::string& windowsPath);

// A 16 x 16 Windows bitmap, as a flag picture beside a language file.
std::string FlagBitmap();

// Counts the message boxes seen whose text is exactly `text`.
int CountBoxes(WizardDriver& d, const std::string& text);

}  // namespace scenario
