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
