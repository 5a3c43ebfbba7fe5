#include "tools/lang_rules.h"

#include <algorithm>
#include <iterator>
#include <cstdio>
#include <map>
#include <utility>

#include "fakes/ini_profile_reader.h"
#include "resources/resource.h"
#include "wizard/connection_type_page.h"
#include "wizard/icmp_redirect_page.h"
#include "wizard/keep_alive_page.h"
#include "wizard/modem_boost_page.h"
#include "wizard/mtu_page.h"
#include "wizard/path_mtu_page.h"
#include "wizard/receive_window_page.h"
#include "wizard/syn_attack_page.h"
#include "wizard/texts.h"
#include "wizard/ttl_page.h"

namespace langcheck {

namespace {

const struct {
  Rule rule;
  const char* name;
} kRuleNames[] = {
    {Rule::kNoSection, "no-section"},
    {Rule::kUnknownKey, "unknown-key"},
    {Rule::kDuplicate, "duplicate"},
    {Rule::kNumberCount, "number-count"},
    {Rule::kDirective, "directive"},
    {Rule::kBadByte, "bad-byte"},
    {Rule::kEncoding, "encoding"},
    {Rule::kMnemonicCount, "mnemonic-count"},
    {Rule::kMnemonicClash, "mnemonic-clash"},
    {Rule::kFit, "fit"},
};

// The widest number a current-value sentence can hold: the largest REG_DWORD.
constexpr std::uint32_t kWidestValue = 4294967295u;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

std::string Trim(const std::string& s) {
  std::size_t b = 0;
  std::size_t e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameKey(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != '\0'; ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

// Windows-1252 letters in one case, so "&a" and "&A" (or "&é" and "&É") count as one key.
unsigned char FoldLetter(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
  if (c == 0x9A || c == 0x9C || c == 0x9E) return static_cast<unsigned char>(c - 0x10);
  if (c == 0xFF) return 0x9F;
  return c;
}

// The Alt+letters of a control text: '&' marks the next character, "&&" is a plain '&'.
std::vector<unsigned char> Mnemonics(const std::string& text) {
  std::vector<unsigned char> letters;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') letters.push_back(FoldLetter(static_cast<unsigned char>(text[i + 1])));
    ++i;
  }
  return letters;
}

int CountMarkers(const std::string& text, const char* marker) {
  int n = 0;
  for (std::size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + 2)) {
    ++n;
  }
  return n;
}

std::string Printable(unsigned char c) {
  char buffer[8];
  if (c >= 0x20 && c < 0x7F) {
    std::snprintf(buffer, sizeof buffer, "'%c'", c);
  } else {
    std::snprintf(buffer, sizeof buffer, "0x%02X", c);
  }
  return buffer;
}

void ReplaceAll(std::string& text, const std::string& marker, const std::string& with) {
  for (std::size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + with.size())) {
    text.replace(at, marker.size(), with);
  }
}

// The length of a well-formed UTF-8 sequence of two to four bytes at `p`, else 0.
std::size_t Utf8Sequence(const unsigned char* p, std::size_t left) {
  std::size_t extra = 0;
  if (p[0] >= 0xC2 && p[0] <= 0xDF) {
    extra = 1;
  } else if (p[0] >= 0xE0 && p[0] <= 0xEF) {
    extra = 2;
  } else if (p[0] >= 0xF0 && p[0] <= 0xF4) {
    extra = 3;
  } else {
    return 0;
  }
  if (extra >= left) return 0;
  for (std::size_t i = 1; i <= extra; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
  }
  return extra + 1;
}

void CheckBytes(const std::string& bytes, std::vector<Finding>& out) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::size_t n = bytes.size();
  if ((n >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) ||
      (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF)) {
    out.push_back({Rule::kEncoding, 1,
                   "starts with a Unicode byte-order mark; Windows 95 to Me read the file "
                   "byte for byte: save it as Windows-1252"});
    return;
  }
  int line = 1;
  bool utf8Reported = false;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char c = b[i];
    if (c == '\n') {
      ++line;
      continue;
    }
    if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) {
      out.push_back(
          {Rule::kBadByte, line, "byte " + Printable(c) + " is no character in Windows-1252"});
    } else if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F) {
      out.push_back({Rule::kBadByte, line, "control character " + Printable(c)});
    } else if (c >= 0xC2) {
      const std::size_t length = Utf8Sequence(b + i, n - i);
      if (length != 0 && !utf8Reported) {
        std::string shown;
        for (std::size_t k = 0; k < length; ++k) shown += Printable(b[i + k]) + " ";
        out.push_back({Rule::kEncoding, line,
                       "bytes " + shown +
                           "look like UTF-8, which the program shows as several wrong letters: "
                           "save the file as Windows-1252"});
        utf8Reported = true;
      }
      if (length != 0) i += length - 1;
    }
  }
}

