// English.ini as shipped is exactly what the catalogue makes, and reading it back gives every
// built-in text unchanged.
#include "tools/english_ini.h"

#include <cstdio>
#include <string>

#include "fakes/ini_profile_reader.h"
#include "lang/translate.h"
#include <gtest/gtest.h>
#include "wizard/texts.h"

namespace {

const char kShipped[] = QUARNEL_SOURCE_DIR "/resources/lang/English.ini";

std::string ReadFile(const char* path) {
  std::string bytes;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return bytes;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
  std::fclose(file);
  return bytes;
}

}  // namespace

TEST(english_ini, shipped_file_is_the_generated_one) {
  std::string made;
  std::string error;
  ASSERT_TRUE(MakeEnglishIni(&made, &error));
  // On a difference: cmake --build --preset native --target english-ini
  EXPECT_TRUE(ReadFile(kShipped) == made);
}

TEST(english_ini, every_text_reads_back_as_built_in) {
  // The installation folder as Wine names the source tree; the stand-in matches "Lang" to
  // "lang" as Windows would.
  std::string appPath = "Z:" QUARNEL_SOURCE_DIR "/resources";
  for (char& c : appPath) {
    if (c == '/') c = '\\';
  }
  IniProfileReader reader;
  for (const text::TextGroup& group : text::kCatalogue) {
    for (std::size_t i = 0; i < group.count; ++i) {
      const TextId& id = *group.texts[i];
      SCOPED_TRACE(id.key);
      // What the program shows without a file: the built-in text with its '*' as line breaks.
      std::string shown = id.english;
      for (char& c : shown) {
        if (c == '*') c = '\n';
      }
      EXPECT_TRUE(TranslateText(reader, appPath.c_str(), "English", id.key, "(missing)") == shown);
    }
  }
}
