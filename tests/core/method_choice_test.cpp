// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/method_choice.h"

#include <gtest/gtest.h>

#include <random>

#include "core/errors.h"

namespace mandati {
namespace {

// The limit CalculateMethod refuses a district with, if any.
std::optional<CalculationLimit> RefusalOf(const std::function<void()>& calculate) {
  try {
    calculate();
  } catch (const CalculationLimitError& error) {
    return error.Limit();
  }
  return std::nullopt;
}

// CheckMethod refuses exactly the districts CalculateMethod refuses, for the same limit: small
// totals (a quota of 0), huge ones (beyond 32 bits) and huge parties beside tiny quotas (full
// quotas beyond the seats the calculator counts), under every method and a quota bar.
TEST(CheckMethodTest, RefusesWhatCalculateMethodRefuses) {
  std::mt19937 random(7);
  int refused = 0;
  for (int district = 0; district < 3000; ++district) {
    std::vector<std::int32_t> votes(std::uniform_int_distribution<std::size_t>(1, 6)(random));
    const std::int32_t largest = district % 3 == 0 ? 2147483647 : district % 3 == 1 ? 40 : 9;
    for (std::int32_t& v : votes)
      v = std::uniform_int_distribution<std::int32_t>(1, largest)(random);
    const std::int32_t seats = std::uniform_int_distribution<std::int32_t>(1, 32767)(random) %
                               (district % 2 == 0 ? 32767 : 60);
    MethodRules rules;
    if (district % 5 == 0) rules.threshold.kind = ThresholdKind::kQuota;
    std::vector<Method> methods = AllMethods();
    methods.emplace_back(QuotaMethod::HareNiemeyer);
    for (const Method method : methods) {
      const auto expected = RefusalOf([&] { CalculateMethod(method, votes, seats, rules); });
      EXPECT_EQ(RefusalOf([&] { CheckMethod(method, votes, seats, rules); }), expected)
          << KeywordOf(method) << " district " << district;
      refused += expected.has_value();
    }
  }
  EXPECT_GT(refused, 1000);
}

}  // namespace
}  // namespace mandati