// Every text of the catalogue.
std::vector<const TextId*> AllTexts() {
  std::vector<const TextId*> all;
  for (const text::TextGroup& group : text::kCatalogue) {
    for (std::size_t i = 0; i < group.count; ++i) all.push_back(group.texts[i]);
  }
  return all;
}

const TextId* FindText(const std::string& key) {
  for (const TextId* id : AllTexts()) {
    if (SameKey(key, id->key)) return id;
  }
  return nullptr;
}

Placement Plain(const TextId& t, int dialog, int control, int screens = kOnBoth) {
  return {&t, dialog, control, 0, Tail::kNone, nullptr, nullptr, screens};
}
Placement Number(const TextId& t, int dialog, int control, std::uint32_t number) {
  return {&t, dialog, control, number, Tail::kNone, nullptr, nullptr, kOnBoth};
}
Placement Value(const TextId& t, int dialog, int control, const TextId* unit, const TextId& lead) {
  return {&t, dialog, control, 0, Tail::kValue, unit, &lead, kOnBoth};
}
Placement State(const TextId& t, int dialog, int control) {
  return {&t, dialog, control, 0, Tail::kState, nullptr, nullptr, kOnBoth};
}

// A window as the keyboard sees it: the controls whose Alt+letters compete, each with the texts
// it can show (the Proceed button reads "Next" or "Finish" on the steps).
struct KeyboardWindow {
  std::string name;
  std::vector<std::vector<const TextId*>> controls;
};

std::vector<KeyboardWindow> KeyboardWindows() {
  std::map<int, std::map<int, std::vector<const TextId*>>> byDialog;
  std::map<int, std::vector<const TextId*>> introduction;
  std::map<int, std::vector<const TextId*>> stepButtons;
  for (const Placement& p : Placements()) {
    if (p.control == 0) continue;
    if (p.dialog != IDD_WIZARD) {
      byDialog[p.dialog][p.control].push_back(p.text);
      continue;
    }
    if (p.screens & kOnIntroduction) introduction[p.control].push_back(p.text);
    if (p.screens & kOnSteps) stepButtons[p.control].push_back(p.text);
  }
  std::vector<KeyboardWindow> windows;
  auto add = [&windows](const std::string& name,
                        const std::map<int, std::vector<const TextId*>>& controls) {
    KeyboardWindow w{name, {}};
    for (const auto& control : controls) w.controls.push_back(control.second);
    windows.push_back(w);
  };
  add("the introduction", introduction);
  for (auto& dialog : byDialog) {
    if (dialog.first == IDD_ABOUT || dialog.first == IDD_MTU_FINDER || dialog.first == IDD_REVIEW) {
      add(DialogName(dialog.first), dialog.second);
      continue;
    }
    std::map<int, std::vector<const TextId*>> controls = dialog.second;
    // Frame and page ids may coincide; the frame's buttons go after the page's controls.
    int slot = 1 << 20;
    for (const auto& button : stepButtons) controls[slot++] = button.second;
    add(DialogName(dialog.first), controls);
  }
  return windows;
}

}  // namespace

const char* RuleName(Rule rule) {
  for (const auto& r : kRuleNames) {
    if (r.rule == rule) return r.name;
  }
  return "?";
}

bool RuleFromName(const std::string& name, Rule* rule) {
  for (const auto& r : kRuleNames) {
    if (name == r.name) {
      *rule = r.rule;
      return true;
    }
  }
  return false;
}

