// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/messages.h"

#include <gtest/gtest.h>

namespace mandati::format {
namespace {

TEST(FilledTest, PlaceholdersTakeTheArgumentsOfTheirNumber) {
  const struct {
    const char* text;
    const char* filled;
  } cases[] = {
      {"{2} before {1}", "b before a"},
      {"{3} and {0} and {x} stay", "{3} and {0} and {x} stay"},
      {"{01} is 1", "a is 1"},
      {"open { brace", "open { brace"},
      {"{1} {", "a {"},
  };
  for (const auto& c : cases) EXPECT_EQ(Filled(c.text, {"a", "b"}), c.filled) << c.text;
}

// Knows two Bulgarian texts, and a header under the empty key as a compiled catalogue does.
class BulgarianCatalogue : public Catalogue {
 public:
  std::optional<std::string_view> Text(Language language, std::string_view english) override {
    if (language != Language::kBulgarian) return std::nullopt;
    if (english.empty()) return "Language: bg";
    if (english == "Party {1}") return "Партия {1}";
    return std::nullopt;
  }
  std::optional<std::string_view> Plural(Language language, std::string_view singular,
                                         std::string_view /*plural*/, std::int64_t n) override {
    if (language != Language::kBulgarian || singular != "{1} vote") return Text(language, singular);
    return n == 1 ? "{1} глас" : "{1} гласа";
  }
};

TEST(TrTest, TranslatedInTheChosenLanguageElseTheEnglishKey) {
  BulgarianCatalogue catalogue;
  SetCatalogue(&catalogue);
  SetLanguage(Language::kBulgarian);
  EXPECT_EQ(Tr("Party {1}", "3"), "Партия 3");
  EXPECT_EQ(TrN("{1} vote", "{1} votes", 1, "1"), "1 глас");
  EXPECT_EQ(TrN("{1} vote", "{1} votes", 21, "21"), "21 гласа");
  EXPECT_EQ(Tr("Total {1}", "7"), "Total 7");
  EXPECT_EQ(TrN("{1} seat", "{1} seats", 1, "1"), "1 seat");
  EXPECT_EQ(Tr(""), "");  // the header is no translation of anything
  EXPECT_EQ(TrN("", "", 2), "");
  SetLanguage(Language::kEnglish);
  EXPECT_EQ(Tr("Party {1}", "3"), "Party 3");
  SetCatalogue(nullptr);
}

}  // namespace
}  // namespace mandati::format
