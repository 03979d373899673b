// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/passes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/errors.h"

namespace mandati {
namespace {

using Seats = std::vector<std::int32_t>;

const Seats kSampleVotes = {58125, 45871, 27142, 15947, 12264};

Calculation Calculate(const Seats& votes, std::int32_t seats, QuotaMethod method,
                      Ranking ranking = Ranking::kKeys) {
  return CalculateQuotaSeats({method, votes, seats, ranking});
}

Seats FinalSeats(const Calculation& calculation) {
  Seats seats;
  for (const PartyOutcome& party : calculation.parties) seats.push_back(party.final_seats);
  return seats;
}

TEST(CalculateQuotaSeatsTest, SampleDistrictUnderEachQuota) {
  const struct {
    QuotaMethod method;
    std::int32_t quota;
    std::vector<std::int64_t> remainder_keys;
    std::vector<int> queue;
  } cases[] = {
      {QuotaMethod::Hare,
       22764,
       {55337375, 1506765, 19232121, 70053593, 53874539},
       {2, 3, 5, 1, 4}},
      {QuotaMethod::Droop,
       19919,
       {91806818, 30287665, 36261861, 80059240, 61569356},
       {2, 3, 5, 4, 1}},
      {QuotaMethod::HagenbachBischoff,
       19918,
       {91821468, 30299227, 36268702, 80063259, 61572447},
       {2, 3, 5, 4, 1}},
  };
  for (const auto& c : cases) {
    const Calculation calculation = Calculate(kSampleVotes, 7, c.method);
    EXPECT_EQ(calculation.total_votes, 159349);
    EXPECT_EQ(calculation.quota, c.quota);
    std::vector<std::int64_t> keys;
    Seats preliminary;
    for (const PartyOutcome& party : calculation.parties) {
      keys.push_back(party.remainder_key);
      preliminary.push_back(party.preliminary_seats);
    }
    EXPECT_EQ(keys, c.remainder_keys);
    EXPECT_EQ(preliminary, (Seats{2, 2, 1, 0, 0}));
    EXPECT_EQ(calculation.queue, c.queue);
    EXPECT_EQ(FinalSeats(calculation), (Seats{3, 2, 1, 1, 0}));
  }
}

TEST(RemainderKeyTest, FillerKeepsThePartyNumberInTheLastThreePlaces) {
  NumberSettings comma;
  comma.decimal_separator = ",";
  const struct {
    std::int64_t remainder_key;
    int party;
    NumberSettings settings;
    const char* key;
  } cases[] = {
      {55337375, 1, {}, "0.55337375    1"},
      {50000000, 12, {}, "0.5   12"},
      {0, 100, {}, "0  100"},
      {kKeyScale, 7, {}, "1    7"},
      {4393, 3, {}, "0.00004393    3"},
      {30030030, 10, {}, "0.3003003   10"},
      {70053593, 4, comma, "0,70053593    4"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RemainderKey(c.remainder_key, c.party, c.settings), c.key);
  }
}

// Equal remainders queue by party number, so the higher number is served first; a tiny
// remainder stands first, below every larger one.
TEST(CalculateQuotaSeatsTest, QueueRanksRemaindersThenPartyNumbers) {
  const struct {
    Seats votes;
    std::int32_t seats;
    std::vector<int> queue;
    std::int64_t first_key;
  } cases[] = {
      {{50001, 80000, 70000}, 4, {1, 3, 2}, 2000},  // quota 50000
      {{300, 120}, 7, {1, 2}, 0},                   // quota 60: no remainders
      {Seats(10, 100), 3, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 30030030},
  };
  for (const auto& c : cases) {
    const Calculation calculation = Calculate(c.votes, c.seats, QuotaMethod::Hare);
    EXPECT_EQ(calculation.queue, c.queue);
    EXPECT_EQ(calculation.parties[0].remainder_key, c.first_key);
  }
}

TEST(HandOutTest, TiesGoToTheHigherPartyNumberFirst) {
  EXPECT_EQ(FinalSeats(Calculate({10, 10, 10}, 2, QuotaMethod::Hare)), (Seats{0, 1, 1}));
  EXPECT_EQ(FinalSeats(Calculate({100, 100}, 3, QuotaMethod::Hare)), (Seats{1, 2}));
  EXPECT_EQ(FinalSeats(Calculate(Seats(10, 100), 3, QuotaMethod::Hare)),
            (Seats{0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));
}

// The number rules raise where the numbers fail, and no record comes back.
TEST(CalculateQuotaSeatsTest, ErrorsWhereTheNumbersFail) {
  const QuotaMethod hare = QuotaMethod::Hare;
  EXPECT_THROW(Calculate(Seats(22, 99999999), 7, hare), OverflowError);  // the total
  EXPECT_THROW(Calculate({2147483647, 1}, 7, hare), OverflowError);
  EXPECT_THROW(Calculate(kSampleVotes, 0, hare), DivisionByZeroError);  // no quota divisor
  EXPECT_THROW(Calculate({2, 2}, 7, hare), DivisionByZeroError);        // quota 0
  EXPECT_THROW(Calculate({70000, 1}, 70001, hare), OverflowError);      // full quotas
  EXPECT_THROW(Calculate(Seats(1000, 1), 7, hare), OverflowError);      // no key for party 1000
}

// The window's counts as typed: a fractional seat count, seats left rounded half to even
// within 16 bits, and a party count whose hand-out row must exist. Whole seats need no
// rounding: a surplus of preliminary seats beyond 16 bits leaves no seat, as any surplus.
TEST(CalculateQuotaSeatsTest, TypedCounts) {
  const struct {
    const char* what;
    Seats votes;
    QuotaMethod method;
    std::variant<std::int32_t, TypedCounts> counts;
    Seats final_seats;  // empty when an error is raised
  } cases[] = {
      {"1.5 seats hand out 2",
       kSampleVotes,
       QuotaMethod::Droop,
       TypedCounts{5, 1.5},
       {1, 1, 0, 0, 0}},
      {"2.5 seats leave none",
       kSampleVotes,
       QuotaMethod::Droop,
       TypedCounts{5, 2.5},
       {1, 1, 0, 0, 0}},
      {"party count rounds to the last row",
       kSampleVotes,
       QuotaMethod::Hare,
       TypedCounts{5.5, 7},
       {3, 2, 1, 1, 0}},
      {"party count rounds past the last row",
       kSampleVotes,
       QuotaMethod::Hare,
       TypedCounts{5.6, 7},
       {}},
      {"no seat left needs no row", {200, 100}, QuotaMethod::Hare, TypedCounts{2.6, 3}, {2, 1}},
      {"a quota beyond 32 bits", {300000000}, QuotaMethod::Hare, TypedCounts{1, 0.1}, {}},
      {"seats left beyond 16 bits", {1}, QuotaMethod::Droop, TypedCounts{1, 40000}, {}},
      {"a surplus beyond 16 bits",
       {30000, 30000, 19999},
       QuotaMethod::Hare,
       TypedCounts{3, 40000},
       {}},
      {"a whole-seat surplus beyond 16 bits",
       {32767, 32767, 3},
       QuotaMethod::Imperiali,
       32767,
       {32767, 32767, 3}},
      {"the same, typed", {32767, 32767, 3}, QuotaMethod::Imperiali, TypedCounts{3, 32767}, {}},
  };
  for (const auto& c : cases) {
    const QuotaDistrict district{c.method, c.votes, c.counts, Ranking::kKeys};
    if (c.final_seats.empty()) {
      EXPECT_THROW(CalculateQuotaSeats(district), CoreError) << c.what;
    } else {
      EXPECT_EQ(FinalSeats(CalculateQuotaSeats(district)), c.final_seats) << c.what;
    }
  }
  EXPECT_THROW(CalculateQuotaSeats({QuotaMethod::Hare, kSampleVotes, TypedCounts{5.6, 7}}),
               MissingRowError);
  EXPECT_THROW(CalculateQuotaSeats({QuotaMethod::Droop, Seats{1}, TypedCounts{1, 40000}}),
               OverflowError);
}

// The record of a calculation: the hand-out order, the rounds and the ties the tie rule
// decided, for the choices the remainder pass makes.
TEST(CalculationRecordTest, HandOutRoundsAndTies) {
  const struct {
    const char* what;
    Seats votes;
    std::int32_t seats;
    QuotaMethod method;
    Seats final_seats;
    std::vector<SeatAward> awards;
    std::vector<int> served, passed;
  } cases[] = {
      {"sample",
       kSampleVotes,
       7,
       QuotaMethod::Hare,
       {3, 2, 1, 1, 0},
       {{6, 4, 1}, {7, 1, 1}},
       {},
       {}},
      {"equal remainders",
       {10, 10, 10},
       2,
       QuotaMethod::Hare,
       {0, 1, 1},
       {{1, 3, 1}, {2, 2, 1}},
       {3, 2},
       {1}},
      {"party 10 before party 9",
       Seats(10, 100),
       3,
       QuotaMethod::Hare,
       {0, 0, 0, 0, 0, 0, 0, 1, 1, 1},
       {{1, 10, 1}, {2, 9, 1}, {3, 8, 1}},
       {10, 9, 8},
       {7, 6, 5, 4, 3, 2, 1}},
      {"round again",
       {1, 1},
       5,
       QuotaMethod::Droop,
       {2, 3},
       {{3, 2, 1}, {4, 1, 1}, {5, 2, 2}},
       {2},
       {1}},
      {"no seat left", {200, 100}, 3, QuotaMethod::Hare, {2, 1}, {}, {}, {}},
      {"surplus", {50, 50}, 3, QuotaMethod::HagenbachBischoff, {2, 2}, {}, {}, {}},
      {"tiny remainder last",
       {50001, 80000, 70000},
       4,
       QuotaMethod::Hare,
       {1, 2, 1},
       {{4, 2, 1}},
       {},
       {}},
      // Under a quota near 1.4 x 10^9 these remainders differ by 7 x 10^-10 and share the
      // key 0.5: the tie rule gives the seat to party 2, one vote behind party 1.
      {"closer than the key shows",
       {700000001, 700000000},
       1,
       QuotaMethod::Hare,
       {0, 1},
       {{1, 2, 1}},
       {2},
       {1}},
  };
  for (const auto& c : cases) {
    const Calculation calculation = Calculate(c.votes, c.seats, c.method);
    EXPECT_EQ(FinalSeats(calculation), c.final_seats) << c.what;
    const std::vector<SeatAward> awards = SeatAwards(calculation);
    ASSERT_EQ(awards.size(), c.awards.size()) << c.what;
    for (std::size_t k = 0; k < awards.size(); ++k) {
      EXPECT_EQ(awards[k].seat, c.awards[k].seat) << c.what;
      EXPECT_EQ(awards[k].party, c.awards[k].party) << c.what;
      EXPECT_EQ(awards[k].round, c.awards[k].round) << c.what;
    }
    if (c.served.empty()) {
      EXPECT_TRUE(calculation.ties.empty()) << c.what;
    } else {
      ASSERT_EQ(calculation.ties.size(), 1u) << c.what;
      EXPECT_EQ(calculation.ties[0].served, c.served) << c.what;
      EXPECT_EQ(calculation.ties[0].passed, c.passed) << c.what;
    }
  }
}

// Under a quota near 1.4 x 10^9 the remainders of 700000001 and 700000000 votes round to
// one key, 0.5: the key order serves party 2, the exact order party 1.
TEST(CalculationRecordTest, ExactRankingAndWhereTheKeysMergedRemainders) {
  const Calculation keyed = Calculate({700000001, 700000000}, 1, QuotaMethod::Hare);
  EXPECT_TRUE(RankEqual(keyed, 1, 2));
  const std::vector<KeyMerge> merges = KeyMerges(keyed);
  ASSERT_EQ(merges.size(), 1u);
  EXPECT_EQ(merges.back().ahead, 2);
  EXPECT_EQ(merges.back().behind, 1);
  EXPECT_TRUE(merges.back().seat);

  const Calculation exact =
      Calculate({700000001, 700000000}, 1, QuotaMethod::Hare, Ranking::kExact);
  EXPECT_EQ(FinalSeats(exact), (Seats{1, 0}));
  EXPECT_TRUE(exact.ties.empty());
  EXPECT_FALSE(RankEqual(exact, 1, 2));
  EXPECT_TRUE(KeyMerges(exact).empty());

  // Equal exact remainders still tie, and the higher party number goes first.
  const Calculation tied = Calculate({10, 10, 10}, 2, QuotaMethod::Hare, Ranking::kExact);
  ASSERT_EQ(tied.ties.size(), 1u);
  EXPECT_EQ(tied.ties[0].served, (std::vector<int>{3, 2}));
}

// The companion's limits refuse each by name, with the value that failed it.
TEST(CheckQuotaDistrictTest, RefusesEachLimitNamingTheValue) {
  const struct {
    QuotaMethod method;
    Seats votes;
    std::int32_t seats;
    CalculationLimit limit;
    std::int64_t value;
  } cases[] = {
      {QuotaMethod::Hare, {}, 7, CalculationLimit::kPartyCount, 0},
      {QuotaMethod::Hare, Seats(1000, 1), 7, CalculationLimit::kPartyCount, 1000},
      {QuotaMethod::Hare, {5, 0}, 7, CalculationLimit::kVotes, 0},
      {QuotaMethod::Hare, {5}, 32768, CalculationLimit::kSeatCount, 32768},
      {QuotaMethod::Droop, {2147483647, 2}, 7, CalculationLimit::kTotalVotes, 2147483649},
      {QuotaMethod::Hare, {5}, 0, CalculationLimit::kNoQuotaDivisor, 0},
      {QuotaMethod::Imperiali, {3, 3}, 7, CalculationLimit::kQuotaZero, 6},
      {QuotaMethod::Hare, {65000, 1}, 32767, CalculationLimit::kPreliminarySeats, 65000},
  };
  for (const auto& c : cases) {
    try {
      CheckQuotaDistrict(c.method, c.votes, c.seats);
      ADD_FAILURE() << "no refusal for limit " << static_cast<int>(c.limit);
    } catch (const CalculationLimitError& error) {
      EXPECT_EQ(error.Limit(), c.limit);
      EXPECT_EQ(error.Value(), c.value);
      EXPECT_EQ(error.SeatCount(), c.seats);
    }
  }
  // Droop with 0 seats has a quota: every party's votes are one full quota and more.
  EXPECT_NO_THROW(CheckQuotaDistrict(QuotaMethod::Droop, Seats{5}, 0));
  EXPECT_EQ(Calculate({5}, 0, QuotaMethod::Droop).quota, 6);
}

// Quota 10 on 40 votes and 4 seats: 23 and 13 votes both leave 3 for the seat left over. On
// 30 votes and 3 seats, 13 and 13 do: equal votes leave it to the party listed first.
TEST(CalculateQuotaSeatsTest, TieRuleOrdersEqualRemainders) {
  using enum TieRule;
  const struct {
    std::vector<std::int32_t> votes;
    std::int32_t seats;
    TieRule rule;
    std::vector<int> final_seats, served, passed;
    TieRule decided_by;
  } cases[] = {
      // clang-format off
      {{23, 13, 2, 2}, 4, kOrder, {2, 2, 0, 0}, {2}, {1}, kOrder},
      {{23, 13, 2, 2}, 4, kVotes, {3, 1, 0, 0}, {1}, {2}, kVotes},
      {{13, 13, 2, 2}, 3, kVotes, {2, 1, 0, 0}, {1}, {2}, kOrder},
      // clang-format on
  };
  for (const auto& c : cases) {
    const Calculation record =
        CalculateQuotaSeats({QuotaMethod::Hare, c.votes, c.seats, Ranking::kKeys, c.rule});
    std::vector<int> final_seats;
    for (const PartyOutcome& party : record.parties) final_seats.push_back(party.final_seats);
    EXPECT_EQ(final_seats, c.final_seats);
    ASSERT_EQ(record.ties.size(), 1u);
    EXPECT_EQ(record.ties[0].served, c.served);
    EXPECT_EQ(record.ties[0].passed, c.passed);
    EXPECT_EQ(record.ties[0].decided_by, c.decided_by);
  }
}

}  // namespace
}  // namespace mandati
