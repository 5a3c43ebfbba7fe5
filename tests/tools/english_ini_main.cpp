// Writes English.ini to the path given (or to standard output).
#include <cstdio>
#include <string>

#include "tools/english_ini.h"

int main(int argc, char** argv) {
  std::string bytes;
  std::string error;
  if (!MakeEnglishIni(&bytes, &error)) {
    std::fprintf(stderr, "english_ini: %s\n", error.c_str());
    return 1;
  }
  if (argc < 2) return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() ? 0 : 1;
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !ok) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
