// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/party_table.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/errors.h"

namespace mandati {
namespace {

using Rows = std::vector<std::string>;

TEST(TextColumnTest, SetRowAppendsAtTheEndAndReplacesInside) {
  TextColumn column;
  column.SetRow(0, "a");
  EXPECT_EQ(column.Rows(), Rows{"a"});
  for (const char* text : {"b", "c", "d", "e"}) column.Append(text);
  column.SetRow(2, "x");
  EXPECT_EQ(column.Rows(), (Rows{"a", "b", "x", "d", "e"}));
  column.SetRow(5, "f");
  EXPECT_EQ(column.RowCount(), 6);
}

TEST(TextColumnTest, RowsOutsideTheColumnRaise) {
  TextColumn column;
  EXPECT_THROW(column.Row(0), MissingRowError);
  EXPECT_THROW(column.SetRow(1, "x"), MissingRowError);
  column.Append("a");
  EXPECT_THROW(column.Row(-1), MissingRowError);
  EXPECT_THROW(column.Row(1), MissingRowError);
  EXPECT_THROW(column.SetRow(-1, "x"), MissingRowError);
  EXPECT_THROW(column.SetSelectedRow(1), MissingRowError);
  EXPECT_THROW(column.SetSelectedRow(-2), MissingRowError);
  EXPECT_EQ(column.Rows(), Rows{"a"});
}

TEST(TextColumnTest, ClearRemovesRowsAndSelection) {
  TextColumn column;
  column.Append("1");
  column.Append("2");
  column.SetSelectedRow(1);
  EXPECT_EQ(column.SelectedRow(), 1);
  column.Clear();
  EXPECT_EQ(column.RowCount(), 0);
  EXPECT_EQ(column.SelectedRow(), -1);
}

TEST(TextColumnTest, UnsortedColumnKeepsTheOrderOfAdding) {
  TextColumn column;
  for (int i = 1; i <= 12; ++i) column.Append(std::to_string(i));
  EXPECT_EQ(column.Row(8), "9");
  EXPECT_EQ(column.Row(9), "10");
}

TEST(RemainderQueueOrderTest, InsertsEachKeyAtItsPlace) {
  TextColumn queue(/*sorted=*/true);
  for (const char* key : {"0.5    1", "0    3", "0.5    2"}) queue.Append(key);
  EXPECT_EQ(queue.Rows(), (Rows{"0    3", "0.5    1", "0.5    2"}));
}

TEST(RemainderQueueOrderTest, BlankBeforeSeparatorBeforeDigits) {
  // One- and two-digit party numbers with equal remainders stand in party order.
  TextColumn queue(/*sorted=*/true);
  for (const char* key :
       {"0.3003003   10", "0.3003003    9", "0.30030031    1", "1    4", "0,5    7", "0    100"}) {
    queue.Append(key);
  }
  EXPECT_EQ(queue.Rows(), (Rows{"0    100", "0,5    7", "0.3003003    9", "0.3003003   10",
                                "0.30030031    1", "1    4"}));
}

TEST(RemainderQueueOrderTest, OrderHoldsAcrossReadsAppendsAndSelection) {
  TextColumn queue(/*sorted=*/true);
  queue.Append("0.7    2");
  queue.Append("0.2    1");
  EXPECT_EQ(queue.Row(1), "0.7    2");
  queue.Append("0.5    3");
  queue.SetSelectedRow(2);  // "0.7    2"
  queue.Append("0.1    4");
  EXPECT_EQ(queue.Rows(), (Rows{"0.1    4", "0.2    1", "0.5    3", "0.7    2"}));
  EXPECT_EQ(queue.Row(queue.SelectedRow()), "0.7    2");
  TextColumn same(/*sorted=*/true);
  for (const char* key : {"0.5    3", "0.1    4", "0.7    2", "0.2    1"}) same.Append(key);
  same.SetSelectedRow(3);
  EXPECT_EQ(queue, same);
}

TEST(RemainderQueueOrderTest, IgnoresLetterCase) {
  EXPECT_FALSE(TextLess("ABC", "abc"));
  EXPECT_FALSE(TextLess("abc", "ABC"));
  EXPECT_TRUE(TextLess("abc", "ABD"));
  EXPECT_TRUE(TextLess("ab", "abc"));
}

TEST(PartyTableTest, ColumnsByIndexAndByName) {
  PartyTable table;
  EXPECT_EQ(&table.At(PartyTable::kVotes), &table.VotesColumn());
  EXPECT_EQ(&table.At(0), &table.PartyNumberColumn());
  EXPECT_TRUE(table.RemainderQueue().Sorted());
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(table.At(i).Sorted()) << i;
  EXPECT_THROW(table.At(7), MissingRowError);
  EXPECT_THROW(table.At(-1), MissingRowError);
}

TEST(PartyLoopTest, VisitsWholePartiesUpToTheBound) {
  const struct {
    std::optional<double> party_count;
    std::vector<int> rows;
  } cases[] = {
      {std::nullopt, {}},     {0.0, {}}, {0.6, {}}, {-3.0, {}}, {1.0, {0}}, {2.6, {0, 1}},
      {5.0, {0, 1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    FormValues values;
    values.party_count = c.party_count;
    std::vector<int> rows;
    ForEachParty(values, [&](int row) { rows.push_back(row); });
    EXPECT_EQ(rows, c.rows) << c.party_count.value_or(-99);
  }
}

TEST(PartyLoopTest, RowsBeyondSixteenBitsRaise) {
  for (const double count : {40000.0, 1e300, std::numeric_limits<double>::infinity()}) {
    FormValues values;
    values.party_count = count;
    int visited = 0;
    EXPECT_THROW(ForEachParty(values, [&](int) { ++visited; }), OverflowError) << count;
    EXPECT_EQ(visited, 32768) << count;
  }
  FormValues nan_count;
  nan_count.party_count = std::numeric_limits<double>::quiet_NaN();
  int visited = 0;
  ForEachParty(nan_count, [&](int) { ++visited; });
  EXPECT_EQ(visited, 0);
}

}  // namespace
}  // namespace mandati
