#include "fakes/rc_reader.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace {

struct Win32Constant {
  const char* name;
  std::int64_t value;
};

// Values as windows.h and winres.h define them.
constexpr Win32Constant kWin32Constants[] = {
    {"WS_OVERLAPPED", 0x00000000},
    {"WS_POPUP", 0x80000000},
    {"WS_CHILD", 0x40000000},
    {"WS_MINIMIZE", 0x20000000},
    {"WS_VISIBLE", 0x10000000},
    {"WS_DISABLED", 0x08000000},
    {"WS_CLIPSIBLINGS", 0x04000000},
    {"WS_CLIPCHILDREN", 0x02000000},
    {"WS_MAXIMIZE", 0x01000000},
    {"WS_CAPTION", 0x00C00000},
    {"WS_BORDER", 0x00800000},
    {"WS_DLGFRAME", 0x00400000},
    {"WS_VSCROLL", 0x00200000},
    {"WS_HSCROLL", 0x00100000},
    {"WS_SYSMENU", 0x00080000},
    {"WS_THICKFRAME", 0x00040000},
    {"WS_GROUP", 0x00020000},
    {"WS_TABSTOP", 0x00010000},
    {"WS_MINIMIZEBOX", 0x00020000},
    {"WS_MAXIMIZEBOX", 0x00010000},
    {"WS_EX_DLGMODALFRAME", 0x00000001},
    {"WS_EX_NOPARENTNOTIFY", 0x00000004},
    {"WS_EX_TOPMOST", 0x00000008},
    {"WS_EX_ACCEPTFILES", 0x00000010},
    {"WS_EX_TRANSPARENT", 0x00000020},
    {"WS_EX_TOOLWINDOW", 0x00000080},
    {"WS_EX_WINDOWEDGE", 0x00000100},
    {"WS_EX_CLIENTEDGE", 0x00000200},
    {"WS_EX_CONTEXTHELP", 0x00000400},
    {"WS_EX_RIGHT", 0x00001000},
    {"WS_EX_LEFT", 0x00000000},
    {"WS_EX_RTLREADING", 0x00002000},
    {"WS_EX_LEFTSCROLLBAR", 0x00004000},
    {"WS_EX_CONTROLPARENT", 0x00010000},
    {"WS_EX_STATICEDGE", 0x00020000},
    {"WS_EX_APPWINDOW", 0x00040000},
    {"DS_ABSALIGN", 0x0001},
    {"DS_SYSMODAL", 0x0002},
    {"DS_3DLOOK", 0x0004},
    {"DS_FIXEDSYS", 0x0008},
    {"DS_NOFAILCREATE", 0x0010},
    {"DS_LOCALEDIT", 0x0020},
    {"DS_SETFONT", 0x0040},
    {"DS_MODALFRAME", 0x0080},
    {"DS_NOIDLEMSG", 0x0100},
    {"DS_SETFOREGROUND", 0x0200},
    {"DS_CONTROL", 0x0400},
    {"DS_CENTER", 0x0800},
    {"DS_CENTERMOUSE", 0x1000},
    {"DS_CONTEXTHELP", 0x2000},
    {"DS_SHELLFONT", 0x0048},
    {"BS_PUSHBUTTON", 0x0000},
    {"BS_DEFPUSHBUTTON", 0x0001},
    {"BS_CHECKBOX", 0x0002},
    {"BS_AUTOCHECKBOX", 0x0003},
    {"BS_RADIOBUTTON", 0x0004},
    {"BS_3STATE", 0x0005},
    {"BS_AUTO3STATE", 0x0006},
    {"BS_GROUPBOX", 0x0007},
    {"BS_USERBUTTON", 0x0008},
    {"BS_AUTORADIOBUTTON", 0x0009},
    {"BS_OWNERDRAW", 0x000B},
    {"BS_LEFTTEXT", 0x0020},
    {"BS_TEXT", 0x0000},
    {"BS_ICON", 0x0040},
    {"BS_BITMAP", 0x0080},
    {"BS_LEFT", 0x0100},
    {"BS_RIGHT", 0x0200},
    {"BS_CENTER", 0x0300},
    {"BS_TOP", 0x0400},
    {"BS_BOTTOM", 0x0800},
    {"BS_VCENTER", 0x0C00},
    {"BS_PUSHLIKE", 0x1000},
    {"BS_MULTILINE", 0x2000},
    {"BS_NOTIFY", 0x4000},
    {"BS_FLAT", 0x8000},
    {"SS_LEFT", 0x0000},
    {"SS_CENTER", 0x0001},
    {"SS_RIGHT", 0x0002},
    {"SS_ICON", 0x0003},
    {"SS_BLACKRECT", 0x0004},
    {"SS_GRAYRECT", 0x0005},
    {"SS_WHITERECT", 0x0006},
    {"SS_BLACKFRAME", 0x0007},
    {"SS_GRAYFRAME", 0x0008},
    {"SS_WHITEFRAME", 0x0009},
    {"SS_SIMPLE", 0x000B},
    {"SS_LEFTNOWORDWRAP", 0x000C},
    {"SS_OWNERDRAW", 0x000D},
    {"SS_BITMAP", 0x000E},
    {"SS_ENHMETAFILE", 0x000F},
    {"SS_ETCHEDHORZ", 0x0010},
    {"SS_ETCHEDVERT", 0x0011},
    {"SS_ETCHEDFRAME", 0x0012},
    {"SS_TYPEMASK", 0x001F},
    {"SS_NOPREFIX", 0x0080},
    {"SS_NOTIFY", 0x0100},
    {"SS_CENTERIMAGE", 0x0200},
    {"SS_RIGHTJUST", 0x0400},
    {"SS_REALSIZEIMAGE", 0x0800},
    {"SS_SUNKEN", 0x1000},
    {"SS_ENDELLIPSIS", 0x4000},
    {"SS_PATHELLIPSIS", 0x8000},
    {"SS_WORDELLIPSIS", 0xC000},
    {"ES_LEFT", 0x0000},
    {"ES_CENTER", 0x0001},
    {"ES_RIGHT", 0x0002},
    {"ES_MULTILINE", 0x0004},
    {"ES_UPPERCASE", 0x0008},
    {"ES_LOWERCASE", 0x0010},
    {"ES_PASSWORD", 0x0020},
    {"ES_AUTOVSCROLL", 0x0040},
    {"ES_AUTOHSCROLL", 0x0080},
    {"ES_NOHIDESEL", 0x0100},
    {"ES_OEMCONVERT", 0x0400},
    {"ES_READONLY", 0x0800},
    {"ES_WANTRETURN", 0x1000},
    {"ES_NUMBER", 0x2000},
    {"CBS_SIMPLE", 0x0001},
    {"CBS_DROPDOWN", 0x0002},
    {"CBS_DROPDOWNLIST", 0x0003},
    {"CBS_OWNERDRAWFIXED", 0x0010},
    {"CBS_OWNERDRAWVARIABLE", 0x0020},
    {"CBS_AUTOHSCROLL", 0x0040},
    {"CBS_OEMCONVERT", 0x0080},
    {"CBS_SORT", 0x0100},
    {"CBS_HASSTRINGS", 0x0200},
    {"CBS_NOINTEGRALHEIGHT", 0x0400},
    {"CBS_DISABLENOSCROLL", 0x0800},
    {"CBS_UPPERCASE", 0x2000},
    {"CBS_LOWERCASE", 0x4000},
    {"IDOK", 1},
    {"IDCANCEL", 2},
    {"IDABORT", 3},
    {"IDRETRY", 4},
    {"IDIGNORE", 5},
    {"IDYES", 6},
    {"IDNO", 7},
    {"IDCLOSE", 8},
    {"IDHELP", 9},
    {"IDC_STATIC", -1},
    {"RT_MANIFEST", 24},
    {"CREATEPROCESS_MANIFEST_RESOURCE_ID", 1},
    {"VS_VERSION_INFO", 1},
    {"LANG_NEUTRAL", 0x00},
    {"LANG_ARABIC", 0x01},
    {"LANG_GERMAN", 0x07},
    {"LANG_ENGLISH", 0x09},
    {"LANG_SPANISH", 0x0A},
    {"LANG_FRENCH", 0x0C},
    {"SUBLANG_NEUTRAL", 0x00},
    {"SUBLANG_DEFAULT", 0x01},
    {"SUBLANG_ENGLISH_US", 0x01},
};

