// A language file of any bytes: the INI reader's answers are terminated inside the buffer and
// never written past it, a smaller buffer gives a prefix of a larger one's answer, and the
// language lookup gives at most its limit with every '*' turned into a line break.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lang/translate.h"
#include "fakes/ini_profile_reader.h"

namespace {

// The file lives in a folder of this process's own in the system temp folder, gone at exit.
std::string& Folder() {
  static std::string folder;
  return folder;
}

void RemoveFolder() {
  std::remove((Folder() + "/Lang/fuzz.ini").c_str());
  rmdir((Folder() + "/Lang").c_str());
  rmdir(Folder().c_str());
}

void Fail(const std::string& what) {
  std::fprintf(stderr, "%s\n", what.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (Folder().empty()) {
    const char* tmp = std::getenv("TMPDIR");
    Folder() =
        std::string(tmp && *tmp ? tmp : "/tmp") + "/quarnel-fuzz-" + std::to_string(getpid());
    mkdir(Folder().c_str(), 0700);
    mkdir((Folder() + "/Lang").c_str(), 0700);
    std::atexit(RemoveFolder);
  }
  FILE* file = std::fopen((Folder() + "/Lang/fuzz.ini").c_str(), "wb");
  if (file == nullptr) Fail("cannot write the language file");
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  std::string appPath = "Z:" + Folder();
  for (char& c : appPath) {
    if (c == '/') c = '\\';
  }
  const std::string path = appPath + "\\Lang\\fuzz.ini";
  IniProfileReader reader;
  const char* keys[] = {"41", "IDC_Next", "a", "A", " ", ""};
  for (const char* key : keys) {
    std::string whole;
    for (std::uint32_t limit : {2000u, 64u, 7u, 2u, 1u}) {
      char buffer[2000 + 16];
      std::memset(buffer, 0x5A, sizeof buffer);
      const std::uint32_t length =
          reader.ReadString(kLanguageSection, key, "\"default\"  ", buffer, limit, path.c_str());
      if (length >= limit || buffer[length] != '\0') Fail("answer not terminated in the buffer");
      for (std::size_t i = limit; i < sizeof buffer; ++i) {
        if (buffer[i] != 0x5A) Fail("written past the buffer");
      }
      const std::string answer(buffer, length);
      if (limit == 2000u) {
        whole = answer;
      } else if (whole.compare(0, answer.size(), answer) != 0) {
        Fail("a smaller buffer's answer is no prefix of the whole");
      }
    }
    const std::string text = TranslateText(reader, appPath.c_str(), "fuzz", key, "Finish*");
    if (text.size() > kTranslationLimit - 1 || text.find('*') != std::string::npos) {
      Fail("translation too long or with a '*'");
    }
  }
  return 0;
}
