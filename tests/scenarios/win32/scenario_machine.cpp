#include "scenarios/win32/scenario_machine.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "fakes/reg_file.h"
#include "scenarios/scenario_support.h"
#include <gtest/gtest.h>

#include "support/registry_names.h"

#include "support/fixtures.h"

namespace {

constexpr const char* kProgramKeyPath = "Software\\Ovik Quarnel";
constexpr const char* kInternetSettings =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr const char* kTcpipParameters = "System\\CurrentControlSet\\Services\\Tcpip\\Parameters";
constexpr const char* kMstcp = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";

// Keys only the program and the fixtures create: removed whole.
constexpr const char* kScratchKeys[] = {
    "Enum\\Root\\Net",
    "Enum\\Network\\MSTCP",
    "System\\CurrentControlSet\\Services\\Class\\NetTrans",
    "System\\CurrentControlSet\\Services\\Class\\Modem",
    "System\\CurrentControlSet\\Control\\Class\\{4D36E96D-E325-11CE-BFC1-08002BE10318}",
};

// What a fresh Wine prefix keeps in the TCP/IP key; everything else there is ours.
constexpr const char* kPrefixTcpipValues[] = {"DataBasePath", "Domain", "Hostname", "NV Domain",
                                              "NV Hostname"};

bool Ok(RegResult rc) { return rc == kRegOk; }
bool OkOrMissing(RegResult rc) { return rc == kRegOk || rc == kRegFileNotFound; }

std::string Describe(RegKey hive, const char* path) {
  return std::string(hive == kHkeyLocalMachine ? "HKLM\\" : "HKCU\\") + path;
}

bool Kept(const char* name) {
  for (const char* keep : kPrefixTcpipValues)
    if (_stricmp(keep, name) == 0) return true;
  return false;
}

// Leaves the key existing with none of its sub-keys and only the prefix's own values.
bool EmptyKey(Registry& registry, RegKey hive, const char* path) {
  ScopedKey key(registry);
  if (!Ok(key.Create(hive, path))) {
    ADD_FAILURE() << "cannot create " + Describe(hive, path);
    return false;
  }
  bool ok = true;
  for (const auto& name : ValueNames(registry, key.get())) {
    if (Kept(name.c_str())) continue;
    ok = Ok(registry.DeleteValue(key.get(), name.c_str())) && ok;
  }
  for (const auto& name : SubKeyNames(registry, key.get()))
    ok = Ok(registry.DeleteTree(key.get(), name.c_str())) && ok;
  if (!ok) {
    ADD_FAILURE() << "cannot empty " + Describe(hive, path);
  }
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

// Removes a folder with everything in it; a missing folder is fine.
bool RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES;
  bool ok = true;
  do {
    if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0) continue;
    const std::string path = folder + "\\" + found.cFileName;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok = RemoveFolder(path) && ok;
    } else {
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      ok = DeleteFileA(path.c_str()) && ok;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return RemoveDirectoryA(folder.c_str()) && ok;
}

bool SetText(Registry& registry, RegKey key, const char* name, const std::string& text) {
  return Ok(registry.SetValue(key, name, kRegSz,
                              reinterpret_cast<const std::uint8_t*>(text.c_str()),
                              static_cast<std::uint32_t>(text.size() + 1)));
}

}  // namespace

ScenarioMachine::ScenarioMachine(Registry& registry, std::string programName)
    : registry_(registry), programName_(std::move(programName)) {
  char temp[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof temp, temp);
  std::string base = length > 0 && length < sizeof temp ? std::string(temp, length) : "C:\\";
  if (base.back() != '\\') base += '\\';
  // One folder per test process, so two runs side by side do not share language files.
  scratchFolder_ = base + "quarnel-scenario-" + std::to_string(GetCurrentProcessId());
}

bool ScenarioMachine::Prepare(const WizardSetup& setup) {
  if (setup.keepRegistry) return SetWindowsVersion(setup.windowsVersion);
  Clear();
  bool ok = ClearRegistry();
  for (const auto& fixture : setup.regFixtures) {
    const std::string path = FixturePath(fixture);
    const RegFileResult loaded = LoadRegFile(registry_, path);
    if (!loaded.ok) {
      ADD_FAILURE() << "fixture " + fixture + " line " + std::to_string(loaded.line) + ": " +
                           loaded.message + " (registry error " + std::to_string(loaded.regError) +
                           ")";
      ok = false;
    }
  }
  ok = WriteLanguageFiles(setup) && ok;
  ok = SetProgramValues(setup) && ok;
  ok = SetWindowsVersion(setup.windowsVersion) && ok;
  return ok;
}

