#include "fakes/reg_file.h"

#include <cstdio>
#include <vector>

#include "store/registry_values.h"

namespace {

constexpr std::size_t kMaxKeyNameLen = 255;

// ---------------------------------------------------------------------------------------------
// Writing

// ---------------------------------------------------------------------------------------------
// Reading

struct Op {
  enum Kind { kKey, kDeleteKey, kSetValue, kDeleteValue } kind = kKey;
  int line = 0;
  RegKey hive = 0;
  std::string path;  // below the hive, for kKey and kDeleteKey
  std::string name;  // for the value operations; empty: the default value
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StartsWithNoCase(const std::string& s, std::size_t pos, const char* prefix) {
  for (std::size_t i = 0; prefix[i]; ++i) {
    if (pos + i >= s.size()) return false;
    char a = s[pos + i], b = prefix[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (b >= 'A' && b <= 'Z') b = static_cast<char>(b - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

bool EqualsNoCase(const std::string& a, const char* b) {
  return a.size() == std::string(b).size() && StartsWithNoCase(a, 0, b);
}

std::size_t SkipBlanks(const std::string& s, std::size_t pos) {
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  return pos;
}

// Nothing but blanks or a comment from `pos` on.
bool OnlyTrailer(const std::string& s, std::size_t pos) {
  pos = SkipBlanks(s, pos);
  return pos == s.size() || s[pos] == ';';
}

// Text as bytes: a UTF-16 file (with its byte order mark) becomes one byte per character, a
// UTF-8 byte order mark is dropped. Says whether the file was UTF-16.
std::string ToBytes(const std::string& text, bool* utf16) {
  *utf16 = false;
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFF &&
      static_cast<unsigned char>(text[1]) == 0xFE) {
    *utf16 = true;
    std::string out;
    for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
      const unsigned c = static_cast<unsigned char>(text[i]) |
                         (static_cast<unsigned>(static_cast<unsigned char>(text[i + 1])) << 8);
      out += c <= 0xFF ? static_cast<char>(c) : '?';
    }
    return out;
  }
  if (text.size() >= 3 && static_cast<unsigned char>(text[0]) == 0xEF &&
      static_cast<unsigned char>(text[1]) == 0xBB && static_cast<unsigned char>(text[2]) == 0xBF)
    return text.substr(3);
  return text;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(current);
      current.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(current);
  return lines;
}

class Parser {
 public:
  explicit Parser(const std::string& text) : lines_(SplitLines(ToBytes(text, &unicode_))) {}

  RegFileResult Run(std::vector<Op>* ops) {
    ops_ = ops;
    if (lines_.empty()) return Fail(1, "expected REGEDIT4 or Windows Registry Editor Version 5.00");
    std::string header = lines_[0];
    while (!header.empty() && IsBlank(header.back())) header.pop_back();
    if (header != "REGEDIT4" && header != "Windows Registry Editor Version 5.00")
      return Fail(1, "expected REGEDIT4 or Windows Registry Editor Version 5.00");
    for (index_ = 1; index_ < lines_.size(); ++index_) {
      const std::string& line = lines_[index_];
      const std::size_t pos = SkipBlanks(line, 0);
      if (pos == line.size() || line[pos] == ';') continue;
      bool ok = false;
      if (line[pos] == '[') {
        ok = KeyLine(line, pos);
      } else if (line[pos] == '"' || line[pos] == '@') {
        ok = ValueLine(line, pos);
      } else {
        Error("expected a [key] line, a \"name\"= or @= value line, or a ; comment");
      }
      if (!ok) return result_;
    }
    return result_;
  }

 private:
  int LineNumber() const { return static_cast<int>(index_) + 1; }

  RegFileResult Fail(int line, const std::string& message) {
    result_.ok = false;
    result_.line = line;
    result_.message = message;
    return result_;
  }
  bool Error(const std::string& message) {
    Fail(LineNumber(), message);
    return false;
  }

  bool KeyLine(const std::string& line, std::size_t pos) {
    const std::size_t close = line.rfind(']');
    if (close == std::string::npos || close < pos)
      return Error("expected ] at the end of the key name");
    if (!OnlyTrailer(line, close + 1)) return Error("expected nothing after ] but a ; comment");
    std::size_t start = pos + 1;
    const bool remove = start < close && line[start] == '-';
    if (remove) ++start;
    const std::string full = line.substr(start, close - start);
    const std::size_t slash = full.find('\\');
    const std::string hiveName = full.substr(0, slash);
    Op op;
    op.line = LineNumber();
    op.kind = remove ? Op::kDeleteKey : Op::kKey;
    if (EqualsNoCase(hiveName, "HKEY_CURRENT_USER")) {
      op.hive = kHkeyCurrentUser;
    } else if (EqualsNoCase(hiveName, "HKEY_LOCAL_MACHINE")) {
      op.hive = kHkeyLocalMachine;
    } else {
      return Error("expected HKEY_CURRENT_USER or HKEY_LOCAL_MACHINE, found \"" + hiveName + "\"");
    }
    std::string path = slash == std::string::npos ? std::string() : full.substr(slash + 1);
    if (!path.empty() && path.back() == '\\') path.pop_back();
    std::size_t nameStart = 0;
    for (std::size_t i = 0; i <= path.size(); ++i) {
      if (i == path.size() || path[i] == '\\') {
        if (!path.empty() && i == nameStart) return Error("expected a key name between \\ and \\");
        if (i - nameStart > kMaxKeyNameLen)
          return Error("expected key names of at most 255 characters");
        nameStart = i + 1;
      }
    }
    if (remove && path.empty()) return Error("expected a key below the hive to delete");
    op.path = path;
    haveKey_ = !remove;
    ops_->push_back(op);
    return true;
  }

  // A quoted string from line[pos] (the opening quote) on; *pos ends after the closing quote.
  bool Quoted(const std::string& line, std::size_t* pos, std::string* out) {
    out->clear();
    for (std::size_t i = *pos + 1; i < line.size(); ++i) {
      const char c = line[i];
      if (c == '"') {
        *pos = i + 1;
        return true;
      }
      if (c == '\\') {
        if (i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
          *out += line[++i];
          continue;
        }
        return Error("expected \\\\ or \\\" after a backslash in a quoted text");
      }
      *out += c;
    }
    return Error("expected a closing \" before the end of the line");
  }

  bool ValueLine(const std::string& line, std::size_t pos) {
    if (!haveKey_) return Error("expected a [key] line before the values it holds");
    Op op;
    op.line = LineNumber();
    if (line[pos] == '@') {
      ++pos;
    } else if (!Quoted(line, &pos, &op.name)) {
      return false;
    }
    pos = SkipBlanks(line, pos);
    if (pos >= line.size() || line[pos] != '=') return Error("expected = after the value name");
    pos = SkipBlanks(line, pos + 1);
    if (pos < line.size() && line[pos] == '"') {
      std::string text;
      if (!Quoted(line, &pos, &text)) return false;
      if (!OnlyTrailer(line, pos)) return Error("expected nothing after the closing \"");
      op.kind = Op::kSetValue;
      op.type = kRegSz;
      op.data.assign(text.begin(), text.end());
      op.data.push_back(0);
    } else if (pos < line.size() && line[pos] == '-') {
      if (!OnlyTrailer(line, pos + 1)) return Error("expected nothing after =-");
      op.kind = Op::kDeleteValue;
    } else if (StartsWithNoCase(line, pos, "dword:")) {
      pos += 6;
      std::uint32_t value = 0;
      std::size_t digits = 0;
      while (pos < line.size() && HexDigit(line[pos]) >= 0 && digits < 9) {
        value = (value << 4) | static_cast<std::uint32_t>(HexDigit(line[pos]));
        ++pos;
        ++digits;
      }
      if (digits == 0 || digits > 8 || !OnlyTrailer(line, pos))
        return Error("expected 1 to 8 hex digits after dword:");
      op.kind = Op::kSetValue;
      op.type = kRegDword;
      for (int i = 0; i < 4; ++i) op.data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    } else if (StartsWithNoCase(line, pos, "hex")) {
      pos += 3;
      op.type = kRegBinary;
      if (pos < line.size() && line[pos] == '(') {
        std::uint32_t type = 0;
        std::size_t digits = 0;
        for (++pos; pos < line.size() && HexDigit(line[pos]) >= 0; ++pos, ++digits)
          type = (type << 4) | static_cast<std::uint32_t>(HexDigit(line[pos]));
        if (digits == 0 || digits > 8 || pos >= line.size() || line[pos] != ')')
          return Error("expected hex(N): with the type N in 1 to 8 hex digits");
        ++pos;
        op.type = type;
      }
      if (pos >= line.size() || line[pos] != ':') return Error("expected : after hex or hex(N)");
      if (!HexList(line, pos + 1, &op.data)) return false;
      if (unicode_ && (op.type == kRegSz || op.type == kRegExpandSz || op.type == kRegMultiSz) &&
          !FromUtf16(&op.data))
        return false;
      op.kind = Op::kSetValue;
    } else {
      return Error("expected \"text\", dword:, hex:, hex(N): or - after =");
    }
    ops_->push_back(op);
    return true;
  }

  // Comma-separated bytes; a backslash at the end of a line continues the list on the next.
  bool HexList(const std::string& first, std::size_t pos, std::vector<std::uint8_t>* out) {
    const std::string* line = &first;
    for (;;) {
      pos = SkipBlanks(*line, pos);
      bool continued = false;
      while (pos < line->size() && (*line)[pos] != ';') {
        if ((*line)[pos] == '\\') {
          if (!OnlyTrailer(*line, pos + 1)) return Error("expected the end of the line after \\");
          continued = true;
          break;
        }
        int value = HexDigit((*line)[pos]);
        std::size_t digits = 0;
        while (pos < line->size() && HexDigit((*line)[pos]) >= 0 && digits < 3) {
          if (digits) value = value * 16 + HexDigit((*line)[pos]);
          ++pos;
          ++digits;
        }
        if (digits == 0 || digits > 2) return Error("expected a byte of two hex digits");
        out->push_back(static_cast<std::uint8_t>(value));
        pos = SkipBlanks(*line, pos);
        if (pos < line->size() && (*line)[pos] == ',') {
          pos = SkipBlanks(*line, pos + 1);
        } else if (pos < line->size() && (*line)[pos] != '\\' && (*line)[pos] != ';') {
          return Error("expected , between hex bytes");
        }
      }
      if (!continued) return true;
      if (index_ + 1 >= lines_.size())
        return Error("expected the hex bytes to go on after \\ but the file ends");
      ++index_;
      line = &lines_[index_];
      pos = SkipBlanks(*line, 0);
      if (pos == line->size()) return Error("expected the hex bytes to go on after \\");
    }
  }

  // The bytes of texts given as hex are in the file's own encoding, whatever its header says
  // (regedit reads them so): UTF-16 in a UTF-16 file, single bytes otherwise.
  bool FromUtf16(std::vector<std::uint8_t>* data) {
    if (data->size() % 2) return Error("expected an even number of bytes for a UTF-16 text");
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i < data->size(); i += 2) {
      const unsigned c = (*data)[i] | (static_cast<unsigned>((*data)[i + 1]) << 8);
      bytes.push_back(c <= 0xFF ? static_cast<std::uint8_t>(c) : '?');
    }
    *data = bytes;
    return true;
  }

  bool unicode_ = false;  // set before lines_ is filled
  std::vector<std::string> lines_;
  std::size_t index_ = 0;
  bool haveKey_ = false;
  std::vector<Op>* ops_ = nullptr;
  RegFileResult result_;
};

std::string KeyLabel(const Op& op) {
  std::string label = HiveName(op.hive);
  if (!op.path.empty()) label += "\\" + op.path;
  return label;
}

RegFileResult Apply(Registry& registry, const std::vector<Op>& ops) {
  RegFileResult result;
  ScopedKey current(registry);
  std::string currentLabel;
  auto fail = [&result](const Op& op, RegResult rc, const std::string& what) {
    result.ok = false;
    result.line = op.line;
    result.regError = rc;
    result.message = what + " (error " + std::to_string(rc) + ")";
    return result;
  };
  for (const Op& op : ops) {
    RegResult rc = kRegOk;
    switch (op.kind) {
      case Op::kKey:
        rc = current.Create(op.hive, op.path.c_str());
        if (rc != kRegOk) return fail(op, rc, "could not create [" + KeyLabel(op) + "]");
        currentLabel = KeyLabel(op);
        break;
      case Op::kDeleteKey:
        current.Close();
        rc = registry.DeleteTree(op.hive, op.path.c_str());
        if (rc != kRegOk && rc != kRegFileNotFound)
          return fail(op, rc, "could not delete [" + KeyLabel(op) + "]");
        break;
      case Op::kSetValue: {
        // The store's own exact write: a text without its terminator stays as written.
        const std::uint8_t none = 0;
        rc = SetExactValue(registry, current.get(), op.name.c_str(), op.type,
                           op.data.empty() ? &none : op.data.data(),
                           static_cast<std::uint32_t>(op.data.size()));
        if (rc != kRegOk)
          return fail(op, rc, "could not set \"" + op.name + "\" in [" + currentLabel + "]");
        break;
      }
      case Op::kDeleteValue:
        rc = registry.DeleteValue(current.get(), op.name.c_str());
        if (rc != kRegOk && rc != kRegFileNotFound)
          return fail(op, rc, "could not delete \"" + op.name + "\" in [" + currentLabel + "]");
        break;
    }
  }
  return result;
}

bool ReadWholeFile(const std::string& path, std::string* text) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buf[4096];
  std::size_t n;
  text->clear();
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text->append(buf, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool SaveKey(Registry& registry, RegKey key, const std::string& label, bool isHive,
             std::string* out) {
  std::uint32_t subKeys = 0, maxKey = 0, values = 0, maxName = 0, maxData = 0;
  if (registry.QueryInfoKey(key, &subKeys, &maxKey, &values, &maxName, &maxData) != kRegOk)
    return false;
  if (!isHive || values > 0) *out += "\r\n[" + label + "]\r\n";
  std::vector<char> name(maxName + 1);
  std::vector<std::uint8_t> data(maxData + 1);
  for (std::uint32_t i = 0;;) {
    std::uint32_t nameSize = static_cast<std::uint32_t>(name.size());
    std::uint32_t dataSize = static_cast<std::uint32_t>(data.size());
    std::uint32_t type = 0;
    const RegResult rc =
        registry.EnumValue(key, i, name.data(), &nameSize, &type, data.data(), &dataSize);
    if (rc == kRegNoMoreItems) break;
    if (rc == kRegMoreData) {
      // Changed since the key was measured: grow and ask again for the same value.
      if (name.size() > 65536 || data.size() > (64u << 20)) return false;
      name.resize(name.size() * 2);
      if (dataSize >= data.size()) data.resize(dataSize + 1);
      continue;
    }
    if (rc != kRegOk) return false;
    *out +=
        FormatRegValue(std::string(name.data(), nameSize), type, data.data(), dataSize) + "\r\n";
    ++i;
  }
  std::vector<std::string> children;
  for (std::uint32_t i = 0;; ++i) {
    char child[kMaxKeyNameLen + 2];
    std::uint32_t size = sizeof child;
    const RegResult rc = registry.EnumKey(key, i, child, &size);
    if (rc == kRegNoMoreItems) break;
    if (rc != kRegOk) return false;
    children.push_back(std::string(child, size));
  }
  for (const auto& child : children) {
    ScopedKey sub(registry);
    if (sub.Open(key, child.c_str()) != kRegOk) return false;
    if (!SaveKey(registry, sub.get(), label + "\\" + child, false, out)) return false;
  }
  return true;
}

}  // namespace

RegFileResult ParseRegText(const std::string& text) {
  std::vector<Op> ops;
  return Parser(text).Run(&ops);
}

RegFileResult LoadRegText(Registry& registry, const std::string& text) {
  std::vector<Op> ops;
  RegFileResult parsed = Parser(text).Run(&ops);
  if (!parsed.ok) return parsed;
  return Apply(registry, ops);
}

RegFileResult LoadRegFile(Registry& registry, const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, &text)) {
    RegFileResult result;
    result.ok = false;
    result.message = "cannot read " + path;
    return result;
  }
  return LoadRegText(registry, text);
}

bool SaveRegText(Registry& registry, RegKey hive, const std::string& path, std::string* text) {
  const char* hiveName = HiveName(hive);
  if (!hiveName) return false;
  std::string trimmed = path;
  while (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  ScopedKey key(registry);
  if (key.Open(hive, trimmed.c_str()) != kRegOk) return false;
  std::string out = "REGEDIT4\r\n";
  const std::string label = trimmed.empty() ? hiveName : std::string(hiveName) + "\\" + trimmed;
  if (!SaveKey(registry, key.get(), label, trimmed.empty(), &out)) return false;
  *text = out;
  return true;
}

bool SaveRegFile(Registry& registry, RegKey hive, const std::string& path,
                 const std::string& filePath) {
  std::string text;
  if (!SaveRegText(registry, hive, path, &text)) return false;
  std::FILE* f = std::fopen(filePath.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  return std::fclose(f) == 0 && written;
}
