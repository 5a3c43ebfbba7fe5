#include "scenarios/scenario_support.h"

#include <fstream>
#include <iterator>

#include "fakes/reg_file.h"
#include "support/check.h"

namespace scenario {

const int kPageTemplates[9] = {IDD_STEP_CONNECTION, IDD_STEP_MTU,  IDD_STEP_PATH_MTU,
                               IDD_STEP_RWIN,       IDD_STEP_TTL,  IDD_STEP_KEEPALIVE,
                               IDD_STEP_SYN,        IDD_STEP_ICMP, IDD_STEP_MODEM};

const Screen kIntroduction = {0, "Ovik Quarnel", "&Proceed"};

namespace {

const char* const kNext = "&Next >";
const char* const kFinish = "Finish";

const int kIntroductionControls[] = {IDC_RESET_SETTINGS, IDC_static_Introduction, IDC_HINT,
                                     IDC_LANGUAGE_LIST, IDC_Language};

}  // namespace

std::vector<Screen> WalkScreens(bool nt, bool modem) {
  std::vector<Screen> screens;
  if (nt) {
    screens = {
        {IDD_STEP_CONNECTION, "Step 1 of 8 : Choose Connection Type", kNext},
        {IDD_STEP_MTU, "Step 2 of 8 : Specify MTU Settings", kNext},
        {IDD_STEP_PATH_MTU, "Step 3 of 8 : Other MTU Settings", kNext},
        {IDD_STEP_RWIN, "Step 4 of 8 : RWIN Setting", kNext},
        {IDD_STEP_TTL, "Step 5 of 8 : TTL & Internet Explorer Optimization", kNext},
        {IDD_STEP_KEEPALIVE, "Step 6 of 8 : Keep Alive Settings", kNext},
        {IDD_STEP_SYN, "Step 7 of 8 : SYN Flood Attack Setting", kNext},
        {IDD_STEP_ICMP, "Step 8 of 8 : ICMP Redirect Attack Setting", modem ? kNext : kFinish},
    };
  } else {
    screens = {
        {IDD_STEP_CONNECTION, "Step 1 of 6 : Choose Connection Type", kNext},
        {IDD_STEP_MTU, "Step 2 of 6 : Specify MTU Settings", kNext},
        {IDD_STEP_PATH_MTU, "Step 3 of 6 : Other MTU Settings", kNext},
        {IDD_STEP_RWIN, "Step 4 of 6 : RWIN Setting", kNext},
        {IDD_STEP_TTL, "Step 5 of 6 : TTL & Internet Explorer Optimization", kNext},
        {IDD_STEP_KEEPALIVE, "Step 6 of 6 : Keep Alive Settings", modem ? kNext : kFinish},
    };
  }
  if (modem) screens.push_back({IDD_STEP_MODEM, "Boost the Modem", kFinish});
  return screens;
}

void ExpectScreen(WizardDriver& d, const Screen& screen, const std::string& where) {
  check::Scope scope(where);
  CHECK_EQ(d.Caption(), std::string(screen.title));
  for (int page : kPageTemplates) {
    check::Scope pageScope("page " + std::to_string(page));
    CHECK_EQ(d.Visible(page, 0), page == screen.page);
  }
  CHECK_EQ(d.Text(kFrame, IDC_Next), std::string(screen.proceed));
  CHECK_EQ(d.Enabled(kFrame, IDC_Back), screen.page != 0);
  CHECK(d.Enabled(kFrame, IDC_Next));
  for (int id : kIntroductionControls) {
    check::Scope controlScope("frame control " + std::to_string(id));
    CHECK_EQ(d.Visible(kFrame, id), screen.page == 0);
  }
}

bool IsNtVersion(const std::string& windowsVersion) {
  return windowsVersion == "nt40" || windowsVersion == "win2k" || windowsVersion == "winxp";
}

WizardSetup Machine(const std::string& windowsVersion, std::vector<std::string> fixtures) {
  WizardSetup setup;
  setup.windowsVersion = windowsVersion;
  setup.regFixtures = std::move(fixtures);
  return setup;
}

namespace {

bool Query(Registry& registry, RegKey hive, const char* path, const char* name,
           std::vector<std::uint8_t>* data) {
  ScopedKey key(registry);
  if (key.Open(hive, path) != kRegOk) return false;
  std::uint32_t size = 0;
  if (registry.QueryValue(key.get(), name, nullptr, nullptr, &size) != kRegOk) return false;
  data->assign(size, 0);
  if (size == 0) return true;
  return registry.QueryValue(key.get(), name, nullptr, data->data(), &size) == kRegOk &&
         size == data->size();
}

}  // namespace

bool ReadDword(Registry& registry, RegKey hive, const char* path, const char* name,
               std::uint32_t* value) {
  std::vector<std::uint8_t> data;
  if (!Query(registry, hive, path, name, &data) || data.size() != 4) return false;
  *value = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
           static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
  return true;
}

bool ReadText(Registry& registry, RegKey hive, const char* path, const char* name,
              std::string* value) {
  std::vector<std::uint8_t> data;
  if (!Query(registry, hive, path, name, &data)) return false;
  // The text up to its terminator; 9x and NT differ in what follows it.
  std::string text(data.begin(), data.end());
  const std::string::size_type end = text.find('\0');
  *value = end == std::string::npos ? text : text.substr(0, end);
  return true;
}

bool ReadBinary(Registry& registry, RegKey hive, const char* path, const char* name,
                std::vector<std::uint8_t>* value) {
  return Query(registry, hive, path, name, value);
}

bool ReadTyped(Registry& registry, RegKey hive, const char* path, const char* name,
               std::uint32_t* type, std::string* bytes) {
  ScopedKey key(registry);
  if (key.Open(hive, path) != kRegOk) return false;
  std::uint8_t data[512];
  std::uint32_t size = sizeof data;
  if (registry.QueryValue(key.get(), name, type, data, &size) != kRegOk) return false;
  bytes->assign(reinterpret_cast<const char*>(data), size);
  return true;
}

bool ValueExists(Registry& registry, RegKey hive, const char* path, const char* name) {
  std::vector<std::uint8_t> data;
  return Query(registry, hive, path, name, &data);
}

bool KeyExists(Registry& registry, RegKey hive, const char* path) {
  ScopedKey key(registry);
  return key.Open(hive, path) == kRegOk;
}

std::string Snapshot(Registry& registry, RegKey hive, const char* path) {
  std::string text;
  if (!SaveRegText(registry, hive, path, &text)) return std::string();
  return text;
}

std::string MachineState(Registry& registry) {
  std::string state;
  for (const char* path : {kTcpipNt, kTcpip9x, "System\\CurrentControlSet\\Services\\Class\\Modem",
                           "System\\CurrentControlSet\\Control\\Class\\"
                           "{4D36E96D-E325-11CE-BFC1-08002BE10318}"}) {
    state += Snapshot(registry, kHkeyLocalMachine, path);
  }
  return state + Snapshot(registry, kHkeyCurrentUser, kInternetSettings);
}

namespace {

std::string ShippedFile(const std::string& language) {
  std::ifstream in(check::FixturePath("../../resources/lang/" + language + ".ini"),
                   std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

WizardSetup InShippedLanguage(WizardSetup setup, const std::string& language) {
  setup.languageFiles.push_back({language, ShippedFile(language)});
  setup.language = language;
  return setup;
}

std::string ShippedText(const std::string& language, const char* key) {
  const std::string file = ShippedFile(language);
  const std::string start = std::string("\n") + key + "=";
  const std::size_t at = file.find(start);
  if (at == std::string::npos) return std::string();
  std::string text = file.substr(at + start.size(), file.find('\r', at + 1) - at - start.size());
  for (char& c : text) c = c == '*' ? '\n' : c;
  return text;
}

std::string LocalPath(const std::string& windowsPath) {
#ifdef _WIN32
  return windowsPath;
#else
  // Wine's Z: drive is the root of the host's.
  std::string path = windowsPath.substr(windowsPath.rfind(':') == 1 ? 2 : 0);
  for (char& c : path) c = c == '\\' ? '/' : c;
  return path;
#endif
}

std::string FlagBitmap() {
  auto le = [](std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
  };
  const std::uint32_t pixels = 16 * 16 * 3;
  std::string bmp = "BM" + le(54 + pixels, 4) + le(0, 4) + le(54, 4);
  bmp += le(40, 4) + le(16, 4) + le(16, 4) + le(1, 2) + le(24, 2) + le(0, 4) + le(pixels, 4) +
         le(2835, 4) + le(2835, 4) + le(0, 4) + le(0, 4);
  // Three bands: blue, white, red.
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x)
      bmp += x < 5    ? std::string("\xC0\0\0", 3)
             : x < 11 ? "\xFF\xFF\xFF"
                      : std::string("\0\0\xC0", 3);
  }
  return bmp;
}

int CountBoxes(WizardDriver& d, const std::string& text) {
  int count = 0;
  for (const SeenMessageBox& box : d.MessageBoxesSeen()) count += box.text == text ? 1 : 0;
  return count;
}

}  // namespace scenario