bool LanguageFile::Load(const std::string& path) {
  *this = LanguageFile();
  path_ = path;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char chunk[4096];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes_.append(chunk, got);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  if (!ok) return false;

  bool inSection = false;
  int number = 0;
  std::size_t start = 0;
  while (start < bytes_.size()) {
    std::size_t end = bytes_.find('\n', start);
    if (end == std::string::npos) end = bytes_.size();
    const std::string line = Trim(bytes_.substr(start, end - start));
    start = end + 1;
    ++number;
    if (line.empty()) continue;
    if (line[0] == ';') {
      const std::string marker = "; expect:";
      if (line.compare(0, marker.size(), marker) == 0) {
        std::string names = line.substr(marker.size()) + " ";
        std::size_t from = 0;
        for (std::size_t at = names.find(' '); at != std::string::npos;
             from = at + 1, at = names.find(' ', from)) {
          if (at > from) expected_.push_back(names.substr(from, at - from));
        }
      }
      continue;
    }
    const std::size_t close = line.rfind(']');
    if (line[0] == '[' && close != std::string::npos) {
      inSection = SameKey(Trim(line.substr(1, close - 1)), kLanguageSection);
      if (inSection && sectionLine_ != 0) {
        laterSectionLines_.push_back(number);
        inSection = false;
      } else if (inSection) {
        sectionLine_ = number;
      }
      continue;
    }
    const std::size_t equals = line.find('=');
    if (inSection && equals != std::string::npos) {
      entries_.push_back({Trim(line.substr(0, equals)), number});
    }
  }
  return true;
}

int LanguageFile::LineOf(const char* key) const {
  for (const Entry& e : entries_) {
    if (SameKey(e.key, key)) return e.line;
  }
  return 0;
}

std::string LanguageFile::Value(const TextId& id) const {
  if (LineOf(id.key) == 0) return id.english;
  // The same reader the program's tests trust to read as Windows does: blanks and one pair of
  // quotes dropped, the first entry of a key wins, at most 1999 characters.
  IniProfileReader reader;
  std::string buffer(kTranslationLimit, '\0');
  const std::uint32_t n =
      reader.ReadString(kLanguageSection, id.key, "", &buffer[0], kTranslationLimit, path_.c_str());
  buffer.resize(n);
  return buffer;
}

std::string LanguageFile::Text(const TextId& id) const {
  std::string text = Value(id);
  for (char& c : text) {
    if (c == '*') c = '\n';
  }
  return text;
}

