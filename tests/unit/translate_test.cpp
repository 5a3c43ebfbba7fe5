// The language lookup: path building, the reader's arguments, line breaks, the length limit and
// fallbacks, run on real language files through the INI stand-in.
#include "lang/translate.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "fakes/ini_profile_reader.h"
#include <gtest/gtest.h>

namespace {

// An installation folder under /tmp with whatever files a case puts in it; everything it made
// is removed when it goes.
class TempInstall {
 public:
  explicit TempInstall(const std::string& name)
      : root_("/tmp/quarnel-translate-" + std::to_string(getpid()) + "-" + name) {
    ok_ = mkdir(root_.c_str(), 0700) == 0;
    if (ok_) made_.push_back(root_);
  }
  ~TempInstall() {
    for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
      if (std::remove(it->c_str()) != 0) rmdir(it->c_str());
    }
  }
  TempInstall(const TempInstall&) = delete;
  TempInstall& operator=(const TempInstall&) = delete;

  bool ok() const { return ok_; }
  const std::string& root() const { return root_; }

  bool Folder(const std::string& relative) {
    std::string path = root_ + "/" + relative;
    if (mkdir(path.c_str(), 0700) != 0) return false;
    made_.push_back(path);
    return true;
  }
  bool File(const std::string& relative, const std::string& bytes) {
    std::string path = root_ + "/" + relative;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    made_.push_back(path);
    return ok;
  }

 private:
  std::string root_;
  bool ok_ = false;
  std::vector<std::string> made_;
};

IniProfileReader g_reader;

std::string Lookup(const std::string& appPath, const char* language, const char* key,
                   const char* def) {
  return TranslateText(g_reader, appPath.c_str(), language, key, def);
}

TEST(translate, language_file_path) {
  struct Row {
    const char* appPath;
    const char* language;
    const char* expected;
  };
  const Row rows[] = {
      {"C:\\Program Files\\Ovik Quarnel", "English",
       "C:\\Program Files\\Ovik Quarnel\\Lang\\English.ini"},
      {"", "", "\\Lang\\.ini"},
      {nullptr, nullptr, "\\Lang\\.ini"},
      {"C:\\%s%n%x", "%s%n", "C:\\%s%n%x\\Lang\\%s%n.ini"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(LanguageFilePath(row.appPath, row.language), std::string(row.expected));
  }
  // 259 characters is the longest path Windows opens; one more gives no path at all.
  const std::string fits(259 - std::strlen("\\Lang\\x.ini"), 'p');
  EXPECT_EQ(LanguageFilePath(fits.c_str(), "x").size(), 259u);
  EXPECT_EQ(LanguageFilePath((fits + "p").c_str(), "x"), std::string());
  const std::string full(259, 'p');
  EXPECT_EQ(LanguageFilePath(full.c_str(), full.c_str()), std::string());
}

// Records what the lookup asks of the reader and answers with a chosen text and length.
class ScriptedReader : public ProfileReader {
 public:
  struct Call {
    std::string section, key, def, path;
    std::uint32_t size;
  };
  std::uint32_t ReadString(const char* section, const char* key, const char* defaultText,
                           char* buffer, std::uint32_t size, const char* path) override {
    calls.push_back(Call{section, key, defaultText, path, size});
    std::size_t n = answer.size() < size - 1 ? answer.size() : size - 1;
    std::memcpy(buffer, answer.data(), n);
    buffer[n] = '\0';
    return claimed != 0 ? claimed : static_cast<std::uint32_t>(n);
  }
  std::vector<Call> calls;
  std::string answer;
  std::uint32_t claimed = 0;  // a length to report instead of the true one
};

TEST(translate, reader_arguments_and_no_cache) {
  ScriptedReader reader;
  reader.answer = "x";
  for (int i = 0; i < 3; ++i) TranslateText(reader, "C:\\Q", "Deutsch", "IDC_Next", "&Proceed ");
  ASSERT_EQ(reader.calls.size(), std::size_t{3});
  for (const auto& call : reader.calls) {
    EXPECT_EQ(call.section, std::string("Quarnel"));
    EXPECT_EQ(call.key, std::string("IDC_Next"));
    EXPECT_EQ(call.def, std::string("&Proceed "));
    EXPECT_EQ(call.path, std::string("C:\\Q\\Lang\\Deutsch.ini"));
    EXPECT_EQ(call.size, 2000u);
  }
}

TEST(translate, reader_claiming_too_much_is_bounded) {
  ScriptedReader reader;
  reader.answer = "short";
  reader.claimed = 5000;
  EXPECT_EQ(TranslateText(reader, "C:\\Q", "x", "1", "d"), std::string("short"));
}

TEST(translate, overlong_path_gives_the_default_without_reading) {
  ScriptedReader reader;
  const std::string full(259, 'p');
  EXPECT_EQ(TranslateText(reader, full.c_str(), "x", "79", "Failed*to detect  "),
            std::string("Failed\nto detect"));
  EXPECT_EQ(TranslateText(reader, full.c_str(), "x", "1", std::string(2500, 'd').c_str()),
            std::string(1999, 'd'));
  // Nor is there a file to read before a language is chosen.
  EXPECT_EQ(TranslateText(reader, "C:\\Q", "", "IDC_Next", "&Proceed "), std::string("&Proceed"));
  EXPECT_EQ(TranslateText(reader, "C:\\Q", nullptr, "IDC_Next", "&Proceed"),
            std::string("&Proceed"));
  EXPECT_TRUE(reader.calls.empty());
}

TEST(translate, no_language_folder_gives_defaults) {
  TempInstall install("nolang");
  ASSERT_TRUE(install.ok());
  struct Row {
    const char* key;
    const char* def;
    const char* expected;
  };
  const Row rows[] = {
      {"20", "&Next >", "&Next >"},
      {"43", "Now, your old*Do you want to proceed?", "Now, your old\nDo you want to proceed?"},
      {"41", "Congratulation.\nPlease, restart", "Congratulation.\nPlease, restart"},
      {"IDC_HINT", "a**b", "a\n\nb"},
      {"1", "", ""},
      {"2", "trailing   ", "trailing"},
  };
  const char* languages[] = {"English", ""};
  for (const char* language : languages) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(row.key) + " in '" + language + "'");
      EXPECT_EQ(Lookup(install.root(), language, row.key, row.def), std::string(row.expected));
    }
  }
  EXPECT_EQ(Lookup("", "", "18", "Ovik Quarnel"), std::string("Ovik Quarnel"));
}

