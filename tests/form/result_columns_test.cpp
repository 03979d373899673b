// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/result_columns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mandati {
namespace {

// Two parties after a calculation that left the result columns unselected, party 2 chosen.
PartyTable Calculated() {
  PartyTable table;
  const std::vector<std::vector<std::string>> columns = {
      {"1", "2"}, {"1", "0"}, {"2", "1"}, {"1.500", "0.900"}, {"62.50", "37.50"}, {"5", "3"}};
  for (int column = 0; column < static_cast<int>(columns.size()); ++column) {
    for (const std::string& row : columns[static_cast<std::size_t>(column)]) {
      table.At(column).Append(row);
    }
  }
  table.PartyNumberColumn().SetSelectedRow(1);
  table.VotesColumn().SetSelectedRow(0);
  return table;
}

TEST(ResultColumnsTest, ResultRowsAreNamedWithTheirPartyAndOtherRowsAreNot) {
  const PartyTable table = Calculated();
  EXPECT_EQ(ResultRowNames(table, 2), (std::vector<std::string>{"Партия 1: 2", "Партия 2: 1"}));
  EXPECT_EQ(ResultRowNames(table, 4),
            (std::vector<std::string>{"Партия 1: 62.50", "Партия 2: 37.50"}));
  EXPECT_TRUE(ResultRowNames(table, 0).empty());
  EXPECT_TRUE(ResultRowNames(table, 5).empty());
  EXPECT_EQ(ResultColumnDescription(ResultRowNames(table, 1)), "Партия 1: 1; Партия 2: 0");
}

TEST(ResultColumnsTest, ResultColumnsMarkTheChosenPartyAndOthersTheirOwnRow) {
  const PartyTable table = Calculated();
  for (int column = 1; column <= 4; ++column) EXPECT_EQ(MarkedRow(table, column), 1) << column;
  EXPECT_EQ(MarkedRow(table, 0), 1);
  EXPECT_EQ(MarkedRow(table, 5), 0);
  EXPECT_EQ(MarkedRow(table, 6), -1);
}

TEST(ResultColumnsTest, TheAnnouncementTellsTheTotalAndEveryResultColumn) {
  PartyTable table = Calculated();
  EXPECT_EQ(ResultsAnnouncement(table, "8"),
            "Общо гл.: 8. манд. предв.: Партия 1: 1; Партия 2: 0. "
            "манд. оконч.: Партия 1: 2; Партия 2: 1. "
            "манд/квота: Партия 1: 1.500; Партия 2: 0.900. "
            "глас. %: Партия 1: 62.50; Партия 2: 37.50.");
  table.FinalSeatsColumn().Clear();
  EXPECT_EQ(ResultsAnnouncement(table, "8"), "");
}

}  // namespace
}  // namespace mandati
