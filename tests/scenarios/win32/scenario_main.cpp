// Runs every registered scenario as one case against the real Quarnel.exe. The program is found
// beside this one or one folder up (build/<preset>/Quarnel.exe next to build/<preset>/tests/),
// or where QUARNEL_EXE says.
#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "support/check.h"
#include "scenarios/driver.h"
#include "scenarios/win32/wine_wizard_driver.h"

namespace {

constexpr const char* kScenarioSuite = "scenario";
std::string g_program;

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPath(const std::string& path) {
  char full[MAX_PATH + 1] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

std::string FindProgram() {
  if (const char* chosen = std::getenv("QUARNEL_EXE")) return FullPath(chosen);
  char self[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
  std::string folder(self, length);
  folder = folder.substr(0, folder.find_last_of("\\/"));
  for (const char* candidate : {"\\Quarnel.exe", "\\..\\Quarnel.exe"}) {
    const std::string path = FullPath(folder + candidate);
    if (FileExists(path)) return path;
  }
  return std::string();
}

void RunScenario(std::size_t index) {
  if (g_program.empty() || !FileExists(g_program)) {
    check::Fail(__FILE__, __LINE__, "Quarnel.exe not found (set QUARNEL_EXE)");
    return;
  }
  WineWizardDriver driver(g_program);
  Scenarios()[index].second(driver);
  driver.EndCase();
}

// The harness takes plain function pointers, so each scenario gets a runner of its own.
constexpr std::size_t kMaxScenarios = 512;

template <std::size_t I>
void RunScenarioAt() {
  RunScenario(I);
}

template <std::size_t... I>
constexpr std::array<check::TestFn, sizeof...(I)> MakeRunners(std::index_sequence<I...>) {
  return {{&RunScenarioAt<I>...}};
}

constexpr std::array<check::TestFn, kMaxScenarios> kRunners =
    MakeRunners(std::make_index_sequence<kMaxScenarios>());

}  // namespace

int main(int argc, char** argv) {
  g_program = FindProgram();
  const auto& scenarios = Scenarios();
  if (scenarios.size() > kRunners.size()) {
    std::printf("too many scenarios (%u); raise kMaxScenarios\n",
                static_cast<unsigned>(scenarios.size()));
    return 1;
  }
  for (std::size_t i = 0; i < scenarios.size(); ++i)
    check::Registrar(kScenarioSuite, scenarios[i].first, kRunners[i]);
  return check::RunAll(argc, argv);
}
