// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/passes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/errors.h"

namespace mandati {
namespace {

using Rows = std::vector<std::string>;

const std::vector<int> kSampleVotes = {58125, 45871, 27142, 15947, 12264};

struct District {
  PartyTable table;
  FormValues values;
  std::string total_text;
  NumberSettings settings;

  District(const std::vector<int>& votes, double seats, QuotaMethod method,
           NumberSettings number_settings = {})
      : settings(std::move(number_settings)) {
    for (std::size_t i = 0; i < votes.size(); ++i) {
      table.PartyNumberColumn().Append(std::to_string(i + 1));
      table.VotesColumn().Append(std::to_string(votes[i]));
    }
    values.party_count = static_cast<double>(votes.size());
    values.seat_count = seats;
    values.quota_method = method;
  }

  Calculation calculation;

  void Allocate() { calculation = AllocateQuotaSeats(table, values, total_text, settings); }
  void Calculate() {
    Allocate();
    DistributeRemainders(table, values, settings, calculation);
  }
  // The party numbers in queue order, first row to last.
  std::vector<int> QueueParties() const {
    std::vector<int> parties;
    for (const std::string& key : table.RemainderQueue().Rows()) {
      parties.push_back(std::stoi(key.substr(key.size() - 3)));
    }
    return parties;
  }
};

TEST(AllocateQuotaSeatsTest, SampleDataUnderHare) {
  District district(kSampleVotes, 7, QuotaMethod::Hare);
  district.Allocate();
  EXPECT_EQ(district.values.total_votes, 159349);
  EXPECT_EQ(district.total_text, "159349");
  EXPECT_EQ(district.values.quota, 22764);
  EXPECT_EQ(district.table.VoteShareColumn().Rows(),
            (Rows{"36.48", "28.79", "17.03", "10.01", "7.70"}));
  EXPECT_EQ(district.table.PreliminarySeatsColumn().Rows(), (Rows{"2", "2", "1", "0", "0"}));
  EXPECT_EQ(district.table.QuotaRatioColumn().Rows(),
            (Rows{"2.553", "2.015", "1.192", "0.701", "0.539"}));
  EXPECT_EQ(district.table.RemainderQueue().Rows(),
            (Rows{"0.01506765    2", "0.19232121    3", "0.53874539    5", "0.55337375    1",
                  "0.70053593    4"}));
}

TEST(AllocateQuotaSeatsTest, SampleDataUnderDroopAndHagenbachBischoff) {
  const struct {
    QuotaMethod method;
    int quota;
    Rows keys;
  } cases[] = {
      {QuotaMethod::Droop,
       19919,
       {"0.30287665    2", "0.36261861    3", "0.61569356    5", "0.8005924    4",
        "0.91806818    1"}},
      {QuotaMethod::HagenbachBischoff,
       19918,
       {"0.30299227    2", "0.36268702    3", "0.61572447    5", "0.80063259    4",
        "0.91821468    1"}},
  };
  for (const auto& c : cases) {
    District district(kSampleVotes, 7, c.method);
    district.Calculate();
    EXPECT_EQ(district.values.quota, c.quota);
    EXPECT_EQ(district.total_text, "159349");
    EXPECT_EQ(district.table.PreliminarySeatsColumn().Rows(), (Rows{"2", "2", "1", "0", "0"}));
    EXPECT_EQ(district.table.QuotaRatioColumn().Rows(),
              (Rows{"2.918", "2.303", "1.363", "0.801", "0.616"}));
    EXPECT_EQ(district.table.VoteShareColumn().Rows(),
              (Rows{"36.48", "28.79", "17.03", "10.01", "7.70"}));
    EXPECT_EQ(district.table.RemainderQueue().Rows(), c.keys);
    EXPECT_EQ(district.table.FinalSeatsColumn().Rows(), (Rows{"3", "2", "1", "1", "0"}));
  }
}

TEST(AllocateQuotaSeatsTest, CommaSettingsGiveTheSameSeats) {
  NumberSettings comma;
  comma.decimal_separator = ",";
  comma.group_separator = "\xC2\xA0";
  comma.group_size = 3;
  District district(kSampleVotes, 7, QuotaMethod::Hare, comma);
  district.Calculate();
  EXPECT_EQ(district.table.VoteShareColumn().Row(0), "36,48");
  EXPECT_EQ(district.table.QuotaRatioColumn().Row(0), "2,553");
  EXPECT_EQ(district.table.RemainderQueue().Row(4), "0,70053593    4");
  EXPECT_EQ(district.QueueParties(), (std::vector<int>{2, 3, 5, 1, 4}));
  EXPECT_EQ(district.table.FinalSeatsColumn().Rows(), (Rows{"3", "2", "1", "1", "0"}));
}

TEST(RemainderKeyTest, FillerKeepsThePartyNumberInTheLastThreePlaces) {
  const NumberSettings dot;
  EXPECT_EQ(RemainderKey(0.55337375, 1, dot), "0.55337375    1");
  EXPECT_EQ(RemainderKey(0.5, 12, dot), "0.5   12");
  EXPECT_EQ(RemainderKey(0, 100, dot), "0  100");
  EXPECT_EQ(RemainderKey(1, 7, dot), "1    7");
  EXPECT_EQ(RemainderKey(0.00004393, 3, dot), "0.00004393    3");
}

TEST(AllocateQuotaSeatsTest, TinyRemainderSortsBelowLargerOnes) {
  // A remainder of 0.00002 must stand first in the queue, not above every "0.…" key.
  District district({50001, 80000, 70000}, 4, QuotaMethod::Hare);
  district.Calculate();
  EXPECT_EQ(district.values.quota, 50000);
  EXPECT_EQ(district.table.RemainderQueue().Row(0), "0.00002    1");
  EXPECT_EQ(district.table.PreliminarySeatsColumn().Rows(), (Rows{"1", "1", "1"}));
  EXPECT_EQ(district.QueueParties(), (std::vector<int>{1, 3, 2}));
  EXPECT_EQ(district.table.FinalSeatsColumn().Rows(), (Rows{"1", "2", "1"}));
}

TEST(AllocateQuotaSeatsTest, ExactMultipleOfTheQuotaHasRemainderZero) {
  District district({300, 120}, 7, QuotaMethod::Hare);  // quota 60
  district.Allocate();
  EXPECT_EQ(district.values.quota, 60);
  EXPECT_EQ(district.table.RemainderQueue().Rows(), (Rows{"0    1", "0    2"}));
}

TEST(AllocateQuotaSeatsTest, RunningTwiceGivesTheSameColumns) {
  District district(kSampleVotes, 7, QuotaMethod::Hare);
  district.Calculate();
  const PartyTable first = district.table;
  district.Calculate();
  EXPECT_EQ(district.table, first);
  EXPECT_EQ(district.table.RemainderQueue().RowCount(), 5);
}

TEST(AllocateQuotaSeatsTest, FractionalPartyCountVisitsWholePartiesOnly) {
  District district({100, 100, 100}, 3, QuotaMethod::Hare);
  district.values.party_count = 2.6;
  district.Allocate();
  EXPECT_EQ(district.values.total_votes, 200);
  EXPECT_EQ(district.table.VoteShareColumn().RowCount(), 2);
  EXPECT_EQ(district.table.RemainderQueue().RowCount(), 2);
}

TEST(DistributeRemaindersTest, TiesGoToTheHigherPartyNumberFirst) {
  const struct {
    std::vector<int> votes;
    double seats;
    Rows final_seats;
  } cases[] = {
      {{10, 10, 10}, 2, {"0", "1", "1"}},
      {{100, 100}, 3, {"1", "2"}},
      {std::vector<int>(10, 100), 3, {"0", "0", "0", "0", "0", "0", "0", "1", "1", "1"}},
  };
  for (const auto& c : cases) {
    District district(c.votes, c.seats, QuotaMethod::Hare);
    district.Calculate();
    EXPECT_EQ(district.table.FinalSeatsColumn().Rows(), c.final_seats) << c.votes.size();
  }
}

TEST(DistributeRemaindersTest, TenEqualRemaindersQueueParty10AfterParty9) {
  District district(std::vector<int>(10, 100), 3, QuotaMethod::Hare);
  district.Allocate();
  EXPECT_EQ(district.values.quota, 333);
  EXPECT_EQ(district.table.RemainderQueue().Row(9), "0.3003003   10");
  EXPECT_EQ(district.table.RemainderQueue().Row(8), "0.3003003    9");
}

TEST(DistributeRemaindersTest, NoSeatLeftCopiesThePreliminarySeats) {
  District district({200, 100}, 3, QuotaMethod::Hare);  // quota 100, seats 2 + 1
  district.Calculate();
  EXPECT_EQ(district.table.FinalSeatsColumn().Rows(),
            district.table.PreliminarySeatsColumn().Rows());
}

TEST(DistributeRemaindersTest, SurplusPreliminarySeatsStay) {
  District district({50, 50}, 3, QuotaMethod::HagenbachBischoff);
  district.Calculate();
  EXPECT_EQ(district.values.quota, 25);
  EXPECT_EQ(district.table.FinalSeatsColumn().Rows(), (Rows{"2", "2"}));
  EXPECT_EQ(district.calculation.seats_left, 0);  // never negative: none is handed out
}

TEST(DistributeRemaindersTest, MoreSeatsLeftThanKeysGoRoundAgain) {
  District district({1, 1}, 5, QuotaMethod::Droop);
  district.Calculate();
  EXPECT_EQ(district.values.quota, 1);
  EXPECT_EQ(district.table.PreliminarySeatsColumn().Rows(), (Rows{"1", "1"}));
  EXPECT_EQ(district.table.FinalSeatsColumn().Rows(), (Rows{"2", "3"}));
}

TEST(DistributeRemaindersTest, RaisedTextHoldsPlainDigits) {
  District district({2500, 10}, 3, QuotaMethod::Hare);  // quota 836
  NumberSettings grouped;
  grouped.group_size = 1;  // grouping must never reach a seat text
  district.settings = grouped;
  district.Calculate();
  EXPECT_EQ(district.table.FinalSeatsColumn().Rows(), (Rows{"3", "0"}));
}

TEST(AllocateQuotaSeatsTest, ErrorsWhereTheNumbersFail) {
  {
    District district(std::vector<int>(22, 99999999), 7, QuotaMethod::Hare);
    EXPECT_THROW(district.Allocate(), OverflowError);
    EXPECT_EQ(district.values.total_votes, 21 * 99999999);  // the last sum that fitted
  }
  {
    District district({2147483647, 1}, 7, QuotaMethod::Hare);
    EXPECT_THROW(district.Allocate(), OverflowError);
  }
  {
    District district(kSampleVotes, 0, QuotaMethod::Hare);
    EXPECT_THROW(district.Allocate(), DivisionByZeroError);
    EXPECT_EQ(district.total_text, "159349");
    EXPECT_FALSE(district.values.quota.has_value());
  }
  {
    District district({2, 2}, 7, QuotaMethod::Hare);  // quota 0
    EXPECT_THROW(district.Allocate(), DivisionByZeroError);
    EXPECT_EQ(district.values.quota, 0);
  }
  {
    District district({300000000}, 0.1, QuotaMethod::Hare);
    EXPECT_THROW(district.Allocate(), OverflowError);
  }
}

TEST(PassesTest, MissingRowsRaiseInsteadOfReadingPastTheColumn) {
  District district(kSampleVotes, 7, QuotaMethod::Hare);
  district.values.party_count = 6;
  EXPECT_THROW(district.Allocate(), MissingRowError);

  District calculated(kSampleVotes, 7, QuotaMethod::Hare);
  calculated.Allocate();
  calculated.values.party_count = 6;
  EXPECT_THROW(DistributeRemainders(calculated.table, calculated.values, calculated.settings,
                                    calculated.calculation),
               MissingRowError);
}

// The record of a calculation: the hand-out order, the rounds and the ties the tie rule
// decided, for the choices the remainder pass makes.
TEST(CalculationRecordTest, HandOutRoundsAndTies) {
  const struct {
    const char* what;
    std::vector<int> votes;
    double seats;
    QuotaMethod method;
    std::vector<int> final_seats;
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
       std::vector<int>(10, 100),
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
    District district(c.votes, c.seats, c.method);
    district.Calculate();
    const Calculation& calculation = district.calculation;
    std::vector<int> final_seats;
    for (const PartyOutcome& party : calculation.parties) final_seats.push_back(party.final_seats);
    EXPECT_EQ(final_seats, c.final_seats) << c.what;
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

TEST(CalculationRecordTest, NumbersBehindTheTexts) {
  District district(kSampleVotes, 7, QuotaMethod::Droop);
  district.Calculate();
  const Calculation& calculation = district.calculation;
  EXPECT_EQ(calculation.total_votes, 159349);
  EXPECT_EQ(calculation.quota, 19919);
  EXPECT_EQ(calculation.queue, (std::vector<int>{2, 3, 5, 4, 1}));
  EXPECT_EQ(calculation.hand_out_order, (std::vector<int>{1, 4, 5, 3, 2}));
  const PartyOutcome& party4 = calculation.parties[3];
  EXPECT_EQ(party4.remainder_key, 80059240);
  EXPECT_EQ(party4.remainder_text, "0.8005924");
  EXPECT_EQ(party4.key, "0.8005924    4");
  EXPECT_EQ(party4.ratio_text, "0.801");
  EXPECT_EQ(party4.share_text, "10.01");
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(district.table.FinalSeatsColumn().Row(row),
              std::to_string(calculation.parties[static_cast<std::size_t>(row)].final_seats));
  }
}

// A district of a thousand parties has no key for party 1000.
TEST(AllocateQuotaSeatsTest, PartyNumbersBeyondTheKeyRaise) {
  District district(std::vector<int>(1000, 1), 7, QuotaMethod::Hare);
  EXPECT_THROW(district.Allocate(), OverflowError);
}

// Under a quota near 1.4 x 10^9 the remainders of 700000001 and 700000000 votes round to
// one key, 0.5: the key order serves party 2, the exact order party 1.
TEST(CalculationRecordTest, ExactRankingAndWhereTheKeysMergedRemainders) {
  District keyed({700000001, 700000000}, 1, QuotaMethod::Hare);
  keyed.Calculate();
  EXPECT_TRUE(RankEqual(keyed.calculation, 1, 2));
  const std::vector<KeyMerge> merges = KeyMerges(keyed.calculation);
  ASSERT_EQ(merges.size(), 1u);
  EXPECT_EQ(merges.back().ahead, 2);
  EXPECT_EQ(merges.back().behind, 1);
  EXPECT_TRUE(merges.back().seat);

  District exact({700000001, 700000000}, 1, QuotaMethod::Hare);
  exact.Allocate();
  RankRemaindersExactly(exact.calculation);
  DistributeRemainders(exact.table, exact.values, exact.settings, exact.calculation);
  EXPECT_EQ(exact.calculation.parties[0].final_seats, 1);
  EXPECT_EQ(exact.calculation.parties[1].final_seats, 0);
  EXPECT_TRUE(exact.calculation.ties.empty());
  EXPECT_FALSE(RankEqual(exact.calculation, 1, 2));
  EXPECT_TRUE(KeyMerges(exact.calculation).empty());

  // Equal exact remainders still tie, and the higher party number goes first.
  District tied({10, 10, 10}, 2, QuotaMethod::Hare);
  tied.Allocate();
  RankRemaindersExactly(tied.calculation);
  DistributeRemainders(tied.table, tied.values, tied.settings, tied.calculation);
  ASSERT_EQ(tied.calculation.ties.size(), 1u);
  EXPECT_EQ(tied.calculation.ties[0].served, (std::vector<int>{3, 2}));
}

}  // namespace
}  // namespace mandati

namespace mandati {
namespace {

// The calculation from numbers refuses each limit by name, with the value that failed it.
TEST(CalculateQuotaSeatsTest, RefusesEachLimitNamingTheValue) {
  const struct {
    QuotaMethod method;
    std::vector<std::int32_t> votes;
    std::int32_t seats;
    CalculationLimit limit;
    std::int64_t value;
  } cases[] = {
      {QuotaMethod::Hare, {}, 7, CalculationLimit::kPartyCount, 0},
      {QuotaMethod::Hare, std::vector<std::int32_t>(1000, 1), 7, CalculationLimit::kPartyCount,
       1000},
      {QuotaMethod::Hare, {5, 0}, 7, CalculationLimit::kVotes, 0},
      {QuotaMethod::Hare, {5}, 32768, CalculationLimit::kSeatCount, 32768},
      {QuotaMethod::Droop, {2147483647, 2}, 7, CalculationLimit::kTotalVotes, 2147483649},
      {QuotaMethod::Hare, {5}, 0, CalculationLimit::kNoQuotaDivisor, 0},
      {QuotaMethod::Imperiali, {3, 3}, 7, CalculationLimit::kQuotaZero, 6},
      {QuotaMethod::Hare, {65000, 1}, 32767, CalculationLimit::kPreliminarySeats, 65000},
  };
  for (const auto& c : cases) {
    try {
      CalculateQuotaSeats(c.method, c.votes, c.seats, Ranking::kKeys);
      ADD_FAILURE() << "no refusal for limit " << static_cast<int>(c.limit);
    } catch (const CalculationLimitError& error) {
      EXPECT_EQ(error.Limit(), c.limit);
      EXPECT_EQ(error.Value(), c.value);
      EXPECT_EQ(error.SeatCount(), c.seats);
    }
  }
  // Droop with 0 seats has a quota: every party's votes are one full quota and more.
  EXPECT_EQ(CalculateQuotaSeats(QuotaMethod::Droop, std::vector<std::int32_t>{5}, 0, Ranking::kKeys)
                .quota,
            6);
}

}  // namespace
}  // namespace mandati

namespace mandati {
namespace {

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
        CalculateQuotaSeats(QuotaMethod::Hare, c.votes, c.seats, Ranking::kKeys, c.rule);
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
