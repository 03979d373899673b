// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/seat_methods.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/errors.h"

namespace mandati {
namespace {

using Seats = std::vector<std::int32_t>;

TEST(DivisorRuleTest, DivisorTextsStateTheDivisorsTheAllocationUses) {
  for (const DivisorRule& rule : kDivisorRules) {
    const DivisorAllocation one_party = AllocateByDivisors(rule.method, Seats{600}, 3);
    std::string divisors;
    for (const DivisorSeat& award : one_party.awards) {
      divisors += std::to_string(award.average.divisor) + ", ";
    }
    EXPECT_EQ(std::string(rule.divisors), divisors + "…") << rule.keyword;
    EXPECT_EQ(&DivisorRuleOf(rule.method), &rule);
  }
}

TEST(AllocateByDivisorsTest, HandVerifiedDistricts) {
  const struct {
    DivisorMethod method;
    Seats votes;
    std::int32_t seat_count;
    Seats seats;
    std::optional<DivisorTie> tie;
  } cases[] = {
      // Averages 100000, 80000, 50000, 40000, 33333⅓, 30000, 26666⅔, 25000.
      {DivisorMethod::DHondt, {100000, 80000, 30000, 20000}, 8, {4, 3, 1, 0}, std::nullopt},
      // Averages 100000, 80000, 33333⅓, 30000, 26666⅔, then 20000 for parties 4 and 1
      // (100000 / 5), then 16000.
      {DivisorMethod::SainteLague, {100000, 80000, 30000, 20000}, 8, {3, 3, 1, 1}, std::nullopt},
      {DivisorMethod::SainteLague,
       {100000, 80000, 30000, 20000},
       6,
       {2, 2, 1, 1},
       DivisorTie{{20000, 1}, {4}, {1}, TieRule::kOrder, {{20000, 1}, {100000, 5}}}},
      {DivisorMethod::DHondt,
       {10, 10, 10},
       2,
       {0, 1, 1},
       DivisorTie{{10, 1}, {3, 2}, {1}, TieRule::kOrder, {{10, 1}, {10, 1}, {10, 1}}}},
      {DivisorMethod::DHondt, {10, 10, 10}, 3, {1, 1, 1}, std::nullopt},
      // 6 / 1 and 18 / 3: the second seat of party 1 ties with the first of party 2.
      {DivisorMethod::SainteLague, {18, 6}, 1, {1, 0}, std::nullopt},
      {DivisorMethod::SainteLague,
       {18, 6},
       2,
       {1, 1},
       DivisorTie{{6, 1}, {2}, {1}, TieRule::kOrder, {{6, 1}, {18, 3}}}},
      {DivisorMethod::DHondt, {5, 3}, 0, {0, 0}, std::nullopt},
  };
  for (const auto& c : cases) {
    const DivisorAllocation result = AllocateByDivisors(c.method, c.votes, c.seat_count);
    EXPECT_EQ(result.seats, c.seats) << c.seat_count;
    EXPECT_EQ(result.tie, c.tie) << c.seat_count;
    EXPECT_EQ(result.awards.size(), static_cast<std::size_t>(c.seat_count));
  }
  const DivisorAllocation sainte_lague =
      AllocateByDivisors(DivisorMethod::SainteLague, Seats{100000, 80000, 30000, 20000}, 8);
  EXPECT_EQ(sainte_lague.awards[5], (DivisorSeat{6, 4, {20000, 1}}));
  EXPECT_EQ(sainte_lague.awards[6], (DivisorSeat{7, 1, {100000, 5}}));
}

// A deliberately plain allocation: every average a party could reach, sorted once, the best
// seat_count of them taken. Averages are compared as fractions in 128-bit whole numbers;
// equal ones as the tie rule says, written out here.
__extension__ using Wide = __int128;

Wide Scaled(const DivisorSeat& a, const DivisorSeat& b) {
  return Wide{a.average.votes} * a.average.scale * b.average.divisor;
}

bool Equal(const DivisorSeat& a, const DivisorSeat& b) { return Scaled(a, b) == Scaled(b, a); }

DivisorAllocation AllocateFromAllAverages(DivisorMethod method, const Seats& votes,
                                          std::int32_t seat_count, TieRule rule = TieRule::kOrder,
                                          Decimal first = {1, 0}) {
  const std::int32_t step = DivisorRuleOf(method).step;
  std::int32_t first_scale = 1;
  for (std::int32_t d = 0; d < first.decimals; ++d) first_scale *= 10;
  std::vector<DivisorSeat> all;
  for (std::int32_t party = 1; party <= static_cast<std::int32_t>(votes.size()); ++party) {
    const std::int32_t v = votes[static_cast<std::size_t>(party - 1)];
    all.push_back({0, party, {v, static_cast<std::int32_t>(first.units), first_scale}});
    for (std::int32_t won = 1; won < seat_count; ++won) {
      all.push_back({0, party, {v, 1 + step * won}});
    }
  }
  std::stable_sort(all.begin(), all.end(), [&](const DivisorSeat& a, const DivisorSeat& b) {
    if (!Equal(a, b)) return Scaled(a, b) > Scaled(b, a);
    if (rule == TieRule::kVotes && a.average.votes != b.average.votes) {
      return a.average.votes > b.average.votes;
    }
    return rule == TieRule::kOrder ? a.party > b.party : a.party < b.party;
  });
  DivisorAllocation result;
  result.seats.assign(votes.size(), 0);
  std::int32_t passed_votes = 0;
  std::vector<Average> passed_averages;
  for (std::size_t k = 0; k < all.size(); ++k) {
    if (k < static_cast<std::size_t>(seat_count)) {
      all[k].seat = static_cast<std::int32_t>(k + 1);
      result.awards.push_back(all[k]);
      ++result.seats[static_cast<std::size_t>(all[k].party - 1)];
    } else if (seat_count > 0 && Equal(all[k], result.awards.back())) {
      if (!result.tie) {
        result.tie = DivisorTie{result.awards.back().average, {}, {}, TieRule::kOrder, {}};
        passed_votes = all[k].average.votes;
      }
      result.tie->passed_over.push_back(all[k].party);
      passed_averages.push_back(all[k].average);
    }
  }
  if (result.tie) {
    for (const DivisorSeat& award : result.awards) {
      if (Equal(award, result.awards.back())) {
        result.tie->served.push_back(award.party);
        result.tie->averages.push_back(award.average);
      }
    }
    result.tie->averages.insert(result.tie->averages.end(), passed_averages.begin(),
                                passed_averages.end());
    if (rule == TieRule::kVotes && passed_votes != result.awards.back().average.votes) {
      result.tie->decided_by = TieRule::kVotes;
    }
  }
  return result;
}

TEST(AllocateByDivisorsTest, MatchesAllAveragesSortedOnRandomDistricts) {
  std::mt19937 random(20240611);
  for (int district = 0; district < 6000; ++district) {
    const int shape = district % 3;
    Seats votes(std::uniform_int_distribution<std::size_t>(1, 9)(random));
    // Small votes and multiples of one large vote count make many equal averages.
    const std::int32_t base = std::uniform_int_distribution<std::int32_t>(1, 300000000)(random);
    for (std::int32_t& v : votes) {
      if (shape == 0) v = std::uniform_int_distribution<std::int32_t>(1, 12)(random);
      if (shape == 1) v = base * std::uniform_int_distribution<std::int32_t>(1, 7)(random);
      if (shape == 2) {
        v = std::uniform_int_distribution<std::int32_t>(
            1, std::numeric_limits<int32_t>::max())(random);
      }
    }
    const std::int32_t seat_count = std::uniform_int_distribution<std::int32_t>(0, 25)(random);
    // Sainte-Laguë's first divisors: plain, Sweden's, Norway's, and one with 3 decimals.
    const Decimal firsts[] = {{1, 0}, {12, 1}, {14, 1}, {2999, 3}};
    const Decimal first = firsts[district % 4];
    const TieRule tie_rule = district % 5 < 2 ? TieRule::kVotes : TieRule::kOrder;
    for (const DivisorRule& rule : kDivisorRules) {
      const Decimal d = rule.method == DivisorMethod::SainteLague ? first : Decimal{1, 0};
      const DivisorAllocation fast =
          AllocateByDivisors(rule.method, votes, seat_count, tie_rule, d);
      const DivisorAllocation plain =
          AllocateFromAllAverages(rule.method, votes, seat_count, tie_rule, d);
      ASSERT_EQ(fast.seats, plain.seats) << rule.keyword << " district " << district;
      ASSERT_EQ(fast.awards, plain.awards) << rule.keyword << " district " << district;
      ASSERT_EQ(fast.tie, plain.tie) << rule.keyword << " district " << district;
    }
  }
}

// Sainte-Laguë from 1.4 on 100000, 80000, 30000, 20000: averages 71428.6, 57142.9, 33333.3,
// 26666.7, 21428.6, 20000, 16000, then party 1's 100000 / 7 and party 4's 20000 / 1.4, equal, for
// the eighth seat. From 1.4 on 10000 and 1800 votes, party 2's 1285.7 falls below party 1's fourth
// average, 1428.6 (from 1 its 1800 was above it).
TEST(AllocateByDivisorsTest, TieRuleAndFirstDivisorOnHandCheckedDistricts) {
  using enum DivisorMethod;
  using enum TieRule;
  const struct {
    DivisorMethod method;
    Seats votes;
    std::int32_t seat_count;
    TieRule rule;
    Decimal first;
    Seats seats;
    std::optional<DivisorTie> tie;
  } cases[] = {
      // clang-format off
      {SainteLague, {100000, 80000, 30000, 20000}, 8, kOrder, {14, 1}, {3, 3, 1, 1},
       DivisorTie{{20000, 14, 10}, {4}, {1}, kOrder, {{20000, 14, 10}, {100000, 7}}}},
      {SainteLague, {100000, 80000, 30000, 20000}, 8, kVotes, {14, 1}, {4, 3, 1, 0},
       DivisorTie{{100000, 7}, {1}, {4}, kVotes, {{100000, 7}, {20000, 14, 10}}}},
      {SainteLague, {10000, 1800}, 4, kOrder, {1, 0}, {3, 1}, {}},
      {SainteLague, {10000, 1800}, 4, kOrder, {14, 1}, {4, 0}, {}},
      // clang-format on
  };
  for (const auto& c : cases) {
    const DivisorAllocation result =
        AllocateByDivisors(c.method, c.votes, c.seat_count, c.rule, c.first);
    EXPECT_EQ(result.seats, c.seats) << c.seat_count;
    EXPECT_EQ(result.tie, c.tie) << c.seat_count;
  }
  // A first divisor is from 1 to 3 with at most 3 decimals, and only Sainte-Laguë's.
  for (const Decimal first : {Decimal{9, 1}, Decimal{3001, 3}, Decimal{14000, 4}}) {
    EXPECT_THROW(AllocateByDivisors(SainteLague, Seats{5}, 1, kOrder, first), RuleError);
  }
  EXPECT_THROW(AllocateByDivisors(DHondt, Seats{5}, 1, kOrder, {14, 1}), std::logic_error);
}

// One hand-out going on from count to count gives each count's fresh allocation, ties too,
// under either tie rule and from a first divisor, and the claim for one seat is the one that
// allocation served last.
TEST(DivisorSeatsUpwardsTest, EqualsFreshAllocationsAtEveryCount) {
  std::mt19937 random(20261209);
  for (int district = 0; district < 200; ++district) {
    Seats votes(std::uniform_int_distribution<std::size_t>(1, 40)(random));
    const std::int32_t high = district % 2 == 0 ? 12 : 2000000;  // small votes tie often
    for (std::int32_t& v : votes) v = std::uniform_int_distribution<std::int32_t>(1, high)(random);
    const std::int32_t first = std::uniform_int_distribution<std::int32_t>(0, 30)(random);
    const TieRule tie_rule = district % 3 == 0 ? TieRule::kVotes : TieRule::kOrder;
    for (const DivisorRule& rule : kDivisorRules) {
      const Decimal d = rule.method == DivisorMethod::SainteLague && district % 4 < 2
                            ? Decimal{14, 1}
                            : kPlainFirstDivisor;
      const FinalSeatsFor upwards = DivisorSeatsUpwards(rule.method, votes, tie_rule, d);
      for (std::int32_t seat_count = first; seat_count <= first + 60; ++seat_count) {
        const DivisorAllocation fresh =
            AllocateByDivisors(rule.method, votes, seat_count, tie_rule, d);
        ASSERT_EQ(upwards(seat_count), fresh.seats)
            << rule.keyword << " district " << district << ", " << seat_count << " seats";
        if (seat_count > 0) {
          ASSERT_EQ(ClaimForSeat(rule.method, votes, seat_count, tie_rule, d), fresh.awards.back());
        }
      }
      EXPECT_THROW(upwards(first), std::logic_error);
    }
  }
  const Seats no_votes{5, 0};
  EXPECT_THROW(DivisorSeatsUpwards(DivisorMethod::DHondt, no_votes)(1), LimitError);
}

TEST(AllocateByDivisorsTest, LimitsOfADistrict) {
  EXPECT_THROW(AllocateByDivisors(DivisorMethod::DHondt, Seats{}, 1), LimitError);
  EXPECT_THROW(AllocateByDivisors(DivisorMethod::DHondt, Seats(1000, 1), 1), LimitError);
  EXPECT_THROW(AllocateByDivisors(DivisorMethod::DHondt, Seats{5, 0}, 1), LimitError);
  EXPECT_THROW(AllocateByDivisors(DivisorMethod::DHondt, Seats{5}, -1), LimitError);
  EXPECT_THROW(AllocateByDivisors(DivisorMethod::DHondt, Seats{5}, 32768), LimitError);
  EXPECT_THROW(AllocateByDivisors(static_cast<DivisorMethod>(7), Seats{5}, 1), std::logic_error);
  // The largest districts. 999 equal parties take 32 seats each in 32 rounds, and the 799
  // seats left go to parties 999 down to 201.
  const Seats equal(999, 1000);
  const Seats dhondt = AllocateByDivisors(DivisorMethod::DHondt, equal, 32767).seats;
  EXPECT_EQ(dhondt[998], 33);
  EXPECT_EQ(dhondt[200], 33);
  EXPECT_EQ(dhondt[199], 32);
  // Votes near 2^31 against divisors near 2^15: the party one vote ahead wins the odd seat.
  const std::int32_t most = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(AllocateByDivisors(DivisorMethod::SainteLague, Seats{most, most - 1}, 32767).seats,
            (Seats{16384, 16383}));
}

// Largest remainders under the Hare quota floor(V / S), written out plainly: full quotas
// first, then one seat each to the largest remainders (the higher party number first).
Seats HareLargestRemainders(const Seats& votes, std::int32_t seat_count) {
  std::int32_t total = 0;
  for (std::int32_t v : votes) total += v;
  const std::int32_t quota = total / seat_count;
  if (quota == 0) throw std::logic_error("no seat can be bought with a quota of 0");
  Seats seats;
  std::vector<std::pair<std::int32_t, std::size_t>> remainders;
  for (std::size_t i = 0; i < votes.size(); ++i) {
    seats.push_back(votes[i] / quota);
    remainders.emplace_back(votes[i] % quota, i);
    seat_count -= seats.back();
  }
  std::sort(remainders.rbegin(), remainders.rend());
  for (std::int32_t k = 0; k < seat_count; ++k) ++seats[remainders[k].second];
  return seats;
}

TEST(SweepSeatCountsTest, FindsTheAlabamaParadoxOfLargestRemainders) {
  // 3 seats: quota 13, remainders 5, 4, 6, final 1, 1, 1. 4 seats: quota 10, remainders
  // 8, 7, 6, final 2, 2, 0: one seat more, and party 3 loses its seat.
  const Seats votes{18, 17, 6};
  const SeatSweep sweep =
      SweepSeatCounts([&](std::int32_t s) { return HareLargestRemainders(votes, s); }, 1, 8);
  ASSERT_EQ(sweep.rows.size(), 8u);
  EXPECT_EQ(sweep.rows[2].seat_count, 3);
  EXPECT_EQ(sweep.rows[2].final_seats, (Seats{1, 1, 1}));
  EXPECT_EQ(sweep.rows[3].final_seats, (Seats{2, 2, 0}));
  EXPECT_EQ(sweep.paradoxes, (std::vector<AlabamaParadox>{{3, 3, 1, 0}}));
}

TEST(SweepSeatCountsTest, RangeLimits) {
  const FinalSeatsFor one_party = [](std::int32_t s) { return Seats{s}; };
  EXPECT_EQ(SweepSeatCounts(one_party, 0, 999).rows.size(), 1000u);
  EXPECT_EQ(SweepSeatCounts(one_party, 32767, 32767).rows.size(), 1u);
  EXPECT_THROW(SweepSeatCounts(one_party, 0, 1000), LimitError);
  EXPECT_THROW(SweepSeatCounts(one_party, 5, 4), LimitError);
  EXPECT_THROW(SweepSeatCounts(one_party, -1, 4), LimitError);
  EXPECT_THROW(SweepSeatCounts(one_party, 32767, 32768), LimitError);
  const FinalSeatsFor growing = [](std::int32_t s) { return Seats(static_cast<std::size_t>(s)); };
  EXPECT_THROW(SweepSeatCounts(growing, 1, 2), std::logic_error);
}

TEST(DisproportionalityTest, HandComputedIndices) {
  // Vote shares 60, 30, 10 against seat shares 75, 25, 0: gaps 15, 5, 10.
  const auto skewed = MeasureDisproportionality(Seats{600, 300, 100}, Seats{3, 1, 0});
  ASSERT_TRUE(skewed.has_value());
  EXPECT_NEAR(skewed->gallagher, std::sqrt(175.0), 1e-12);
  EXPECT_NEAR(skewed->loosemore_hanby, 15.0, 1e-12);
  const auto exact = MeasureDisproportionality(Seats{50, 25, 25}, Seats{2, 1, 1});
  ASSERT_TRUE(exact.has_value());
  EXPECT_NEAR(exact->gallagher, 0.0, 1e-12);
  EXPECT_NEAR(exact->loosemore_hanby, 0.0, 1e-12);
  EXPECT_FALSE(MeasureDisproportionality(Seats{600, 300}, Seats{0, 0}).has_value());
  EXPECT_THROW(MeasureDisproportionality(Seats{600, 300}, Seats{1}), std::logic_error);
  EXPECT_THROW(MeasureDisproportionality(Seats{600, 0}, Seats{1, 0}), LimitError);
}

}  // namespace
}  // namespace mandati
