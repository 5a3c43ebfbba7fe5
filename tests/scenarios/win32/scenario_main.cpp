// Runs every registered scenario as one case against the real Quarnel.exe. The program is found
// beside this one or one folder up (build/<preset>/Quarnel.exe next to build/<preset>/tests/),
// or where QUARNEL_EXE says.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include <gtest/gtest.h>
#include "scenarios/driver.h"
#include "scenarios/win32/wine_wizard_driver.h"
#include "support/test_main.h"

namespace {

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

void RunScenario(ScenarioFn scenario) {
  if (g_program.empty() || !FileExists(g_program)) {
    ADD_FAILURE() << "Quarnel.exe not found (set QUARNEL_EXE)";
    return;
  }
  WineWizardDriver driver(g_program);
  scenario(driver);
  driver.EndCase();
}

}  // namespace

int main(int argc, char** argv) {
  g_program = FindProgram();
  RegisterScenarioCases(&RunScenario);
  return RunTests(argc, argv);
}
