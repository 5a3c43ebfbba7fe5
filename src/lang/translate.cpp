#include "lang/translate.h"

#include <cstdio>
#include <cstring>

namespace {

// What the profile reader makes of a default when it cannot reach the file: trailing spaces
// dropped (never the first character) and the length limit applied.
std::string UnreachableFileDefault(const char* defaultText) {
  std::size_t length = std::strlen(defaultText);
  while (length > 1 && defaultText[length - 1] == ' ') --length;
  if (length > kTranslationLimit - 1) length = kTranslationLimit - 1;
  return std::string(defaultText, length);
}

}  // namespace

std::string LanguageFilePath(const char* appPath, const char* language) {
  // Both parts come from the registry and may hold '%': they are arguments, never the format.
  char path[2 * kMaxPath + 16];
  int length = std::snprintf(path, sizeof(path), "%s\\Lang\\%s.ini", appPath ? appPath : "",
                             language ? language : "");
  if (length < 0 || static_cast<std::size_t>(length) >= kMaxPath) return std::string();
  return std::string(path, static_cast<std::size_t>(length));
}

std::string TranslateText(ProfileReader& reader, const char* appPath, const char* language,
                          const char* key, const char* defaultText) {
  if (defaultText == nullptr) defaultText = "";
  // No language chosen yet (a copy run without the installer) names no file: "<folder>\Lang\.ini"
  // would only cost a failed open per text, most of them before the window can show.
  const bool chosen = language != nullptr && language[0] != '\0';
  std::string path = chosen ? LanguageFilePath(appPath, language) : std::string();
  std::string text;
  if (path.empty() || key == nullptr) {
    text = UnreachableFileDefault(defaultText);
  } else {
    // Larger than the limit handed to the reader, so a reader that overruns it by a little
    // still writes into our own memory.
    char buffer[kTranslationLimit + 100];
    std::uint32_t length = reader.ReadString(kLanguageSection, key, defaultText, buffer,
                                             kTranslationLimit, path.c_str());
    if (length > kTranslationLimit - 1) length = kTranslationLimit - 1;
    buffer[length] = '\0';
    text.assign(buffer, std::strlen(buffer));
  }
  for (char& c : text) {
    if (c == '*') c = '\n';
  }
  return text;
}

namespace {

unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
  return c;
}

}  // namespace

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}
