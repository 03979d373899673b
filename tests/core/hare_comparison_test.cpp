// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/hare_comparison.h"

#include <gtest/gtest.h>

#include <vector>

namespace mandati {

// 6 and 5 votes for 4 seats: the floored quota floor(11 / 4) = 2 gives party 1 three full
// quotas and party 2 two, 5 seats kept for 4; the exact 11 / 4 = 2.75 gives 24 / 11 and
// 20 / 11, so 2 and 1 seats, and the one left goes to party 2's remainder 9 / 11.
TEST(CompareHareQuotientsTest, NamesThePartiesTheQuotientsSeatDifferently) {
  const HareComparison apart = CompareHareQuotients(std::vector<std::int32_t>{6, 5}, 4, {});
  EXPECT_EQ(apart.floored.final_seats, (std::vector<std::int32_t>{3, 2}));
  EXPECT_EQ(apart.exact.final_seats, (std::vector<std::int32_t>{2, 2}));
  EXPECT_EQ(apart.differences, (std::vector<QuotientDifference>{{1, 3, 3, 2, 2}}));
}

}  // namespace mandati
