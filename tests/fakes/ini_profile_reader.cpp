#include "fakes/ini_profile_reader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <dirent.h>
#endif

#include "lang/translate.h"

namespace {

// A piece of text that is not terminated.
struct Span {
  const char* p;
  std::size_t n;
};

bool IsBlank(unsigned char c) { return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == 0x20; }

unsigned char FoldAscii(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

Span Trim(Span s) {
  while (s.n > 0 && IsBlank(static_cast<unsigned char>(s.p[0]))) {
    ++s.p;
    --s.n;
  }
  while (s.n > 0 && IsBlank(static_cast<unsigned char>(s.p[s.n - 1]))) --s.n;
  return s;
}

Span TrimEnd(Span s) {
  while (s.n > 0 && IsBlank(static_cast<unsigned char>(s.p[s.n - 1]))) --s.n;
  return s;
}

// Names and values are C strings once the file is loaded, so a NUL inside one ends it.
Span UntilNul(Span s) {
  const void* nul = std::memchr(s.p, '\0', s.n);
  if (nul != nullptr) s.n = static_cast<std::size_t>(static_cast<const char*>(nul) - s.p);
  return s;
}

bool SameName(Span a, Span b) {
  if (a.n != b.n) return false;
  for (std::size_t i = 0; i < a.n; ++i) {
    if (FoldAscii(static_cast<unsigned char>(a.p[i])) !=
        FoldAscii(static_cast<unsigned char>(b.p[i])))
      return false;
  }
  return true;
}

Span FromText(const char* text) { return text ? Span{text, std::strlen(text)} : Span{"", 0}; }

// --- Text encodings --------------------------------------------------------------------------

// Windows-1252 for the code points 0x80 to 0x9F of the code page. The five holes keep their own
// code points, so every byte read as ANSI comes back unchanged.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char ToAnsi(std::uint32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
    return static_cast<char>(codePoint);
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == codePoint) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes UTF-8 from data[from, size) into data[0, ...); returns the new length. Output never
// overtakes input, so the conversion works in place. A malformed sequence gives one '?' per byte.
std::size_t Utf8ToAnsi(char* data, std::size_t from, std::size_t size) {
  const auto* in = reinterpret_cast<const unsigned char*>(data);
  std::size_t w = 0;
  std::size_t r = from;
  while (r < size) {
    unsigned char lead = in[r];
    std::uint32_t cp = lead;
    std::size_t extra = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
      cp = lead & 0x1F;
      minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      cp = lead & 0x0F;
      minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      cp = lead & 0x07;
      minimum = 0x10000;
    } else if (lead >= 0x80) {
      data[w++] = '?';
      ++r;
      continue;
    }
    bool ok = r + extra < size;
    for (std::size_t i = 1; ok && i <= extra; ++i) {
      if ((in[r + i] & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (in[r + i] & 0x3F);
    }
    if (ok && extra > 0 && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
      ok = false;
    if (!ok) {
      data[w++] = '?';
      ++r;
      continue;
    }
    data[w++] = ToAnsi(cp);
    r += extra + 1;
  }
  return w;
}

std::size_t Utf16ToAnsi(char* data, std::size_t from, std::size_t size, bool bigEndian) {
  const auto* in = reinterpret_cast<const unsigned char*>(data);
  std::size_t w = 0;
  for (std::size_t r = from; r + 1 < size; r += 2) {
    std::uint32_t unit = bigEndian ? (in[r] << 8) | in[r + 1] : in[r] | (in[r + 1] << 8);
    data[w++] = ToAnsi(unit);
  }
  return w;
}

// Brings the file's bytes into the ANSI code page, as the profile reader does when it loads a
// file with a byte-order mark; returns the length of the converted text.
std::size_t ConvertToAnsi(char* data, std::size_t size) {
  const auto* b = reinterpret_cast<const unsigned char*>(data);
  if (size >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return Utf8ToAnsi(data, 3, size);
  if (size >= 2 && b[0] == 0xFF && b[1] == 0xFE) return Utf16ToAnsi(data, 2, size, false);
  if (size >= 2 && b[0] == 0xFE && b[1] == 0xFF) return Utf16ToAnsi(data, 2, size, true);
  return size;
}

// --- Files -----------------------------------------------------------------------------------

class FileCloser {
 public:
  explicit FileCloser(std::FILE* file) : file_(file) {}
  ~FileCloser() {
    if (file_ != nullptr) std::fclose(file_);
  }
  FileCloser(const FileCloser&) = delete;
  FileCloser& operator=(const FileCloser&) = delete;

 private:
  std::FILE* file_;
};

// The whole content of a file, held in memory obtained with malloc so that a file too big for
// memory is an ordinary failure instead of an abort.
class FileBytes {
 public:
  FileBytes() = default;
  ~FileBytes() { std::free(data_); }
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  // False when memory ran out or reading failed; the content is then empty.
  bool ReadAll(std::FILE* file) {
    std::size_t capacity = 0;
    for (;;) {
      if (size_ == capacity) {
        std::size_t grown = capacity == 0 ? 64 * 1024 : capacity * 2;
        if (grown < capacity) return Drop();
        char* bigger = static_cast<char*>(std::realloc(data_, grown));
        if (bigger == nullptr) return Drop();
        data_ = bigger;
        capacity = grown;
      }
      std::size_t got = std::fread(data_ + size_, 1, capacity - size_, file);
      size_ += got;
      if (got == 0) break;
    }
    if (std::ferror(file)) return Drop();
    return true;
  }

  char* data() { return data_; }
  std::size_t size() const { return size_; }
  void set_size(std::size_t size) { size_ = size; }

 private:
  bool Drop() {
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
    return false;
  }

  char* data_ = nullptr;
  std::size_t size_ = 0;
};

bool StatIs(const std::string& path, bool wantDirectory) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return false;
  return wantDirectory ? (info.st_mode & S_IFMT) == S_IFDIR : true;
}

bool IsSeparator(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/';
#else
  return c == '/';
#endif
}

// The folder that would hold `path`.
std::string ParentOf(const std::string& path) {
  std::size_t end = path.size();
  while (end > 0 && !IsSeparator(path[end - 1])) --end;
  if (end == 0) return ".";
  std::string parent = path.substr(0, end);
  while (parent.size() > 1 && IsSeparator(parent.back())) parent.pop_back();
#ifdef _WIN32
  if (parent.size() == 2 && parent[1] == ':') parent += '\\';
#endif
  if (parent.empty()) parent = "/";
  return parent;
}

#ifndef _WIN32
class DirCloser {
 public:
  explicit DirCloser(DIR* dir) : dir_(dir) {}
  ~DirCloser() {
    if (dir_ != nullptr) closedir(dir_);
  }
  DirCloser(const DirCloser&) = delete;
  DirCloser& operator=(const DirCloser&) = delete;
  DIR* get() const { return dir_; }

 private:
  DIR* dir_;
};

std::string NativePath(const char* windowsPath) {
  std::string path(windowsPath);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  bool drive = path.size() >= 2 && path[1] == ':' &&
               ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  if (drive) path.erase(0, 2);
  return path;
}

// Windows finds "lang\FRENCH.INI" when the disk says "Lang/French.ini": look each part up
// without case where the exact spelling is not there.
std::string ResolveCase(const std::string& path) {
  if (path.empty() || StatIs(path, false)) return path;
  std::string done = path[0] == '/' ? "/" : "";
  std::size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && path[i] == '/') ++i;
    std::size_t end = path.find('/', i);
    if (end == std::string::npos) end = path.size();
    if (end == i) break;
    std::string part = path.substr(i, end - i);
    i = end;
    std::string prefix = (done.empty() || done.back() == '/') ? done : done + "/";
    std::string candidate = prefix + part;
    if (!StatIs(candidate, false)) {
      DirCloser dir(opendir(done.empty() ? "." : done.c_str()));
      if (dir.get() != nullptr) {
        while (const dirent* entry = readdir(dir.get())) {
          // Accented capitals too, as Windows compares file names.
          if (SameTextIgnoringCase(entry->d_name, part)) {
            candidate = prefix + entry->d_name;
            break;
          }
        }
      }
    }
    done = candidate;
  }
  return done;
}
#endif

enum class Load {
  kText,     // the file's text (possibly empty: no file in an existing folder reads as empty)
  kNoAccess  // the path leads nowhere (missing folder) or to something that is not a file
};

Load LoadFile(const char* windowsPath, FileBytes* bytes) {
#ifdef _WIN32
  std::string path(windowsPath);
#else
  std::string path = ResolveCase(NativePath(windowsPath));
#endif
  if (StatIs(path, true)) return Load::kNoAccess;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    if (errno == ENOENT && StatIs(ParentOf(path), true)) return Load::kText;
    return Load::kNoAccess;
  }
  FileCloser closer(file);
  // A read that fails leaves no entries, as for an empty file.
  bytes->ReadAll(file);
  return Load::kText;
}

