#include "fakes/res_file.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

constexpr int kRtDialog = 5;
constexpr int kRtString = 6;
constexpr std::uint32_t kDsSetFont = 0x40;

// Windows-1252's characters from 0x80 to 0x9F (0: none).
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char ToAnsi(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  for (int i = 0; i < 32; ++i) {
    if (kCp1252High[i] == c) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// A bounded little-endian reader; any read past the end marks it failed and gives zeros.
class Cursor {
 public:
  Cursor(const std::string& data, std::size_t begin, std::size_t end)
      : data_(data), pos_(begin), end_(end) {}

  bool failed() const { return failed_; }
  // Entries, and the items in a template, start on a 4-byte boundary of the file.
  void Align4() { pos_ = (pos_ + 3) & ~std::size_t(3); }

  std::uint32_t Read(int bytes) {
    if (pos_ + bytes > end_) {
      failed_ = true;
      pos_ = end_;
      return 0;
    }
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
      value |= std::uint32_t(static_cast<unsigned char>(data_[pos_ + i])) << (8 * i);
    }
    pos_ += bytes;
    return value;
  }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Read(2)); }
  std::uint32_t Dword() { return Read(4); }
  int Short() { return static_cast<std::int16_t>(Word()); }

  // A NUL-terminated UTF-16 string.
  std::string Text() {
    std::string text;
    for (char16_t c = Word(); c != 0 && !failed_; c = Word()) text += ToAnsi(c);
    return text;
  }
  // A name or a number: 0xFFFF and an ordinal, or a string. Numbers come back in `ordinal`.
  std::string NameOrOrdinal(int* ordinal) {
    *ordinal = -1;
    if (pos_ + 2 <= end_ && static_cast<unsigned char>(data_[pos_]) == 0xFF &&
        static_cast<unsigned char>(data_[pos_ + 1]) == 0xFF) {
      Word();
      *ordinal = Word();
      return std::string();
    }
    return Text();
  }

 private:
  const std::string& data_;
  std::size_t pos_;
  std::size_t end_;
  bool failed_ = false;
};

// The predefined classes by ordinal (0x80 on), then the common controls', in the spelling the
// program's script uses: windres writes class names in capitals.
constexpr const char* kClasses[] = {"Button",    "Edit",     "Static",      "ListBox",
                                    "ScrollBar", "ComboBox", "ComboBoxEx32"};

bool SameName(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i] != 0; ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return i == a.size() && b[i] == 0;
}

std::string ClassName(Cursor& in) {
  int ordinal = 0;
  std::string name = in.NameOrOrdinal(&ordinal);
  for (int i = 0; i < 7; ++i) {
    if ((i < 6 && ordinal == 0x80 + i) || SameName(name, kClasses[i])) return kClasses[i];
  }
  return name;
}

std::string Title(Cursor& in) {
  int ordinal = 0;
  std::string text = in.NameOrOrdinal(&ordinal);
  return ordinal >= 0 ? "#" + std::to_string(ordinal) : text;
}

bool ReadDialogTemplate(const std::string& data, std::size_t begin, std::size_t end,
                        ResDialog* dialog) {
  Cursor probe(data, begin, end);
  const bool extended = probe.Word() == 1 && probe.Word() == 0xFFFF;
  Cursor in(data, extended ? begin + 4 : begin, end);
  if (extended) {
    in.Dword();  // help id
    dialog->exStyle = in.Dword();
    dialog->style = in.Dword();
  } else {
    dialog->style = in.Dword();
    dialog->exStyle = in.Dword();
  }
  const int count = in.Word();
  dialog->x = in.Short();
  dialog->y = in.Short();
  dialog->width = in.Short();
  dialog->height = in.Short();
  int ordinal = 0;
  in.NameOrOrdinal(&ordinal);  // menu
  in.NameOrOrdinal(&ordinal);  // window class
  dialog->caption = in.Text();
  if (dialog->style & kDsSetFont) {
    dialog->fontSize = in.Word();
    if (extended) {
      in.Word();  // weight
      in.Word();  // italic, character set
    }
    dialog->fontName = in.Text();
  }
  for (int i = 0; i < count && !in.failed(); ++i) {
    in.Align4();
    ResControl control;
    if (extended) {
      in.Dword();  // help id
      control.exStyle = in.Dword();
      control.style = in.Dword();
    } else {
      control.style = in.Dword();
      control.exStyle = in.Dword();
    }
    control.x = in.Short();
    control.y = in.Short();
    control.width = in.Short();
    control.height = in.Short();
    control.id = extended ? static_cast<std::int32_t>(in.Dword()) : in.Short();
    control.className = ClassName(in);
    control.text = Title(in);
    const int extra = in.Word();
    for (int b = 0; b < extra; ++b) in.Read(1);
    dialog->controls.push_back(control);
  }
  return !in.failed();
}

}  // namespace

const ResDialog* ResFile::FindDialog(int id) const {
  for (const ResDialog& dialog : dialogs) {
    if (dialog.id == id) return &dialog;
  }
  return nullptr;
}

bool ReadResFile(const std::string& path, ResFile* out, std::string* error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    *error = path + ": cannot read";
    return false;
  }
  const std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  *out = ResFile();
  std::size_t at = 0;
  while (at < data.size()) {
    Cursor header(data, at, data.size());
    const std::uint32_t dataSize = header.Dword();
    const std::uint32_t headerSize = header.Dword();
    int type = 0;
    int name = 0;
    header.NameOrOrdinal(&type);
    header.NameOrOrdinal(&name);
    header.Align4();
    header.Dword();  // data version
    header.Word();   // memory flags
    const int language = header.Word();
    const std::size_t begin = at + headerSize;
    if (header.failed() || headerSize < 32 || begin > data.size() ||
        dataSize > data.size() - begin) {
      *error = path + ": not a resource file (entry at byte " + std::to_string(at) + ")";
      return false;
    }
    const std::size_t end = begin + dataSize;
    if (type == kRtDialog && name >= 0) {
      ResDialog dialog;
      dialog.id = name;
      dialog.language = language;
      if (!ReadDialogTemplate(data, begin, end, &dialog)) {
        *error = path + ": dialog " + std::to_string(name) + " is cut short";
        return false;
      }
      out->dialogs.push_back(dialog);
    } else if (type == kRtString && name > 0) {
      // A block of 16 counted strings; block n holds ids (n - 1) * 16 to n * 16 - 1.
      Cursor in(data, begin, end);
      for (int i = 0; i < 16 && !in.failed(); ++i) {
        const int length = in.Word();
        std::string text;
        for (int c = 0; c < length; ++c) text += ToAnsi(in.Word());
        if (length > 0) out->strings.emplace((name - 1) * 16 + i, text);
      }
      if (in.failed()) {
        *error = path + ": string block " + std::to_string(name) + " is cut short";
        return false;
      }
    }
    at = (end + 3) & ~std::size_t(3);
  }
  return true;
}
