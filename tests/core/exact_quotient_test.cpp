// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exact_quotient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "core/errors.h"

namespace mandati {
namespace {

using Parties = std::vector<std::int32_t>;

// A plain model in whole numbers: the due seats V_i x S / V split into whole part and
// remainder, the remainders sorted largest first with the tie rule written out, one leftover
// seat each from the top.
struct Model {
  Parties final_seats, leftover_order;
  std::vector<std::int64_t> remainders;
  bool tie = false;
  friend bool operator==(const Model&, const Model&) = default;
};

Model Observed(const Calculation& record) {
  Model seen;
  for (const PartyOutcome& party : record.parties) {
    seen.final_seats.push_back(party.final_seats);
    seen.remainders.push_back(party.remainder_numerator);
  }
  for (const SeatAward& award : SeatAwards(record)) seen.leftover_order.push_back(award.party);
  seen.tie = !record.ties.empty();
  return seen;
}

Model ExactModel(const Parties& votes, std::int32_t seats, TieRule rule) {
  const std::int64_t total = std::accumulate(votes.begin(), votes.end(), std::int64_t{0});
  Model model;
  std::int32_t given = 0;
  for (const std::int32_t v : votes) {
    model.final_seats.push_back(static_cast<std::int32_t>(std::int64_t{v} * seats / total));
    model.remainders.push_back(std::int64_t{v} * seats % total);
    given += model.final_seats.back();
  }
  std::vector<std::int32_t> order(votes.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
    const auto i = static_cast<std::size_t>(a), j = static_cast<std::size_t>(b);
    if (model.remainders[i] != model.remainders[j])
      return model.remainders[i] > model.remainders[j];
    if (rule == TieRule::kVotes && votes[i] != votes[j]) return votes[i] > votes[j];
    return rule == TieRule::kOrder ? a > b : a < b;
  });
  const auto left = static_cast<std::size_t>(seats - given);
  for (std::size_t k = 0; k < left; ++k) {
    model.leftover_order.push_back(order[k] + 1);
    ++model.final_seats[static_cast<std::size_t>(order[k])];
  }
  model.tie = left > 0 && left < order.size() &&
              model.remainders[static_cast<std::size_t>(order[left - 1])] ==
                  model.remainders[static_cast<std::size_t>(order[left])];
  return model;
}

TEST(HareNiemeyerTest, MatchesAnExactModelOnRandomDistricts) {
  std::mt19937 random(20250301);
  const auto uniform = [&](std::int32_t low, std::int32_t high) {
    return std::uniform_int_distribution<std::int32_t>(low, high)(random);
  };
  int ties = 0;
  for (int district = 0; district < 4000; ++district) {
    // Small votes and a few repeated counts make equal remainders; large ones long fractions.
    Parties votes(static_cast<std::size_t>(uniform(1, 12)));
    const std::int32_t repeated[] = {uniform(1, 30), uniform(1, 30)};
    for (std::int32_t& v : votes) {
      v = district % 2 == 0 ? repeated[uniform(0, 1)] : uniform(1, 2147483647 / 12);
    }
    const std::int32_t seats = uniform(1, 40);
    for (const TieRule rule : {TieRule::kOrder, TieRule::kVotes}) {
      const Model model = ExactModel(votes, seats, rule);
      ASSERT_EQ(Observed(CalculateQuotaSeats(
                    {QuotaMethod::HareNiemeyer, votes, seats, Ranking::kKeys, rule})),
                model)
          << district;
      ties += model.tie;
    }
  }
  EXPECT_GT(ties, 500);  // the tie rules were put to work
  // V / 0 seats has no value: the companion's limits refuse it, the number rules raise.
  const Parties two{5, 3};
  EXPECT_THROW(CheckQuotaDistrict(QuotaMethod::HareNiemeyer, two, 0), CalculationLimitError);
  EXPECT_THROW(CalculateQuotaSeats({QuotaMethod::HareNiemeyer, two, 0}), DivisionByZeroError);
}

}  // namespace
}  // namespace mandati