enum class TokenKind { kIdent, kNumber, kString, kPunct, kEnd };

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;  // identifier, string contents, or the punctuation character
  std::int64_t number = 0;
  int line = 0;
  int file = 0;
};

struct SourceLine {
  std::string text;
  int line;
  int file;
};

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool EndsWith(const std::string& s, const std::string& suffix) {
  if (s.size() < suffix.size()) return false;
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    char a = static_cast<char>(
        std::tolower(static_cast<unsigned char>(s[s.size() - suffix.size() + i])));
    if (a != suffix[i]) return false;
  }
  return true;
}

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  return dir + "/" + name;
}

// One read of a script: preprocessing into source lines, tokenising, parsing.
class Parser {
 public:
  Parser(const std::vector<std::string>& includeDirs,
         const std::map<std::string, std::string>& files, RcResources* out, RcError* error)
      : includeDirs_(includeDirs), files_(files), out_(out), error_(error) {}

  bool Run(const std::string& path) {
    if (!Preprocess(path, false, 0)) return false;
    if (!Tokenise()) return false;
    return ParseScript();
  }

 private:
  // ---- errors --------------------------------------------------------------------------
  bool Fail(int file, int line, const std::string& message) {
    if (error_->message.empty()) {
      error_->file =
          file >= 0 && file < static_cast<int>(fileNames_.size()) ? fileNames_[file] : "";
      error_->line = line;
      error_->message = message;
    }
    return false;
  }
  bool FailAt(const Token& t, const std::string& message) {
    return Fail(t.file, t.line, message + Found(t));
  }
  static std::string Found(const Token& t) {
    switch (t.kind) {
      case TokenKind::kEnd:
        return " (found the end of the file)";
      case TokenKind::kString:
        return " (found \"" + t.text + "\")";
      default:
        return " (found '" + t.text + "')";
    }
  }

