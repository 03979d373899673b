// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/result_columns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mandati {
namespace {

using Names = std::vector<std::string>;

// Two parties after a calculation, which left the result columns unselected; party 2 chosen.
PartyTable Calculated() {
  PartyTable table;
  const std::vector<Names> columns = {{"1", "2"},         {"1", "0"},         {"2", "1"},
                                      {"1.500", "0.900"}, {"62.50", "37.50"}, {"5", "3"}};
  for (int column = 0; column < 6; ++column) {
    for (const std::string& row : columns[static_cast<std::size_t>(column)]) {
      table.At(column).Append(row);
    }
  }
  table.PartyNumberColumn().SetSelectedRow(1);
  table.VotesColumn().SetSelectedRow(0);
  return table;
}

TEST(ResultColumnsTest, ResultRowsAreNamedWithTheirPartyAndMarkTheChosenParty) {
  const PartyTable table = Calculated();
  EXPECT_EQ(ResultRowNames(table, 2), (Names{"Партия 1: 2", "Партия 2: 1"}));
  EXPECT_EQ(ResultColumnDescription(ResultRowNames(table, 4)), "Партия 1: 62.50; Партия 2: 37.50");
  EXPECT_TRUE(ResultRowNames(table, 0).empty());
  EXPECT_TRUE(ResultRowNames(table, 5).empty());
  // (column, marked row): the result columns mark the party, the others their own row.
  for (const auto& [column, row] : {std::pair{0, 1}, {1, 1}, {4, 1}, {5, 0}, {6, -1}}) {
    EXPECT_EQ(MarkedRow(table, column), row) << column;
  }
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