void ScenarioMachine::Clear() {
  ClearRegistry();
  if (!RemoveFolder(scratchFolder_)) {
    ADD_FAILURE() << "cannot remove " + scratchFolder_;
  }
  ScopedKey key(registry_);
  const std::string path = "Software\\Wine\\AppDefaults\\" + programName_;
  if (Ok(key.Open(kHkeyCurrentUser, path.c_str()))) registry_.DeleteValue(key.get(), "Version");
}

bool ScenarioMachine::ClearRegistry() {
  bool ok = true;
  if (!OkOrMissing(registry_.DeleteTree(kHkeyCurrentUser, kProgramKeyPath))) {
    ADD_FAILURE() << "cannot delete HKCU\\" + std::string(kProgramKeyPath);
    ok = false;
  }
  {
    ScopedKey key(registry_);
    if (Ok(key.Open(kHkeyCurrentUser, kInternetSettings))) {
      for (const char* name : {"MaxConnectionsPer1_0Server", "MaxConnectionsPerServer"})
        ok = OkOrMissing(registry_.DeleteValue(key.get(), name)) && ok;
    }
  }
  ok = EmptyKey(registry_, kHkeyLocalMachine, kTcpipParameters) && ok;
  ok = EmptyKey(registry_, kHkeyLocalMachine, kMstcp) && ok;
  for (const char* path : kScratchKeys) {
    if (!OkOrMissing(registry_.DeleteTree(kHkeyLocalMachine, path))) {
      ADD_FAILURE() << "cannot delete " + Describe(kHkeyLocalMachine, path);
      ok = false;
    }
  }
  return ok;
}

bool ScenarioMachine::WriteLanguageFiles(const WizardSetup& setup) {
  if (setup.languageFiles.empty()) return true;
  const std::string lang = scratchFolder_ + "\\Lang";
  if (!CreateDirectoryA(scratchFolder_.c_str(), nullptr) ||
      !CreateDirectoryA(lang.c_str(), nullptr)) {
    ADD_FAILURE() << "cannot create " + lang;
    return false;
  }
  bool ok = true;
  for (const auto& file : setup.languageFiles) {
    if (file.first.find_first_of("\\/:") != std::string::npos) {
      ADD_FAILURE() << "language file name with a path: " + file.first;
      ok = false;
      continue;
    }
    const std::string path = lang + "\\" + file.first + ".ini";
    if (!WriteFileBytes(path, file.second)) {
      ADD_FAILURE() << "cannot write " + path;
      ok = false;
    }
  }
  for (const std::string& flag : setup.flags) {
    const std::string path = lang + "\\" + flag + ".bmp";
    if (!WriteFileBytes(path, scenario::FlagBitmap())) {
      ADD_FAILURE() << "cannot write " + path;
      ok = false;
    }
  }
  return ok;
}

bool ScenarioMachine::SetProgramValues(const WizardSetup& setup) {
  if (setup.languageFiles.empty() && setup.language.empty()) return true;
  ScopedKey key(registry_);
  bool ok = Ok(key.Create(kHkeyCurrentUser, kProgramKeyPath));
  if (ok && !setup.languageFiles.empty())
    ok = SetText(registry_, key.get(), "AppPath", scratchFolder_);
  if (ok && !setup.language.empty()) ok = SetText(registry_, key.get(), "Language", setup.language);
  if (!ok) {
    ADD_FAILURE() << "cannot write the program's key";
  }
  return ok;
}

bool ScenarioMachine::SetWindowsVersion(const std::string& version) {
  ScopedKey key(registry_);
  const std::string path = "Software\\Wine\\AppDefaults\\" + programName_;
  if (!Ok(key.Create(kHkeyCurrentUser, path.c_str())) ||
      !SetText(registry_, key.get(), "Version", version)) {
    ADD_FAILURE() << "cannot set the Windows version for " + programName_;
    return false;
  }
  return true;
}