  // ---- files ---------------------------------------------------------------------------
  bool LoadFile(const std::string& path, std::string* text) {
    auto it = files_.find(path);
    if (it != files_.end()) {
      *text = it->second;
      return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    *text = buffer.str();
    return true;
  }

  bool FindInclude(const std::string& name, const std::string& fromDir, std::string* path,
                   std::string* text) {
    std::vector<std::string> candidates;
    candidates.push_back(JoinPath(fromDir, name));
    for (const std::string& dir : includeDirs_) candidates.push_back(JoinPath(dir, name));
    candidates.push_back(name);
    for (const std::string& candidate : candidates) {
      if (LoadFile(candidate, text)) {
        *path = candidate;
        return true;
      }
    }
    return false;
  }

  // ---- preprocessing -------------------------------------------------------------------
  struct Conditional {
    bool parentActive;
    bool taken;  // some branch of this #if was already active
    bool active;
  };

  // Strips comments from one physical line; `inBlock` carries an open /* across lines.
  static std::string StripComments(const std::string& line, bool* inBlock) {
    std::string out;
    bool inString = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      char c = line[i];
      if (*inBlock) {
        if (c == '*' && i + 1 < line.size() && line[i + 1] == '/') {
          *inBlock = false;
          ++i;
          out += ' ';
        }
        continue;
      }
      if (inString) {
        out += c;
        if (c == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            out += '"';
            ++i;
          } else {
            inString = false;
          }
        } else if (c == '\\' && i + 1 < line.size()) {
          out += line[++i];
        }
        continue;
      }
      if (c == '"') {
        inString = true;
        out += c;
      } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') {
        break;
      } else if (c == '/' && i + 1 < line.size() && line[i + 1] == '*') {
        *inBlock = true;
        ++i;
      } else {
        out += c;
      }
    }
    return out;
  }

  static std::string Trim(const std::string& s) {
    std::size_t b = 0;
    while (b < s.size() && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    std::size_t e = s.size();
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
  }

  bool Preprocess(const std::string& path, bool headerOnly, int depth) {
    if (depth > 16) return Fail(currentFile_, currentLine_, "#include nested too deeply");
    std::string text;
    if (!LoadFile(path, &text)) {
      if (depth == 0) return Fail(-1, 0, "cannot read " + path);
      return Fail(currentFile_, currentLine_, "cannot read included file " + path);
    }
    int file = static_cast<int>(fileNames_.size());
    fileNames_.push_back(path);
    std::vector<Conditional> conditionals;
    bool inBlock = false;
    std::istringstream lines(text);
    std::string raw;
    int lineNo = 0;
    std::string pending;  // a line continued with a backslash
    int pendingLine = 0;
    while (std::getline(lines, raw)) {
      ++lineNo;
      if (!raw.empty() && raw.back() == '\r') raw.pop_back();
      if (!pending.empty() ||
          (!raw.empty() && raw.back() == '\\' && !inBlock && Trim(raw).compare(0, 1, "#") == 0)) {
        if (pending.empty()) pendingLine = lineNo;
        if (!raw.empty() && raw.back() == '\\') {
          pending += raw.substr(0, raw.size() - 1);
          continue;
        }
        raw = pending + raw;
        pending.clear();
      } else {
        pendingLine = lineNo;
      }
      currentFile_ = file;
      currentLine_ = pendingLine;
      std::string stripped = Trim(StripComments(raw, &inBlock));
      bool active = conditionals.empty() || conditionals.back().active;
      if (!stripped.empty() && stripped[0] == '#') {
        if (!Directive(stripped, path, headerOnly, depth, active, &conditionals)) return false;
        continue;
      }
      if (!active || headerOnly || stripped.empty()) continue;
      source_.push_back({stripped, pendingLine, file});
    }
    if (inBlock) return Fail(file, lineNo, "comment not closed before the end of the file");
    if (!conditionals.empty()) return Fail(file, lineNo, "#if without #endif");
    return true;
  }

  bool Directive(const std::string& line, const std::string& path, bool headerOnly, int depth,
                 bool active, std::vector<Conditional>* conditionals) {
    std::size_t i = 1;
    while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
    std::size_t start = i;
    while (i < line.size() && IsIdentChar(line[i])) ++i;
    std::string name = line.substr(start, i - start);
    std::string rest = Trim(line.substr(i));

    if (name == "ifdef" || name == "ifndef") {
      bool defined = IsDefined(rest);
      bool value = name == "ifdef" ? defined : !defined;
      conditionals->push_back({active, value, active && value});
      return true;
    }
    if (name == "if") {
      std::int64_t value = 0;
      if (active && !EvaluateCondition(rest, &value)) return false;
      conditionals->push_back({active, value != 0, active && value != 0});
      return true;
    }
    if (name == "elif") {
      if (conditionals->empty()) return Fail(currentFile_, currentLine_, "#elif without #if");
      Conditional& c = conditionals->back();
      std::int64_t value = 0;
      if (c.parentActive && !c.taken && !EvaluateCondition(rest, &value)) return false;
      c.active = c.parentActive && !c.taken && value != 0;
      c.taken = c.taken || c.active;
      return true;
    }
    if (name == "else") {
      if (conditionals->empty()) return Fail(currentFile_, currentLine_, "#else without #if");
      Conditional& c = conditionals->back();
      c.active = c.parentActive && !c.taken;
      c.taken = true;
      return true;
    }
    if (name == "endif") {
      if (conditionals->empty()) return Fail(currentFile_, currentLine_, "#endif without #if");
      conditionals->pop_back();
      return true;
    }
    if (!active) return true;
    if (name == "include") {
      if (rest.size() >= 2 && rest.front() == '<') return true;  // system headers: known names
      if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') {
        return Fail(currentFile_, currentLine_, "expected #include \"file\"");
      }
      std::string included = rest.substr(1, rest.size() - 2);
      std::string includedPath;
      std::string ignored;
      if (!FindInclude(included, DirectoryOf(path), &includedPath, &ignored)) {
        return Fail(currentFile_, currentLine_, "cannot find included file \"" + included + "\"");
      }
      int savedFile = currentFile_;
      int savedLine = currentLine_;
      bool ok = Preprocess(includedPath, headerOnly || EndsWith(included, ".h"), depth + 1);
      currentFile_ = savedFile;
      currentLine_ = savedLine;
      return ok;
    }
    if (name == "define") {
      std::size_t j = 0;
      while (j < rest.size() && IsIdentChar(rest[j])) ++j;
      std::string symbol = rest.substr(0, j);
      if (symbol.empty() || !IsIdentStart(symbol[0])) {
        return Fail(currentFile_, currentLine_, "expected a name after #define");
      }
      if (j < rest.size() && rest[j] == '(') {
        defines_[symbol] = {"", currentFile_, currentLine_, false};  // macros with arguments
        return true;
      }
      defines_[symbol] = {Trim(rest.substr(j)), currentFile_, currentLine_, true};
      return true;
    }
    if (name == "undef") {
      defines_.erase(rest);
      return true;
    }
    if (name == "pragma") return true;
    if (name == "error") return Fail(currentFile_, currentLine_, "#error " + rest);
    (void)headerOnly;
    return Fail(currentFile_, currentLine_, "unsupported directive #" + name);
  }

  bool IsDefined(const std::string& symbol) const {
    std::int64_t ignored;
    return defines_.count(symbol) != 0 || LookupWin32Constant(symbol, &ignored);
  }

  // #if expressions: defined(X), defined X, !, numbers and symbols, ||, &&, ==, !=.
  bool EvaluateCondition(const std::string& text, std::int64_t* value) {
    std::string expanded;
    for (std::size_t i = 0; i < text.size();) {
      if (text.compare(i, 7, "defined") == 0 &&
          (i + 7 == text.size() || !IsIdentChar(text[i + 7]))) {
        std::size_t j = i + 7;
        while (j < text.size() && std::isspace(static_cast<unsigned char>(text[j]))) ++j;
        bool paren = j < text.size() && text[j] == '(';
        if (paren) ++j;
        while (j < text.size() && std::isspace(static_cast<unsigned char>(text[j]))) ++j;
        std::size_t s = j;
        while (j < text.size() && IsIdentChar(text[j])) ++j;
        std::string symbol = text.substr(s, j - s);
        if (paren) {
          while (j < text.size() && std::isspace(static_cast<unsigned char>(text[j]))) ++j;
          if (j >= text.size() || text[j] != ')') {
            return Fail(currentFile_, currentLine_, "expected ) after defined(" + symbol);
          }
          ++j;
        }
        expanded += IsDefined(symbol) ? " 1 " : " 0 ";
        i = j;
      } else {
        expanded += text[i++];
      }
    }
    std::vector<Token> tokens;
    if (!TokeniseText(expanded, currentFile_, currentLine_, &tokens)) return false;
    std::size_t pos = 0;
    if (!ParseCondition(tokens, &pos, value)) return false;
    if (tokens[pos].kind != TokenKind::kEnd) {
      return Fail(currentFile_, currentLine_, "cannot read the #if condition \"" + text + "\"");
    }
    return true;
  }

  bool ParseCondition(const std::vector<Token>& t, std::size_t* pos, std::int64_t* value) {
    if (!ParseAnd(t, pos, value)) return false;
    while (IsPunct(t[*pos], "||")) {
      ++*pos;
      std::int64_t rhs = 0;
      if (!ParseAnd(t, pos, &rhs)) return false;
      *value = (*value != 0 || rhs != 0) ? 1 : 0;
    }
    return true;
  }
  bool ParseAnd(const std::vector<Token>& t, std::size_t* pos, std::int64_t* value) {
    if (!ParseComparison(t, pos, value)) return false;
    while (IsPunct(t[*pos], "&&")) {
      ++*pos;
      std::int64_t rhs = 0;
      if (!ParseComparison(t, pos, &rhs)) return false;
      *value = (*value != 0 && rhs != 0) ? 1 : 0;
    }
    return true;
  }
  bool ParseComparison(const std::vector<Token>& t, std::size_t* pos, std::int64_t* value) {
    bool negate = false;
    while (IsPunct(t[*pos], "!")) {
      negate = !negate;
      ++*pos;
    }
    if (!ParseExpression(t, pos, value, false)) return false;
    if (IsPunct(t[*pos], "==") || IsPunct(t[*pos], "!=")) {
      bool equal = t[*pos].text == "==";
      ++*pos;
      std::int64_t rhs = 0;
      if (!ParseExpression(t, pos, &rhs, false)) return false;
      *value = ((*value == rhs) == equal) ? 1 : 0;
    }
    if (negate) *value = *value == 0 ? 1 : 0;
    return true;
  }

  // ---- tokens --------------------------------------------------------------------------
  static bool IsPunct(const Token& t, const char* p) {
    return t.kind == TokenKind::kPunct && t.text == p;
  }
  static bool IsIdent(const Token& t, const char* word) {
    return t.kind == TokenKind::kIdent && Upper(t.text) == word;
  }

  bool TokeniseText(const std::string& s, int file, int line, std::vector<Token>* out) {
    std::size_t i = 0;
    while (i < s.size()) {
      char c = s[i];
      if (std::isspace(static_cast<unsigned char>(c))) {
        ++i;
        continue;
      }
      Token t;
      t.line = line;
      t.file = file;
      if (IsIdentStart(c)) {
        std::size_t b = i;
        while (i < s.size() && IsIdentChar(s[i])) ++i;
        t.kind = TokenKind::kIdent;
        t.text = s.substr(b, i - b);
      } else if (std::isdigit(static_cast<unsigned char>(c))) {
        std::size_t b = i;
        std::uint64_t v = 0;
        bool hex = c == '0' && i + 1 < s.size() && (s[i + 1] == 'x' || s[i + 1] == 'X');
        if (hex) {
          i += 2;
          if (i >= s.size() || !std::isxdigit(static_cast<unsigned char>(s[i]))) {
            return Fail(file, line, "malformed number \"" + s.substr(b, i - b) + "\"");
          }
          while (i < s.size() && std::isxdigit(static_cast<unsigned char>(s[i]))) {
            char d = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i++])));
            v = v * 16 + static_cast<std::uint64_t>(d <= '9' ? d - '0' : d - 'a' + 10);
            if (v > 0xFFFFFFFFull) return Fail(file, line, "number too large");
          }
        } else {
          while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            v = v * 10 + static_cast<std::uint64_t>(s[i++] - '0');
            if (v > 0xFFFFFFFFull) return Fail(file, line, "number too large");
          }
        }
        while (i < s.size() && (s[i] == 'L' || s[i] == 'l' || s[i] == 'U' || s[i] == 'u')) ++i;
        if (i < s.size() && IsIdentChar(s[i])) {
          return Fail(file, line, "malformed number \"" + s.substr(b, i - b + 1) + "\"");
        }
        t.kind = TokenKind::kNumber;
        t.number = static_cast<std::int64_t>(v);
        t.text = s.substr(b, i - b);
      } else if (c == '"') {
        ++i;
        std::string value;
        bool closed = false;
        while (i < s.size()) {
          char d = s[i++];
          if (d == '"') {
            if (i < s.size() && s[i] == '"') {
              value += '"';
              ++i;
              continue;
            }
            closed = true;
            break;
          }
          if (d == '\\' && i < s.size()) {
            char e = s[i++];
            switch (e) {
              case 'n':
                value += '\n';
                break;
              case 't':
                value += '\t';
                break;
              case 'r':
                value += '\r';
                break;
              case 'a':
                value += '\a';
                break;
              case '\\':
                value += '\\';
                break;
              case '"':
                value += '"';
                break;
              case 'x': {
                int n = 0;
                int digits = 0;
                while (i < s.size() && digits < 2 &&
                       std::isxdigit(static_cast<unsigned char>(s[i]))) {
                  char h = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i++])));
                  n = n * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
                  ++digits;
                }
                if (digits == 0) return Fail(file, line, "malformed \\x escape in a string");
                value += static_cast<char>(n);
                break;
              }
              default:
                if (e >= '0' && e <= '7') {
                  int n = e - '0';
                  int digits = 1;
                  while (i < s.size() && digits < 3 && s[i] >= '0' && s[i] <= '7') {
                    n = n * 8 + (s[i++] - '0');
                    ++digits;
                  }
                  value += static_cast<char>(n);
                } else {
                  return Fail(file, line, std::string("unknown escape \\") + e + " in a string");
                }
            }
            continue;
          }
          value += d;
        }
        if (!closed) return Fail(file, line, "string not closed on its line");
        t.kind = TokenKind::kString;
        t.text = value;
      } else {
        static const char* const kTwoChar[] = {"||", "&&", "==", "!="};
        t.kind = TokenKind::kPunct;
        t.text = std::string(1, c);
        for (const char* two : kTwoChar) {
          if (i + 1 < s.size() && s[i] == two[0] && s[i + 1] == two[1]) t.text = two;
        }
        if (t.text.size() == 1 && std::string(",|&+-~()!{}").find(c) == std::string::npos) {
          return Fail(file, line, std::string("unexpected character '") + c + "'");
        }
        i += t.text.size();
      }
      out->push_back(t);
    }
    Token end;
    end.line = line;
    end.file = file;
    out->push_back(end);
    return true;
  }

  bool Tokenise() {
    for (const SourceLine& line : source_) {
      if (!TokeniseText(line.text, line.file, line.line, &tokens_)) return false;
      tokens_.pop_back();  // the per-line end marker
    }
    Token end;
    if (!source_.empty()) {
      end.line = source_.back().line;
      end.file = source_.back().file;
    }
    tokens_.push_back(end);
    return true;
  }

  // ---- symbols and expressions ---------------------------------------------------------
  struct Define {
    std::string text;
    int file;
    int line;
    bool objectLike;
  };

  bool ResolveSymbol(const Token& t, std::int64_t* value) {
    auto cached = resolved_.find(t.text);
    if (cached != resolved_.end()) {
      *value = cached->second;
      return true;
    }
    auto it = defines_.find(t.text);
    if (it == defines_.end()) {
      if (LookupWin32Constant(t.text, value)) return true;
      return FailAt(t, "unknown name " + t.text);
    }
    if (!it->second.objectLike) return FailAt(t, t.text + " is a macro with arguments");
    if (resolving_.count(t.text) != 0) return FailAt(t, t.text + " is defined in terms of itself");
    resolving_.insert(t.text);
    const Define& define = it->second;
    std::vector<Token> tokens;
    bool ok = TokeniseText(define.text, define.file, define.line, &tokens);
    std::size_t pos = 0;
    if (ok) ok = ParseExpression(tokens, &pos, value, false);
    if (ok && tokens[pos].kind != TokenKind::kEnd)
      ok = Fail(define.file, define.line, "extra text");
    resolving_.erase(t.text);
    if (!ok) {
      // Reported where the name is used, with the #define that could not be read.
      std::string inner = error_->message;
      error_->message.clear();
      return Fail(t.file, t.line,
                  t.text + " is not a number: #define " + t.text + " " + define.text + " (" +
                      fileNames_[define.file] + ":" + std::to_string(define.line) + ": " + inner +
                      ")");
    }
    resolved_[t.text] = *value;
    return true;
  }

  bool ParsePrimary(const std::vector<Token>& t, std::size_t* pos, std::int64_t* value) {
    const Token& tok = t[*pos];
    if (IsPunct(tok, "-") || IsPunct(tok, "~") || IsPunct(tok, "+")) {
      ++*pos;
      if (!ParsePrimary(t, pos, value)) return false;
      if (tok.text == "-") *value = -*value;
      if (tok.text == "~") *value = ~*value & 0xFFFFFFFFll;
      return true;
    }
    if (IsPunct(tok, "(")) {
      ++*pos;
      if (!ParseExpression(t, pos, value, false)) return false;
      if (!IsPunct(t[*pos], ")")) return FailAt(t[*pos], "expected )");
      ++*pos;
      return true;
    }
    if (tok.kind == TokenKind::kNumber) {
      *value = tok.number;
      ++*pos;
      return true;
    }
    if (tok.kind == TokenKind::kIdent && !IsIdent(tok, "NOT")) {
      ++*pos;
      return ResolveSymbol(tok, value);
    }
    return FailAt(tok, "expected a number or a name");
  }

  // Numbers and names joined by | & + -; with `styleBase` set it is a style expression, where
  // NOT X takes X away from what is there so far.
  bool ParseExpression(const std::vector<Token>& t, std::size_t* pos, std::int64_t* value,
                       bool style, std::int64_t styleBase = 0) {
    std::int64_t result = style ? styleBase : 0;
    char op = style ? '|' : 0;
    for (;;) {
      bool negate = false;
      if (style && IsIdent(t[*pos], "NOT")) {
        negate = true;
        ++*pos;
      }
      std::int64_t term = 0;
      if (!ParsePrimary(t, pos, &term)) return false;
      if (negate) {
        result &= ~term;
      } else {
        switch (op) {
          case 0:
            result = term;
            break;
          case '|':
            result |= term;
            break;
          case '&':
            result &= term;
            break;
          case '+':
            result += term;
            break;
          case '-':
            result -= term;
            break;
        }
      }
      const Token& next = t[*pos];
      if (IsPunct(next, "|") || IsPunct(next, "&") || IsPunct(next, "+") || IsPunct(next, "-")) {
        op = next.text[0];
        ++*pos;
        continue;
      }
      break;
    }
    *value = result;
    return true;
  }

  // ---- the script ----------------------------------------------------------------------
  const Token& Peek(std::size_t ahead = 0) const {
    std::size_t i = pos_ + ahead;
    return i < tokens_.size() ? tokens_[i] : tokens_.back();
  }
  bool Expression(std::int64_t* value) { return ParseExpression(tokens_, &pos_, value, false); }
  bool Int(int* value) {
    std::int64_t v = 0;
    if (!Expression(&v)) return false;
    *value = static_cast<int>(v);
    return true;
  }
  bool Style(std::uint32_t base, std::uint32_t* value) {
    std::int64_t v = 0;
    if (!ParseExpression(tokens_, &pos_, &v, true, base)) return false;
    *value = static_cast<std::uint32_t>(v);
    return true;
  }
  bool Comma() {
    if (!IsPunct(Peek(), ",")) return FailAt(Peek(), "expected ,");
    ++pos_;
    return true;
  }
  bool String(std::string* value) {
    if (Peek().kind != TokenKind::kString) return FailAt(Peek(), "expected a quoted string");
    *value = Peek().text;
    ++pos_;
    return true;
  }
  bool IsBegin(const Token& t) const { return IsIdent(t, "BEGIN") || IsPunct(t, "{"); }
  bool IsEnd(const Token& t) const { return IsIdent(t, "END") || IsPunct(t, "}"); }

  // Memory flags are accepted and ignored, as the 32-bit loader does.
  void SkipMemoryFlags() {
    static const char* const kFlags[] = {"PRELOAD",     "LOADONCALL", "FIXED", "MOVEABLE",
                                         "DISCARDABLE", "PURE",       "IMPURE"};
    for (;;) {
      bool skipped = false;
      for (const char* flag : kFlags) {
        if (IsIdent(Peek(), flag)) {
          ++pos_;
          skipped = true;
        }
      }
      if (!skipped) return;
    }
  }

  bool ParseScript() {
    while (Peek().kind != TokenKind::kEnd) {
      const Token& t = Peek();
      if (IsIdent(t, "LANGUAGE")) {
        ++pos_;
        int primary = 0;
        int sub = 0;
        if (!Int(&primary) || !Comma() || !Int(&sub)) return false;
        language_ = (sub << 10) | primary;
        continue;
      }
      if (IsIdent(t, "STRINGTABLE")) {
        ++pos_;
        if (!StringTable()) return false;
        continue;
      }
      if (t.kind != TokenKind::kIdent && t.kind != TokenKind::kNumber) {
        return FailAt(t, "expected a resource statement");
      }
      const Token& type = Peek(1);
      std::string keyword = type.kind == TokenKind::kIdent ? Upper(type.text) : std::string();
      if (keyword == "DIALOGEX" || keyword == "DIALOG") {
        if (!Dialog()) return false;
      } else if (keyword == "BITMAP" || keyword == "ICON" || keyword == "CURSOR") {
        if (!Image(keyword)) return false;
      } else if (keyword == "VERSIONINFO") {
        if (!SkipVersionInfo()) return false;
      } else if (keyword == "RT_MANIFEST" ||
                 (type.kind == TokenKind::kNumber && type.number == 24)) {
        pos_ += 2;
        SkipMemoryFlags();
        std::string ignored;
        if (!String(&ignored)) return false;
      } else if (type.kind == TokenKind::kEnd) {
        return FailAt(type, "expected a resource type after " + t.text);
      } else {
        return FailAt(type,
                      "expected DIALOGEX, DIALOG, BITMAP, ICON, VERSIONINFO or a manifest "
                      "after " +
                          t.text);
      }
    }
    return true;
  }

  bool ResourceId(int* id) {
    const Token& t = Peek();
    if (t.kind == TokenKind::kNumber) {
      *id = static_cast<int>(t.number);
      ++pos_;
      return true;
    }
    std::int64_t value = 0;
    if (!ResolveSymbol(t, &value)) {
      error_->message.clear();
      return FailAt(t, "resource name " + t.text + " has no number (named resources are not read)");
    }
    ++pos_;
    *id = static_cast<int>(value);
    return true;
  }

  bool StringTable() {
    SkipMemoryFlags();
    while (!IsBegin(Peek())) {
      // LANGUAGE and the like may come before BEGIN; only LANGUAGE is understood.
      if (IsIdent(Peek(), "LANGUAGE")) {
        ++pos_;
        int a = 0;
        int b = 0;
        if (!Int(&a) || !Comma() || !Int(&b)) return false;
        continue;
      }
      return FailAt(Peek(), "expected BEGIN after STRINGTABLE");
    }
    ++pos_;
    while (!IsEnd(Peek())) {
      if (Peek().kind == TokenKind::kEnd) return FailAt(Peek(), "expected END of STRINGTABLE");
      int id = 0;
      if (!Int(&id)) return false;
      if (IsPunct(Peek(), ",")) ++pos_;
      std::string text;
      if (!String(&text)) return false;
      while (Peek().kind == TokenKind::kString) text += tokens_[pos_++].text;
      out_->strings[id] = text;
    }
    ++pos_;
    return true;
  }

  bool Image(const std::string& keyword) {
    RcImage image;
    if (!ResourceId(&image.id)) return false;
    ++pos_;
    SkipMemoryFlags();
    image.type = keyword;
    if (!String(&image.file)) return false;
    out_->images.push_back(image);
    return true;
  }

  bool SkipVersionInfo() {
    pos_ += 2;
    while (!IsBegin(Peek())) {
      if (Peek().kind == TokenKind::kEnd) return FailAt(Peek(), "expected BEGIN of VERSIONINFO");
      ++pos_;
    }
    int depth = 0;
    do {
      const Token& t = Peek();
      if (t.kind == TokenKind::kEnd) return FailAt(t, "expected END of VERSIONINFO");
      if (IsBegin(t)) ++depth;
      if (IsEnd(t)) --depth;
      ++pos_;
    } while (depth > 0);
    return true;
  }

  bool Dialog() {
    RcDialog dialog;
    const Token& first = Peek();
    dialog.line = first.line;
    dialog.file = fileNames_[first.file];
    dialog.language = language_;
    if (!ResourceId(&dialog.id)) return false;
    bool extended = Upper(Peek().text) == "DIALOGEX";
    ++pos_;
    SkipMemoryFlags();
    if (!Int(&dialog.x) || !Comma() || !Int(&dialog.y) || !Comma() || !Int(&dialog.width) ||
        !Comma() || !Int(&dialog.height)) {
      return false;
    }
    if (extended && IsPunct(Peek(), ",")) {  // help id
      ++pos_;
      std::int64_t ignored = 0;
      if (!Expression(&ignored)) return false;
    }
    // What the resource compiler assumes when no STYLE is given.
    std::uint32_t added = 0;
    dialog.style = 0x80000000u | 0x00800000u | 0x00080000u;  // WS_POPUP | WS_BORDER | WS_SYSMENU
    while (!IsBegin(Peek())) {
      const Token& t = Peek();
      if (IsIdent(t, "STYLE")) {
        ++pos_;
        if (!Style(0, &dialog.style)) return false;
        dialog.style |= added;
      } else if (IsIdent(t, "EXSTYLE")) {
        ++pos_;
        if (!Style(0, &dialog.exStyle)) return false;
      } else if (IsIdent(t, "CAPTION")) {
        ++pos_;
        if (!String(&dialog.caption)) return false;
        dialog.hasCaption = true;
        added |= 0x00C00000u;  // WS_CAPTION
        dialog.style |= 0x00C00000u;
      } else if (IsIdent(t, "FONT")) {
        ++pos_;
        if (!Int(&dialog.fontSize) || !Comma() || !String(&dialog.fontName)) return false;
        // DIALOGEX may add weight, italic and character set.
        while (IsPunct(Peek(), ",")) {
          ++pos_;
          std::int64_t ignored = 0;
          if (!Expression(&ignored)) return false;
        }
        added |= 0x0040u;  // DS_SETFONT
        dialog.style |= 0x0040u;
      } else if (IsIdent(t, "LANGUAGE")) {
        ++pos_;
        int primary = 0;
        int sub = 0;
        if (!Int(&primary) || !Comma() || !Int(&sub)) return false;
        dialog.language = (sub << 10) | primary;
      } else {
        return FailAt(t, "expected STYLE, EXSTYLE, CAPTION, FONT or BEGIN in dialog " +
                             std::to_string(dialog.id));
      }
    }
    ++pos_;
    while (!IsEnd(Peek())) {
      const Token& t = Peek();
      if (t.kind == TokenKind::kEnd) return FailAt(t, "expected END of the dialog");
      if (!IsIdent(t, "CONTROL")) {
        return FailAt(t,
                      "expected CONTROL or END (controls are read only as CONTROL "
                      "statements)");
      }
      ++pos_;
      RcControl control;
      control.line = t.line;
      const Token& text = Peek();
      if (text.kind == TokenKind::kString) {
        control.text = text.text;
        ++pos_;
      } else {
        int ordinal = 0;
        if (!Int(&ordinal)) return false;
        control.text = "#" + std::to_string(ordinal);
      }
      if (!Comma() || !Int(&control.id) || !Comma()) return false;
      if (!String(&control.className)) return false;
      // A CONTROL is a visible child unless its style takes that away with NOT.
      if (!Comma() || !Style(0x40000000u | 0x10000000u, &control.style)) return false;
      if (!Comma() || !Int(&control.x) || !Comma() || !Int(&control.y) || !Comma() ||
          !Int(&control.width) || !Comma() || !Int(&control.height)) {
        return false;
      }
      if (IsPunct(Peek(), ",")) {
        ++pos_;
        if (!Style(0, &control.exStyle)) return false;
        if (IsPunct(Peek(), ",")) {  // help id
          ++pos_;
          std::int64_t ignored = 0;
          if (!Expression(&ignored)) return false;
        }
      }
      dialog.controls.push_back(control);
    }
    ++pos_;
    out_->dialogs.push_back(dialog);
    return true;
  }

 public:
  void CollectSymbols() {
    for (const auto& entry : defines_) {
      if (!entry.second.objectLike) continue;
      Token t;
      t.kind = TokenKind::kIdent;
      t.text = entry.first;
      std::int64_t value = 0;
      RcError saved = *error_;
      if (ResolveSymbol(t, &value)) out_->symbols[entry.first] = value;
      *error_ = saved;  // a string #define is not an error here
    }
  }

 private:
  const std::vector<std::string>& includeDirs_;
  const std::map<std::string, std::string>& files_;
  RcResources* out_;
  RcError* error_;
  std::vector<std::string> fileNames_;
  std::vector<SourceLine> source_;
  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
  std::map<std::string, Define> defines_;
  std::map<std::string, std::int64_t> resolved_;
  std::set<std::string> resolving_;
  int language_ = 0;
  int currentFile_ = -1;
  int currentLine_ = 0;
};

}  // namespace

