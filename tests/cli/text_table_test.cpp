// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/text_table.h"

#include <gtest/gtest.h>

namespace mandati::cli {
namespace {

TEST(DisplayWidthTest, CountsCharactersNotBytes) {
  EXPECT_EQ(DisplayWidth(""), 0u);
  EXPECT_EQ(DisplayWidth("манд. оконч."), 12u);
  EXPECT_EQ(DisplayWidth("глас. %"), 7u);
  EXPECT_EQ(PadLeft("ДПС", 5), "  ДПС");
  EXPECT_EQ(PadRight("ДПС", 5), "ДПС  ");
  EXPECT_EQ(PadRight("Възраждане", 3), "Възраждане");
}

TEST(DisplayWidthTest, WideAndCombiningCharacters) {
  const struct {
    const char* text;
    std::size_t width;
  } cases[] = {
      {"\u4E2D\u6587", 4},        // CJK ideographs take two places each
      {"\uFF21", 2},              // a fullwidth Latin letter
      {"\U0001F5F3", 2},          // an emoji
      {"\u0438\u0306", 1},        // и with a combining breve: й written in two characters
      {"e\u0301te\u0301", 3},     // combining acute accents
      {"\u0410\u200B\u0411", 2},  // a zero-width space
      {"\u0412\u044A\u0437", 3},  // Cyrillic letters, one place each
  };
  for (const auto& c : cases) EXPECT_EQ(DisplayWidth(c.text), c.width) << c.text;
  EXPECT_EQ(PadRight("\u4E2D", 4), "\u4E2D  ");
}

TEST(TextTableTest, AlignsColumnsAndTrimsLineEnds) {
  TextTable table({Align::kRight, Align::kLeft, Align::kRight});
  table.AddRow({"Партия", "Име", "глас. %"});
  table.AddRow({"1", "ГЕРБ", "36.48"});
  table.AddRow({"10", ""});
  EXPECT_EQ(table.Render(),
            "Партия  Име   глас. %\n"
            "     1  ГЕРБ    36.48\n"
            "    10\n");
}

TEST(TextTableTest, WidenAndGap) {
  TextTable table({Align::kLeft, Align::kRight}, " ");
  table.AddRow({"a", "1"});
  table.Widen(1, 4);
  EXPECT_EQ(table.Widths(), (std::vector<std::size_t>{1, 4}));
  EXPECT_EQ(table.Render(), "a    1\n");
}

}  // namespace
}  // namespace mandati::cli
