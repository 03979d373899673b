// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/text_table.h"

#include <gtest/gtest.h>

namespace mandati::format {
namespace {

TEST(CharacterCountTest, CountsCharactersNotBytes) {
  EXPECT_EQ(CharacterCount(""), 0u);
  EXPECT_EQ(CharacterCount("манд. оконч."), 12u);
  EXPECT_EQ(CharacterCount("a\xFF" "b"), 3u);
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

// The table lays out by the width rule it is given, not by bytes or characters.
TEST(TextTableTest, WidenGapAndWidthRule) {
  TextTable table({Align::kLeft, Align::kRight}, CharacterCount, " ");
  table.AddRow({"a", "1"});
  table.Widen(1, 4);
  EXPECT_EQ(table.Widths(), (std::vector<std::size_t>{1, 4}));
  EXPECT_EQ(table.Render(), "a    1\n");
  TextTable doubled({Align::kLeft, Align::kRight},
                    [](std::string_view text) { return 2 * CharacterCount(text); });
  doubled.AddRow({"ab", "1"});
  doubled.AddRow({"c", "22"});
  EXPECT_EQ(doubled.Render(), "ab    1\nc    22\n");
}

}  // namespace
}  // namespace mandati::format