std::vector<Finding> CheckFile(const LanguageFile& file) {
  std::vector<Finding> out;
  CheckBytes(file.bytes(), out);
  if (!file.HasSection()) {
    out.push_back({Rule::kNoSection, 0,
                   std::string("no [") + kLanguageSection + "] section: every text stays English"});
  }
  for (int line : file.laterSectionLines_) {
    out.push_back({Rule::kDuplicate, line,
                   std::string("[") + kLanguageSection +
                       "] again: only the first section of that name is read"});
  }
  for (std::size_t i = 0; i < file.entries_.size(); ++i) {
    const LanguageFile::Entry& e = file.entries_[i];
    if (FindText(e.key) == nullptr) {
      out.push_back({Rule::kUnknownKey, e.line, e.key + ": the program has no text of that key"});
      continue;
    }
    for (std::size_t j = 0; j < i; ++j) {
      if (SameKey(file.entries_[j].key, e.key.c_str())) {
        out.push_back({Rule::kDuplicate, e.line,
                       e.key + ": given again (line " + std::to_string(file.entries_[j].line) +
                           " is the one read)"});
        break;
      }
    }
  }
  for (const TextId* id : AllTexts()) {
    const int line = file.LineOf(id->key);
    if (line == 0) continue;
    const std::string value = file.Value(*id);
    // "%s" (a host name the user typed) is filled in where the English has it.
    for (const char* marker : {"%d", "%s"}) {
      const int numbers = CountMarkers(value, marker);
      const int english = CountMarkers(id->english, marker);
      if (numbers != english && (english != 0 || marker[1] == 'd')) {
        out.push_back({Rule::kNumberCount, line,
                       std::string(id->key) + ": " + std::to_string(numbers) + " times " + marker +
                           ", the English has " + std::to_string(english)});
      }
    }
    const bool words = CountMarkers(id->english, "%s") != 0;
    for (std::size_t at = value.find('%'); at != std::string::npos; at = value.find('%', at + 1)) {
      if (value.compare(at, 2, "%d") == 0 || (words && value.compare(at, 2, "%s") == 0)) {
        ++at;
        continue;
      }
      out.push_back({Rule::kDirective, line,
                     std::string(id->key) + ": '" + value.substr(at, 2) +
                         "': only %d is filled in (write \"percent\" as a word)"});
      break;
    }
    if (!IsMessage(*id)) {
      bool caption = false;
      for (const Placement& p : Placements()) {
        if (p.text == id && p.control == 0) caption = true;
      }
      const std::size_t have = Mnemonics(value).size();
      const std::size_t want = Mnemonics(id->english).size();
      if (!caption && have != want) {
        out.push_back({Rule::kMnemonicCount, line,
                       std::string(id->key) + ": " + std::to_string(have) +
                           " Alt+letters ('&'), the English has " + std::to_string(want) +
                           (want == 0 ? " (write && for an ampersand)" : "")});
      }
    }
  }
  // The frame's buttons are in every step's window: a clash between two of them is said once,
  // naming every window it happens in.
  struct Clash {
    int line;
    std::string keys;
    unsigned char letter;
    std::string windows;
  };
  std::vector<Clash> clashes;
  for (const KeyboardWindow& window : KeyboardWindows()) {
    // Alt+letter -> the control (its index) and the text that first took it.
    std::map<unsigned char, std::pair<std::size_t, const TextId*>> taken;
    for (std::size_t c = 0; c < window.controls.size(); ++c) {
      for (const TextId* id : window.controls[c]) {
        for (unsigned char letter : Mnemonics(file.Value(*id))) {
          auto it = taken.find(letter);
          if (it == taken.end()) {
            taken[letter] = {c, id};
            continue;
          }
          if (it->second.first == c) continue;
          const TextId* first = it->second.second;
          const std::string keys = std::string(first->key) + " and " + id->key;
          auto same = std::find_if(clashes.begin(), clashes.end(), [&](const Clash& k) {
            return k.keys == keys && k.letter == letter;
          });
          if (same != clashes.end()) {
            same->windows += ", " + window.name;
            continue;
          }
          const int line =
              file.LineOf(id->key) != 0 ? file.LineOf(id->key) : file.LineOf(first->key);
          clashes.push_back({line, keys, letter, window.name});
        }
      }
    }
  }
  for (const Clash& k : clashes) {
    out.push_back({Rule::kMnemonicClash, k.line,
                   k.keys + " both take Alt+" + Printable(k.letter) + " on " + k.windows});
  }
  return out;
}

std::vector<std::string> MissingKeys(const LanguageFile& file) {
  std::vector<std::string> missing;
  for (const TextId* id : AllTexts()) {
    if (file.LineOf(id->key) == 0) missing.push_back(id->key);
  }
  return missing;
}

namespace {

// The catalogue's own entry for a text a table holds a copy of (placements compare by entry).
const TextId* Catalogued(const TextId& copy) {
  const TextId* id = copy.key != nullptr ? FindText(copy.key) : nullptr;
  return id != nullptr ? id : &copy;
}

// The widest number each recommendation can put in for "%d": at most a LAN's MTU and MSS, and a
// large MSS typed on step 2 takes the receive window up to its limit. Any other: the widest
// number there is.
std::uint32_t WidestRecommendation(const TextId& t) {
  using namespace text;
  const std::pair<const TextId*, std::uint32_t> widest[] = {
      {&kRecommendedMtu, 1500},
      {&kRecommendedMss, 1460},
      {&kRecommendedRwin, 1073741823u},
      {&kRecommendedTtl, 64},
      {&kRecommendedHttp10, 20},
      {&kRecommendedHttp11, 20},
      {&kRecommendedKeepAliveTime, 7200000},
      {&kRecommendedKeepAliveInterval, 1000},
  };
  for (const auto& w : widest) {
    if (w.first == &t) return w.second;
  }
  return 4294967295u;
}

std::vector<const PageTable*> PageTables() {
  return {&ConnectionTypePage::Table(), &MtuPage::Table(),          &PathMtuPage::Table(),
          &ReceiveWindowPage::Table(),  &TtlPage::Table(),          &KeepAlivePage::Table(),
          &SynAttackPage::Table(),      &IcmpRedirectPage::Table(), &ModemBoostPage::Table()};
}

}  // namespace

