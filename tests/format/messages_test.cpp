// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/messages.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace mandati::format {
namespace {

TEST(FilledTest, PlaceholdersTakeTheArgumentsOfTheirNumber) {
  const struct {
    const char* text;
    const char* filled;
  } cases[] = {
      {"{2} before {1}", "b before a"},
      {"{1}{1}", "aa"},
      {"{3} and {0} and {x} stay", "{3} and {0} and {x} stay"},
      {"{01} is 1", "a is 1"},
      {"open { brace", "open { brace"},
      {"{1} {", "a {"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Filled(c.text, {"a", "b"}), c.filled) << c.text;
}

// A catalogue that knows one text and one plural, in Bulgarian only.
class OneEntryCatalogue : public Catalogue {
 public:
  std::optional<std::string_view> Text(Language language, std::string_view english) override {
    asked_.emplace(english, language);
    if (language != Language::kBulgarian || english != "Party {1}") return std::nullopt;
    return "Партия {1}";
  }
  std::optional<std::string_view> Plural(Language language, std::string_view singular,
                                         std::string_view /*plural*/, std::int64_t n) override {
    asked_.emplace(singular, language);
    if (language != Language::kBulgarian || singular != "{1} vote") return std::nullopt;
    return n == 1 ? "{1} глас" : "{1} гласа";
  }
  std::multimap<std::string, Language> asked_;
};

class TrTest : public ::testing::Test {
 protected:
  void SetUp() override { SetCatalogue(&catalogue_); }
  void TearDown() override {
    SetCatalogue(nullptr);
    SetLanguage(Language::kEnglish);
  }
  OneEntryCatalogue catalogue_;
};

TEST_F(TrTest, TranslatedInTheChosenLanguageElseTheEnglishKey) {
  SetLanguage(Language::kBulgarian);
  EXPECT_EQ(Tr("Party {1}", "3"), "Партия 3");
  EXPECT_EQ(TrN("{1} vote", "{1} votes", 1, "1"), "1 глас");
  EXPECT_EQ(TrN("{1} vote", "{1} votes", 21, "21"), "21 гласа");
  EXPECT_EQ(Tr("Total {1}", "7"), "Total 7");
  EXPECT_EQ(TrN("{1} seat", "{1} seats", 1, "1"), "1 seat");
  EXPECT_EQ(TrN("{1} seat", "{1} seats", 0, "0"), "0 seats");
  SetLanguage(Language::kEnglish);
  EXPECT_EQ(Tr("Party {1}", "3"), "Party 3");
  EXPECT_EQ(TrN("{1} vote", "{1} votes", 2, "2"), "2 votes");
}

// In a catalogue the empty key names its header, which is no translation of anything.
TEST_F(TrTest, TheEmptyTextIsNotLookedUp) {
  SetLanguage(Language::kBulgarian);
  EXPECT_EQ(Tr(""), "");
  EXPECT_EQ(TrN("", "", 2), "");
  EXPECT_TRUE(catalogue_.asked_.empty());
}

TEST(LanguageCodeTest, EachLanguageHasOneCode) {
  for (const LanguageCode& entry : kLanguageCodes) {
    EXPECT_EQ(LanguageOfCode(entry.code), entry.language);
    EXPECT_EQ(CodeOf(entry.language), entry.code);
  }
  EXPECT_EQ(LanguageOfCode("bg"), Language::kBulgarian);
  EXPECT_EQ(LanguageOfCode("BG"), std::nullopt);
  EXPECT_EQ(LanguageOfCode(""), std::nullopt);
}

}  // namespace
}  // namespace mandati::format
