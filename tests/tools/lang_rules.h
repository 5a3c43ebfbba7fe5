// The rules a language file is checked against, apart from drawing its texts: which keys it may
// hold, what its texts may contain, and where the program shows each text (so the Windows side
// can draw it in its control).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lang/translate.h"

namespace langcheck {

enum class Rule {
  kNoSection,      // no [Quarnel] section: every text stays English
  kUnknownKey,     // a key the program never looks up
  kDuplicate,      // a key or the section given twice: only the first counts
  kNumberCount,    // not as many "%d" as the English
  kDirective,      // a '%' that does not start "%d"
  kBadByte,        // a byte Windows-1252 has no character for, or a control character
  kEncoding,       // UTF-8 or UTF-16 instead of the ANSI code page
  kMnemonicCount,  // a control text with another number of '&' mnemonics than the English
  kMnemonicClash,  // two controls of one window answering the same Alt+letter
  kFit,            // a text that does not fit its control
};
// The names fixture files list after "; expect:".
const char* RuleName(Rule rule);
bool RuleFromName(const std::string& name, Rule* rule);

struct Finding {
  Rule rule;
  int line;  // 0 when the finding is not about one line
  std::string message;
};

// A language file as the program's profile reader sees it, with the line of each entry.
class LanguageFile {
 public:
  // False when the file cannot be read.
  bool Load(const std::string& path);

  const std::string& path() const { return path_; }
  const std::string& bytes() const { return bytes_; }
  bool HasSection() const { return sectionLine_ != 0; }
  // Whether the section gives the key (in any letter case), and on which line (0: it does not).
  int LineOf(const char* key) const;
  // The text the program shows for `id`: the file's value or the English, '*' as line feeds.
  std::string Text(const TextId& id) const;
  // The value as written, before '*' becomes a line feed; the English when the key is missing.
  std::string Value(const TextId& id) const;
  // The rule names a "; expect:" comment line lists (the test fixtures say what they break).
  const std::vector<std::string>& expected() const { return expected_; }

 private:
  friend std::vector<Finding> CheckFile(const LanguageFile& file);
  struct Entry {
    std::string key;
    int line;
  };
  std::string path_;
  std::string bytes_;
  int sectionLine_ = 0;
  std::vector<int> laterSectionLines_;
  std::vector<Entry> entries_;
  std::vector<std::string> expected_;
};

// Every rule except the fit, in the order of the file where a line is known.
std::vector<Finding> CheckFile(const LanguageFile& file);
// Keys of the program the file does not give (their English is shown).
std::vector<std::string> MissingKeys(const LanguageFile& file);

// What follows a text in its control: nothing, the sentence on the number found on the machine
// (" was set to 4294967295 bytes." or " isn't set."), or the on/off state found.
enum class Tail { kNone, kValue, kState };

// Screens of the main window a frame control's text is shown on.
enum Screens { kOnIntroduction = 1, kOnSteps = 2, kOnBoth = 3 };

// Where the program shows a text.
struct Placement {
  const TextId* text;
  int dialog;            // dialog template
  int control;           // control id; 0: the window's caption
  std::uint32_t number;  // the widest number the program puts in for "%d"
  Tail tail;
  const TextId* unit;  // kValue: the unit word, or null
  const TextId* lead;  // kValue: the words before the number
  int screens;         // the main window's controls: kOnIntroduction, kOnSteps or kOnBoth
};
const std::vector<Placement>& Placements();
// The texts of message boxes, which size themselves to their text.
bool IsMessage(const TextId& id);
// The words the pages put after a text (" was set to", "bytes", ...).
bool IsSentenceWord(const TextId& id);
// "main window", "step 2", ...
const char* DialogName(int dialog);

// Every text the control of `placement` can show with this file, numbers put in and each
// possible sentence on the value found appended.
std::vector<std::string> Renderings(const LanguageFile& file, const Placement& placement);

}  // namespace langcheck