// --- Lookup ----------------------------------------------------------------------------------

// The first line with the key in the first section of that name; a line without '=' has no value.
struct Found {
  bool hasValue = false;
  Span value{"", 0};
};

Found FindEntry(const char* data, std::size_t size, Span section, Span key) {
  Found result;
  // Entries ahead of any section header form a section without a name.
  bool inSection = SameName(Span{"", 0}, section);
  std::size_t pos = 0;
  while (pos < size) {
    std::size_t start = pos;
    while (pos < size && data[pos] != '\n' && data[pos] != '\r') ++pos;
    Span line = Trim(Span{data + start, pos - start});
    while (pos < size && (data[pos] == '\n' || data[pos] == '\r')) ++pos;
    if (line.n == 0) continue;

    if (line.p[0] == '[') {
      std::size_t close = line.n;
      while (close > 0 && line.p[close - 1] != ']') --close;
      if (close > 0) {
        // Only the first section of a name counts; a later one of the same name is never read.
        if (inSection) return result;
        Span name = UntilNul(Trim(Span{line.p + 1, close - 2}));
        inSection = SameName(name, section);
        continue;
      }
    }
    if (!inSection) continue;

    const char* equals = static_cast<const char*>(std::memchr(line.p, '=', line.n));
    Span name = line;
    Span value{"", 0};
    bool hasValue = false;
    if (equals != nullptr) {
      name = TrimEnd(Span{line.p, static_cast<std::size_t>(equals - line.p)});
      value = Trim(Span{equals + 1, static_cast<std::size_t>(line.p + line.n - equals - 1)});
      hasValue = true;
    }
    if (SameName(UntilNul(name), key)) {
      result.hasValue = hasValue;
      result.value = UntilNul(value);
      return result;
    }
  }
  return result;
}