const std::vector<Placement>& Placements() {
  static const std::vector<Placement> placements = [] {
    using namespace text;
    // The main window: its caption on the introduction, then the steps' titles.
    std::vector<Placement> out = {Plain(kProgramTitle, IDD_WIZARD, 0)};
    for (bool nt : {true, false}) {
      for (const PageTable* page : PageTables()) {
        const TextId* title = Catalogued(nt ? page->titleNt : page->title9x);
        bool seen = false;
        for (const Placement& p : out) seen = seen || p.text == title;
        if (!seen) out.push_back(Plain(*title, IDD_WIZARD, 0));
      }
    }
    const Placement frame[] = {
        Plain(kIntroduction, IDD_WIZARD, IDC_static_Introduction, kOnIntroduction),
        Plain(kHint, IDD_WIZARD, IDC_HINT, kOnIntroduction),
        Plain(kResetSettings, IDD_WIZARD, IDC_RESET_SETTINGS, kOnIntroduction),
        Plain(kLanguage, IDD_WIZARD, IDC_Language, kOnIntroduction),
        Plain(kBack, IDD_WIZARD, IDC_Back),
        Plain(kProceed, IDD_WIZARD, IDC_Next, kOnIntroduction),
        Plain(kNext, IDD_WIZARD, IDC_Next, kOnSteps),
        Plain(kFinish, IDD_WIZARD, IDC_Next, kOnSteps),
        Plain(kExit, IDD_WIZARD, IDCANCEL),
        Plain(kReviewChanges, IDD_WIZARD, IDC_REVIEW_CHANGES, kOnSteps),
    };
    out.insert(out.end(), std::begin(frame), std::end(frame));
    // The pages, as their own tables set their texts.
    for (const PageTable* page : PageTables()) {
      for (const PageText& row : page->texts) {
        const TextId& t = *Catalogued(row.text);
        switch (row.kind) {
          case PageText::kPlain:
            out.push_back(Plain(t, page->templateId, row.id));
            break;
          case PageText::kValue:
            out.push_back(Value(t, page->templateId, row.id,
                                row.unit.key != nullptr ? Catalogued(row.unit) : nullptr,
                                *Catalogued(row.lead)));
            break;
          case PageText::kState:
            out.push_back(State(t, page->templateId, row.id));
            break;
          case PageText::kRecommended:
            out.push_back(Number(t, page->templateId, row.id, WidestRecommendation(t)));
            break;
        }
      }
    }
    out.push_back(Plain(kAboutOk, IDD_ABOUT, IDOK));
    out.push_back(Plain(kAboutVersion, IDD_ABOUT, IDC_STATIC2));
    // The MTU finder: the progress and result lines with the widest sizes.
    const Placement finder[] = {
        Plain(kMtuFinderTitle, IDD_MTU_FINDER, 0),
        Plain(kMtuHostLabel, IDD_MTU_FINDER, IDC_MTU_HOST_LABEL),
        Plain(kMtuHint, IDD_MTU_FINDER, IDC_MTU_HINT),
        Plain(kMtuStart, IDD_MTU_FINDER, IDC_MTU_START),
        Plain(kMtuUse, IDD_MTU_FINDER, IDC_MTU_USE),
        Plain(kMtuCancel, IDD_MTU_FINDER, IDCANCEL),
        Plain(kMtuClose, IDD_MTU_FINDER, IDCANCEL),
        Plain(kMtuLookingUp, IDD_MTU_FINDER, IDC_MTU_PROGRESS),
        Number(kMtuTriedFits, IDD_MTU_FINDER, IDC_MTU_PROGRESS, 1472),
        Number(kMtuTriedTooBig, IDD_MTU_FINDER, IDC_MTU_PROGRESS, 1472),
        Number(kMtuTriedNoReply, IDD_MTU_FINDER, IDC_MTU_PROGRESS, 1472),
        Number(kMtuResult, IDD_MTU_FINDER, IDC_MTU_RESULT, 1500),
        Plain(kMtuUnknownHost, IDD_MTU_FINDER, IDC_MTU_RESULT),
        Plain(kMtuNoAnswer, IDD_MTU_FINDER, IDC_MTU_RESULT),
        Plain(kMtuNoIcmp, IDD_MTU_FINDER, IDC_MTU_RESULT),
        Plain(kMtuNoHost, IDD_MTU_FINDER, IDC_MTU_RESULT),
        // The review of Finish's changes.
        Plain(kReviewExplain, IDD_REVIEW, IDC_REVIEW_EXPLAIN),
        Plain(kReviewClose, IDD_REVIEW, IDC_REVIEW_CLOSE),
    };
    out.insert(out.end(), std::begin(finder), std::end(finder));
    return out;
  }();
  return placements;
}

