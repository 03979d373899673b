// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/quota_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>

#include "core/errors.h"

namespace mandati {
namespace {

FormValues Values(std::int32_t total, std::optional<double> seats, QuotaMethod method) {
  FormValues values;
  values.total_votes = total;
  values.seat_count = seats;
  values.quota_method = method;
  return values;
}

TEST(ComputeQuotaTest, ThreeQuotasForTotalAndSeats) {
  const struct {
    std::int32_t total;
    std::optional<double> seats;
    std::int32_t hare, droop, hagenbach_bischoff;
  } cases[] = {
      {159349, 7, 22764, 19919, 19918},
      {100, 3, 33, 26, 25},
      {7, 7, 1, 1, 0},
      {5, 7, 0, 1, 0},
      {159349, 7.5, 21246, 18747, 18746},
      {159349, -3, -53117, -79674, -79675},
      {2, 5, 0, 1, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ComputeQuota(Values(c.total, c.seats, QuotaMethod::Hare)), c.hare) << c.total;
    EXPECT_EQ(ComputeQuota(Values(c.total, c.seats, QuotaMethod::Droop)), c.droop) << c.total;
    EXPECT_EQ(ComputeQuota(Values(c.total, c.seats, QuotaMethod::HagenbachBischoff)),
              c.hagenbach_bischoff)
        << c.total;
  }
}

TEST(ComputeQuotaTest, ZeroOrEmptySeatCount) {
  for (const std::optional<double> seats : {std::optional<double>(0.0), std::optional<double>()}) {
    EXPECT_THROW(ComputeQuota(Values(100, seats, QuotaMethod::Hare)), DivisionByZeroError);
    EXPECT_EQ(ComputeQuota(Values(100, seats, QuotaMethod::Droop)), 101);
    EXPECT_EQ(ComputeQuota(Values(100, seats, QuotaMethod::HagenbachBischoff)), 100);
  }
}

TEST(ComputeQuotaTest, FailuresOfTheFormulas) {
  EXPECT_THROW(ComputeQuota(Values(100, -1, QuotaMethod::Droop)), DivisionByZeroError);
  EXPECT_THROW(ComputeQuota(Values(100, -1, QuotaMethod::HagenbachBischoff)), DivisionByZeroError);
  EXPECT_THROW(ComputeQuota(Values(300000000, 0.1, QuotaMethod::Hare)), OverflowError);
}

TEST(ComputeQuotaTest, ImpossibleMethodIsALogicError) {
  EXPECT_THROW(ComputeQuota(Values(100, 3, static_cast<QuotaMethod>(7))), std::logic_error);
}

TEST(QuotaRuleTest, TheWindowOffersTheQuotasItsTableMarks) {
  EXPECT_EQ(WindowQuota(0), QuotaMethod::Hare);
  EXPECT_EQ(WindowQuota(1), QuotaMethod::Droop);
  EXPECT_EQ(WindowQuota(2), QuotaMethod::HagenbachBischoff);
  EXPECT_EQ(WindowQuota(3), std::nullopt);
  EXPECT_EQ(WindowQuota(-1), std::nullopt);
  for (int index = 0; index < 3; ++index) EXPECT_EQ(WindowQuotaIndex(*WindowQuota(index)), index);
  EXPECT_THROW(WindowQuotaIndex(QuotaMethod::Imperiali), std::logic_error);
}

TEST(QuotaRuleTest, RuleTextsStateTheFormulaComputeQuotaUses) {
  EXPECT_EQ(QuotaRuleText(QuotaMethod::Hare), "floor(V / S)");
  EXPECT_EQ(QuotaRuleText(QuotaMethod::Droop), "1 + floor(V / (S + 1))");
  EXPECT_EQ(QuotaRuleText(QuotaMethod::HagenbachBischoff), "floor(V / (S + 1))");
  EXPECT_EQ(QuotaFormulaText(QuotaMethod::Hare, 159349, 7), "floor(159349 / 7)");
  EXPECT_EQ(QuotaFormulaText(QuotaMethod::Droop, 159349, 7), "1 + floor(159349 / 8)");
  EXPECT_EQ(RuleOf(QuotaMethod::Droop).caption, "Квота на Друп ");
  EXPECT_EQ(QuotaName(QuotaMethod::Droop), "Квота на Друп");
}

}  // namespace
}  // namespace mandati