bool LookupWin32Constant(const std::string& name, std::int64_t* value) {
  for (const Win32Constant& c : kWin32Constants) {
    if (name == c.name) {
      *value = c.value;
      return true;
    }
  }
  return false;
}

const RcDialog* RcResources::FindDialog(int id) const {
  for (const RcDialog& dialog : dialogs) {
    if (dialog.id == id) return &dialog;
  }
  return nullptr;
}

bool RcResources::Symbol(const std::string& name, std::int64_t* value) const {
  auto it = symbols.find(name);
  if (it != symbols.end()) {
    *value = it->second;
    return true;
  }
  return LookupWin32Constant(name, value);
}

std::string RcError::Describe() const {
  if (line == 0) return file.empty() ? message : file + ": " + message;
  return file + ":" + std::to_string(line) + ": " + message;
}

void RcReader::AddIncludeDir(const std::string& dir) { includeDirs_.push_back(dir); }

void RcReader::AddFile(const std::string& name, const std::string& text) { files_[name] = text; }

bool RcReader::Read(const std::string& path, RcResources* out) {
  error_ = RcError();
  *out = RcResources();
  Parser parser(includeDirs_, files_, out, &error_);
  if (!parser.Run(path)) {
    if (error_.message.empty()) error_.message = "cannot read " + path;
    return false;
  }
  parser.CollectSymbols();
  return true;
}