bool IsMessage(const TextId& id) {
  using namespace text;
  for (const TextId* m :
       {&kRwinRange, &kApplied, &kRestored, &kOverwriteBackup, &kNotAllWritten, &kBackupNotSaved,
        &kUnknownWindows, &kDefaultsQuestion, &kBackupFileNotSaved, &kCommandLineUsage}) {
    if (m == &id) return true;
  }
  return false;
}

bool IsSentenceWord(const TextId& id) {
  using namespace text;
  for (const TextId* w : {&kMilliseconds, &kWasSetTo, &kIsNotSet, &kBytes, &kIsDisabled,
                          &kIsEnabled, &kSeconds, &kWasSetToOption, &kNotSetWord, &kUnreadableWord,
                          &kUnchangedWord, &kDeleteWord, &kAdapterWord, &kModemWord, &kSaveBackupAs,
                          &kRestoreDefaults, &kRegFiles, &kDeleteByHand}) {
    if (w == &id) return true;
  }
  return false;
}

const char* DialogName(int dialog) {
  switch (dialog) {
    case IDD_WIZARD:
      return "the main window";
    case IDD_STEP_CONNECTION:
      return "step 1";
    case IDD_STEP_MTU:
      return "step 2";
    case IDD_STEP_PATH_MTU:
      return "step 3";
    case IDD_STEP_RWIN:
      return "step 4";
    case IDD_STEP_TTL:
      return "step 5";
    case IDD_STEP_KEEPALIVE:
      return "step 6";
    case IDD_STEP_SYN:
      return "step 7";
    case IDD_STEP_ICMP:
      return "step 8";
    case IDD_STEP_MODEM:
      return "the modem step";
    case IDD_ABOUT:
      return "the About box";
    case IDD_MTU_FINDER:
      return "the MTU finder";
    case IDD_REVIEW:
      return "the review of the changes";
    default:
      return "an unknown window";
  }
}

std::vector<std::string> Renderings(const LanguageFile& file, const Placement& p) {
  std::string base = file.Text(*p.text);
  ReplaceAll(base, "%d", std::to_string(p.number));
  // A host name of a usual length; a longer one wraps like any text.
  ReplaceAll(base, "%s", "www.example.com");
  switch (p.tail) {
    case Tail::kNone:
      return {base};
    case Tail::kValue: {
      std::string found = base + " " + file.Text(*p.lead) + " " + std::to_string(kWidestValue);
      if (p.unit != nullptr) found += " " + file.Text(*p.unit);
      return {found + ".", base + " " + file.Text(text::kIsNotSet)};
    }
    case Tail::kState:
      return {base + " " + file.Text(text::kIsEnabled), base + " " + file.Text(text::kIsDisabled),
              base + " " + file.Text(text::kIsNotSet)};
  }
  return {base};
}

}  // namespace langcheck
