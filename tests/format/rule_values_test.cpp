// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/rule_values.h"

#include <gtest/gtest.h>

#include "format/errors.h"

namespace mandati::format {
namespace {

TEST(ThresholdNamedTest, ASharePerCentVotesOrTheQuota) {
  const Threshold share = ThresholdNamed("3.5%");
  EXPECT_EQ(share.kind, ThresholdKind::kShare);
  EXPECT_EQ(share.share, (Decimal{35, 1}));
  EXPECT_EQ(ThresholdNamed("100%").share, (Decimal{100, 0}));
  EXPECT_EQ(ThresholdNamed("0.125%").share, (Decimal{125, 3}));
  EXPECT_EQ(ThresholdNamed("100211").votes, 100211);
  EXPECT_EQ(ThresholdNamed("quota").kind, ThresholdKind::kQuota);
  for (const char* bad :
       {"100.001%", "4.1234%", "4 %", "%", "-1", "4.%", "1e3", "10000000000001", "Quota", ""}) {
    EXPECT_THROW(ThresholdNamed(bad), InputError) << bad;
  }
}

TEST(RuleValuesTest, FirstDivisorTotalAndTies) {
  EXPECT_EQ(FirstDivisorNamed("1.4"), (Decimal{14, 1}));
  EXPECT_EQ(FirstDivisorNamed("3"), (Decimal{3, 0}));
  for (const char* bad : {"0.999", "3.001", "1.4142", "1,4"}) {
    EXPECT_THROW(FirstDivisorNamed(bad), InputError) << bad;
  }
  EXPECT_EQ(ThresholdTotalNamed("2731670"), 2731670);
  EXPECT_THROW(ThresholdTotalNamed("0"), InputError);
  EXPECT_EQ(TieRuleNamed("votes"), TieRule::kVotes);
  EXPECT_THROW(TieRuleNamed("random"), InputError);
}

TEST(RuleValuesTest, NumbersAsTheBarIsStated) {
  EXPECT_EQ(GroupedText(2505272), "2,505,272");
  EXPECT_EQ(GroupedText(272), "272");
  EXPECT_EQ(DecimalText({35, 1}), "3.5");
  EXPECT_EQ(DecimalText({1, 3}), "0.001");
  // 4 % of 2,505,272 and 2,766,426 / 17 seats.
  EXPECT_EQ(FractionText({10021088, 100}), "100,210.88");
  EXPECT_EQ(FractionText({2766426, 17}), "162,730.94…");
  EXPECT_EQ(FractionText({100, 1}), "100");
}

}  // namespace
}  // namespace mandati::format