std::uint32_t CopyPlain(Span text, char* buffer, std::uint32_t size) {
  std::size_t copied = text.n < size - 1 ? text.n : size - 1;
  std::memcpy(buffer, text.p, copied);
  buffer[copied] = '\0';
  return static_cast<std::uint32_t>(copied);
}

// One pair of enclosing quotes goes. The closing quote is cut after copying, so when the copy
// was itself cut short the last real character goes instead, as Windows' reader does.
std::uint32_t CopyUnquoted(Span text, char* buffer, std::uint32_t size) {
  bool quoted =
      text.n >= 2 && (text.p[0] == '"' || text.p[0] == '\'') && text.p[text.n - 1] == text.p[0];
  if (quoted) {
    ++text.p;
    --text.n;
  }
  std::uint32_t copied = CopyPlain(text, buffer, size);
  if (quoted && size >= text.n && copied > 0) buffer[--copied] = '\0';
  return copied;
}

}  // namespace

std::uint32_t IniProfileReader::ReadString(const char* section, const char* key,
                                           const char* defaultText, char* buffer,
                                           std::uint32_t size, const char* path) {
  if (buffer == nullptr || size == 0) return 0;
  if (section == nullptr || key == nullptr || path == nullptr) {
    buffer[0] = '\0';
    return 0;
  }
  Span fallback = FromText(defaultText);
  while (fallback.n > 1 && fallback.p[fallback.n - 1] == ' ') --fallback.n;

  FileBytes bytes;
  if (LoadFile(path, &bytes) == Load::kNoAccess) return CopyPlain(fallback, buffer, size);

  bytes.set_size(ConvertToAnsi(bytes.data(), bytes.size()));
  Found found = FindEntry(bytes.data(), bytes.size(), Trim(FromText(section)), Trim(FromText(key)));
  return CopyUnquoted(found.hasValue ? found.value : fallback, buffer, size);
}
