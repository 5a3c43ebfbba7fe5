// The language lookup: every visible text is fetched by key from the current language file,
// with the built-in English text as the default.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/max_path.h"
#include "platform/profile_reader.h"

// The one section of a language file the program reads.
constexpr const char* kLanguageSection = "Quarnel";
// Characters a looked-up text may have, its terminator included.
constexpr std::uint32_t kTranslationLimit = 2000;

// A text the user sees: its key in the language files and its built-in English.
struct TextId {
  const char* key;
  const char* english;
};

// "<appPath>\Lang\<language>.ini". Empty when the result would not be a usable Windows path
// (kMaxPath characters or more); null arguments count as empty texts.
std::string LanguageFilePath(const char* appPath, const char* language);

// The text of `key` in the language file of `appPath` and `language`, or `defaultText` when no
// language is chosen or the file, its section or the key is missing (a key with an empty value
// gives an empty text). At most kTranslationLimit - 1 characters; every '*' becomes a line feed.
// The file is read on every call.
std::string TranslateText(ProfileReader& reader, const char* appPath, const char* language,
                          const char* key, const char* defaultText);

// Whether two language names are the same but for letter case, as Windows compares file names:
// ASCII letters, and the accented capitals 0xC0 to 0xDE (but 0xD7) of the Western, Central
// European and Cyrillic ANSI code pages, which lie 0x20 below their small letters.
bool SameTextIgnoringCase(const std::string& a, const std::string& b);
