// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/gettext_catalogue.h"

#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "format/mo_catalogue.h"

namespace mandati::cli {
namespace {

using format::Language;

// tests/format/data/bg.po, compiled by msgfmt at build time.
constexpr char kTestDomain[] = "mandati-test";

std::vector<unsigned char> TestCatalogueBytes() {
  std::ifstream file(MANDATI_TEST_LOCALEDIR "/bg/LC_MESSAGES/mandati-test.mo", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// One lookup rule: gettext over the compiled catalogue and the page's own reader of the same
// file agree on every text and plural form, in whichever order the languages are asked for.
// It starts from the "C" locale, under which gettext alone would not read LANGUAGE, and ends in
// English, so that the programs that later tests of this process start write English.
TEST(GettextCatalogueTest, AgreesWithThePagesReaderFromTheLocaleC) {
  std::setlocale(LC_MESSAGES, "C");
  GettextCatalogue gettext(kTestDomain, MANDATI_TEST_LOCALEDIR);
  const std::vector<unsigned char> bytes = TestCatalogueBytes();
  format::MoCatalogue page;
  ASSERT_TRUE(page.Add(Language::kBulgarian, bytes));
  const struct {
    Language language;
    const char* text;
    std::int64_t n;  // -1: not a plural
    std::optional<std::string_view> translation;
  } cases[] = {
      {Language::kBulgarian, "Party {1}", -1, "Партия {1}"},
      {Language::kBulgarian, "not translated", -1, std::nullopt},
      {Language::kEnglish, "Party {1}", -1, std::nullopt},
      {Language::kBulgarian, "{1} vote", 1, "{1} глас"},
      {Language::kBulgarian, "{1} vote", 2, "{1} гласа"},
      {Language::kBulgarian, "{1} vote", 21, "{1} гласа"},
      {Language::kEnglish, "{1} vote", 1, std::nullopt},
      {Language::kBulgarian, "{1} seat", 1, std::nullopt},
      {Language::kEnglish, "Total votes", -1, std::nullopt},
  };
  for (format::Catalogue* catalogue :
       {static_cast<format::Catalogue*>(&gettext), static_cast<format::Catalogue*>(&page)}) {
    for (const auto& c : cases) {
      const auto translation = c.n < 0 ? catalogue->Text(c.language, c.text)
                                       : catalogue->Plural(c.language, c.text, "-", c.n);
      EXPECT_EQ(translation, c.translation) << c.text << " " << c.n;
    }
  }
}

TEST(CatalogueDirectoryTest, TheBuildTreesCataloguesBesideTheProgram) {
  const std::filesystem::path folder = CatalogueDirectory("mandati");
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "bg/LC_MESSAGES/mandati.mo")) << folder;
  EXPECT_EQ(CatalogueDirectory("not-mandati"), MANDATI_LOCALEDIR);
}

}  // namespace
}  // namespace mandati::cli