TEST(translate, language_file_entries) {
  TempInstall install("entries");
  ASSERT_TRUE(install.ok());
  ASSERT_TRUE(install.Folder("Lang"));
  ASSERT_TRUE(install.File("Lang/Deutsch.ini",
                           "[Other]\r\n"
                           "10=Wrong section\r\n"
                           "[Quarnel]\r\n"
                           "20=&Weiter >\r\n"
                           "idc_next=&Fortfahren\r\n"
                           "3=ist*nicht**gesetzt\r\n"
                           "4=\r\n"
                           "5=  \" quoted \"  \r\n"
                           "6=%s %n %x\r\n"
                           "big=" +
                               std::string(2500, 'z') + "\r\n"));
  struct Row {
    const char* key;
    const char* def;
    const char* expected;
  };
  const Row rows[] = {
      {"20", "&Next >", "&Weiter >"},
      {"10", "Finish", "Finish"},
      {"IDC_Next", "&Proceed", "&Fortfahren"},
      {"3", "isn't set.", "ist\nnicht\n\ngesetzt"},
      {"4", "bytes", ""},
      {"5", "x", " quoted "},
      {"6", "x", "%s %n %x"},
      {"79", "Failed*to detect", "Failed\nto detect"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    EXPECT_EQ(Lookup(install.root(), "Deutsch", row.key, row.def), std::string(row.expected));
  }
  EXPECT_EQ(Lookup(install.root(), "Deutsch", "big", "x"), std::string(1999, 'z'));
}

// Windows file names ignore case, and so must the stand-in when it plays Windows.
TEST(translate, file_and_folder_names_without_case) {
  TempInstall install("case");
  ASSERT_TRUE(install.ok());
  ASSERT_TRUE(install.Folder("lang"));
  ASSERT_TRUE(install.File("lang/Francais.ini", "[QUARNEL]\r\n20=&Suivant >\r\n"));
  EXPECT_EQ(Lookup(install.root(), "FRANCAIS", "20", "&Next >"), std::string("&Suivant >"));
  EXPECT_EQ(Lookup(install.root(), "francais", "20", "&Next >"), std::string("&Suivant >"));
  EXPECT_EQ(Lookup(install.root(), "Espanol", "20", "&Next >"), std::string("&Next >"));
}

// Paths as Windows writes them, with a drive and backslashes, reach the same files natively
// (Wine's Z: drive is the Unix root).
TEST(translate, windows_style_installation_path) {
  TempInstall install("drive");
  ASSERT_TRUE(install.ok());
  ASSERT_TRUE(install.Folder("Lang"));
  ASSERT_TRUE(install.File("Lang/English.ini", "[Quarnel]\r\n20=drive\r\n"));
  std::string windowsPath = "Z:" + install.root();
  for (char& c : windowsPath) {
    if (c == '/') c = '\\';
  }
  EXPECT_EQ(Lookup(windowsPath, "English", "20", "&Next >"), std::string("drive"));
  EXPECT_EQ(Lookup(windowsPath + "\\", "English", "20", "&Next >"), std::string("drive"));
}

TEST(translate, a_changed_language_applies_at_the_next_call) {
  TempInstall install("switch");
  ASSERT_TRUE(install.ok());
  ASSERT_TRUE(install.Folder("Lang"));
  ASSERT_TRUE(install.File("Lang/One.ini", "[Quarnel]\r\n18=First\r\n"));
  ASSERT_TRUE(install.File("Lang/Two.ini", "[Quarnel]\r\n18=Second\r\n"));
  char language[260] = "One";
  EXPECT_EQ(Lookup(install.root(), language, "18", "Ovik Quarnel"), std::string("First"));
  std::strcpy(language, "Two");
  EXPECT_EQ(Lookup(install.root(), language, "18", "Ovik Quarnel"), std::string("Second"));
  std::strcpy(language, "Gone");
  EXPECT_EQ(Lookup(install.root(), language, "18", "Ovik Quarnel"), std::string("Ovik Quarnel"));
}

// The installation folder's name may hold anything a folder name can, '%' included.
TEST(translate, percent_signs_in_the_installation_folder) {
  TempInstall install("pct%s%n");
  ASSERT_TRUE(install.ok());
  ASSERT_TRUE(install.Folder("Lang"));
  ASSERT_TRUE(install.File("Lang/%d.ini", "[Quarnel]\r\n20=percent\r\n"));
  EXPECT_EQ(Lookup(install.root(), "%d", "20", "&Next >"), std::string("percent"));
}

}  // namespace
