#include "tools/english_ini.h"

#include "lang/translate.h"
#include "wizard/texts.h"

namespace {

// What a translator needs to know before the first line, said once for every language.
const char* const kPreamble[] = {
    "; Ovik Quarnel language file: English, the program's built-in texts.",
    ";",
    "; Made from the program's list of texts (tests/tools/english_ini.cpp); do not edit it by",
    "; hand. A new language starts as a copy named after the language as the language list",
    "; should show it (German.ini), with a 16 x 16 flag picture of the same name (German.bmp).",
    "; Save it in the Windows ANSI code page of its readers (Windows-1252 for Western Europe).",
    "; In a text, * is a line break and %d is where a number goes; & marks the Alt+letter of a",
    "; button, check box or radio button, unique within its window (&& is a plain &).",
    "; scripts/check-lang checks a file against these rules and that each text fits its control.",
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// The profile reader drops blanks around a value and one pair of enclosing quotes, and a value
// is one line: a text that would lose something on the way must not be written.
bool Writable(const std::string& value, std::string* why) {
  if (value.find_first_of("\r\0", 0, 2) != std::string::npos) {
    *why = "holds a carriage return or NUL";
  } else if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back()))) {
    *why = "starts or ends with a blank";
  } else if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
             value.back() == value.front()) {
    *why = "is enclosed in quotes";
  } else if (value.size() >= kTranslationLimit) {
    *why = "is longer than the lookup returns";
  } else {
    for (unsigned char c : value) {
      if (c >= 0x80) {
        *why = "is not plain ASCII (the file's code page would decide its letters)";
        return false;
      }
    }
    return true;
  }
  return false;
}

}  // namespace

bool MakeEnglishIni(std::string* bytes, std::string* error) {
  std::string out;
  auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  for (const char* text : kPreamble) line(text);
  line("");
  line(std::string("[") + kLanguageSection + "]");
  for (const text::TextGroup& group : text::kCatalogue) {
    line("");
    line(std::string("; ") + group.where);
    for (std::size_t i = 0; i < group.count; ++i) {
      const TextId& id = *group.texts[i];
      std::string value = id.english;
      // A built-in text may break its lines itself; in a file only '*' can.
      if (value.find('*') != std::string::npos && value.find('\n') != std::string::npos) {
        *error = std::string(id.key) + ": mixes '*' and line feeds";
        return false;
      }
      for (char& c : value) {
        if (c == '\n') c = '*';
      }
      std::string why;
      if (!Writable(value, &why)) {
        *error = std::string(id.key) + ": " + why;
        return false;
      }
      line(std::string(id.key) + "=" + value);
    }
  }
  *bytes = out;
  return true;
}
