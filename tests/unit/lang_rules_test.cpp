// The translators' checker without drawing: every text has a place, the English file keeps every
// rule, and each fixture under tests/fixtures/lang breaks exactly the rules its "; expect:" line
// names (the fit is judged under Wine; here such a fixture must break nothing else).
#include "tools/lang_rules.h"

#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fixtures.h"
#include "wizard/texts.h"

namespace {

std::vector<std::string> Fixtures() {
  std::vector<std::string> names;
  const std::string dir = FixturePath("lang");
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ini") == 0) names.push_back(name);
    }
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(lang_rules, every_text_is_placed_or_a_message_or_a_word) {
  for (const text::TextGroup& group : text::kCatalogue) {
    for (std::size_t i = 0; i < group.count; ++i) {
      const TextId& id = *group.texts[i];
      SCOPED_TRACE(id.key);
      int places = 0;
      for (const langcheck::Placement& p : langcheck::Placements()) places += p.text == &id;
      const int kinds = (places > 0) + langcheck::IsMessage(id) + langcheck::IsSentenceWord(id);
      EXPECT_TRUE(kinds == 1);
    }
  }
}

TEST(lang_rules, english_file_keeps_every_rule) {
  langcheck::LanguageFile file;
  ASSERT_TRUE(file.Load(QUARNEL_SOURCE_DIR "/resources/lang/English.ini"));
  for (const langcheck::Finding& f : langcheck::CheckFile(file)) {
    ADD_FAILURE() << std::to_string(f.line) + ": " + f.message;
  }
  EXPECT_TRUE(langcheck::MissingKeys(file).empty());
}

TEST(lang_rules, each_fixture_breaks_the_rules_it_names) {
  const std::vector<std::string> names = Fixtures();
  EXPECT_TRUE(names.size() >= 10);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    langcheck::LanguageFile file;
    ASSERT_TRUE(file.Load(FixturePath("lang/" + name)));
    std::set<std::string> expected;
    for (const std::string& rule : file.expected()) {
      langcheck::Rule known;
      EXPECT_TRUE(langcheck::RuleFromName(rule, &known));
      if (rule != "fit") expected.insert(rule);
    }
    std::set<std::string> found;
    for (const langcheck::Finding& f : langcheck::CheckFile(file)) {
      found.insert(langcheck::RuleName(f.rule));
      if (expected.count(langcheck::RuleName(f.rule)) == 0) {
        ADD_FAILURE() << "unexpected: " + f.message;
      }
    }
    EXPECT_TRUE(found == expected);
  }
}

TEST(lang_rules, renderings_put_in_numbers_and_every_sentence) {
  langcheck::LanguageFile file;
  ASSERT_TRUE(file.Load(FixturePath("lang/good.ini")));
  for (const langcheck::Placement& p : langcheck::Placements()) {
    const std::vector<std::string> shown = langcheck::Renderings(file, p);
    if (p.text == &text::kRecommendedMtu) {
      EXPECT_TRUE(shown == std::vector<std::string>{"Empfohlene MTU:  1500 Bytes"});
    } else if (p.text == &text::kMtuExplain) {
      const std::string base = file.Text(text::kMtuExplain);
      EXPECT_TRUE(shown == (std::vector<std::string>{base + " was set to 4294967295 bytes.",
                                                     base + " isn't set."}));
    } else if (p.text == &text::kIcmpExplain4) {
      EXPECT_TRUE(shown.size() == 3u);
    } else if (p.text == &text::kIntroduction) {
      EXPECT_TRUE(shown == std::vector<std::string>{
                               "  Ein Text in Anf\xFChrungszeichen, mit R&&D und 100 Prozent.  "});
    }
  }
}

TEST(lang_rules, every_shipped_language_has_a_16_by_16_flag) {
  const std::string dir = QUARNEL_SOURCE_DIR "/resources/lang/";
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".ini") == 0) names.push_back(name);
    }
    closedir(d);
  }
  EXPECT_TRUE(names.size() >= 7u);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    std::FILE* file = std::fopen((dir + name.substr(0, name.size() - 4) + ".bmp").c_str(), "rb");
    ASSERT_TRUE(file != nullptr);
    unsigned char header[30] = {};
    const std::size_t got = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    ASSERT_TRUE(got == sizeof header);
    auto number = [&header](int at, int bytes) {
      long value = 0;
      for (int i = bytes - 1; i >= 0; --i) value = value * 256 + header[at + i];
      return value;
    };
    EXPECT_TRUE(header[0] == 'B' && header[1] == 'M');
    EXPECT_TRUE(number(18, 4) == 16);                         // width
    EXPECT_TRUE(number(22, 4) == 16);                         // height, bottom-up
    EXPECT_TRUE(number(28, 2) == 16 || number(28, 2) == 24);  // bits per pixel
  }
}
