#include "cli/calculation.h"

#include <gtest/gtest.h>

#include "cli/cli_errors.h"

namespace mandati::cli {
namespace {

using Texts = std::vector<std::string>;

District DistrictOf(std::int16_t seats, const std::vector<std::int32_t>& votes) {
  District district;
  district.seats = seats;
  for (const std::int32_t v : votes) district.parties.push_back(Party{"", v});
  return district;
}

const District kSample = DistrictOf(7, {58125, 45871, 27142, 15947, 12264});

Texts Column(const QuotaOutcome& outcome, std::string PartyFigures::*figure) {
  Texts texts;
  for (const PartyFigures& party : outcome.parties) texts.push_back(party.*figure);
  return texts;
}

std::vector<int> QueueParties(const QuotaOutcome& outcome) {
  std::vector<int> parties;
  for (const QueueEntry& entry : outcome.queue) parties.push_back(entry.party);
  return parties;
}

TEST(CalculateTest, SampleDistrictUnderEachQuota) {
  const struct {
    QuotaMethod method;
    std::int32_t quota;
    Texts ratios;
    std::vector<int> queue;
  } cases[] = {
      {QuotaMethod::Hare, 22764, {"2.553", "2.015", "1.192", "0.701", "0.539"}, {4, 1, 5, 3, 2}},
      {QuotaMethod::Droop, 19919, {"2.918", "2.303", "1.363", "0.801", "0.616"}, {1, 4, 5, 3, 2}},
      {QuotaMethod::HagenbachBischoff,
       19918,
       {"2.918", "2.303", "1.363", "0.801", "0.616"},
       {1, 4, 5, 3, 2}},
  };
  for (const auto& c : cases) {
    const QuotaOutcome outcome = Calculate(kSample, c.method);
    EXPECT_EQ(outcome.method, c.method);
    EXPECT_EQ(outcome.total_text, "159349");
    EXPECT_EQ(outcome.quota, c.quota);
    EXPECT_EQ(Column(outcome, &PartyFigures::preliminary_seats), (Texts{"2", "2", "1", "0", "0"}));
    EXPECT_EQ(Column(outcome, &PartyFigures::final_seats), (Texts{"3", "2", "1", "1", "0"}));
    EXPECT_EQ(Column(outcome, &PartyFigures::quota_ratio), c.ratios);
    EXPECT_EQ(Column(outcome, &PartyFigures::vote_share),
              (Texts{"36.48", "28.79", "17.03", "10.01", "7.70"}));
    EXPECT_EQ(QueueParties(outcome), c.queue);
  }
}

TEST(CalculateTest, QueueHoldsTheRemaindersLargestFirst) {
  const QuotaOutcome outcome = Calculate(kSample, QuotaMethod::Droop);
  ASSERT_EQ(outcome.queue.size(), 5u);
  EXPECT_EQ(outcome.queue[0].remainder, "0.91806818");
  EXPECT_EQ(outcome.queue[1].remainder, "0.8005924");
  EXPECT_EQ(outcome.queue[4].remainder, "0.30287665");
  EXPECT_EQ(SeatsLeft(outcome, kSample.seats), 2);
  EXPECT_EQ(LeftoverSeatOrder(outcome, kSample.seats), (std::vector<int>{1, 4}));
}

// The remainder pass's choices that the window makes and this program keeps.
TEST(CalculateTest, TiesRoundsAndSurplusAsTheWindowDecides) {
  const struct {
    const char* what;
    District district;
    QuotaMethod method;
    Texts final_seats;
    std::vector<int> leftover_order;
  } cases[] = {
      {"equal remainders, higher number first",
       DistrictOf(2, {10, 10, 10}),
       QuotaMethod::Hare,
       {"0", "1", "1"},
       {3, 2}},
      {"two equal parties, odd seats",
       DistrictOf(3, {100, 100}),
       QuotaMethod::Hare,
       {"1", "2"},
       {2}},
      {"party 10 before party 9",
       DistrictOf(3, std::vector<std::int32_t>(10, 100)),
       QuotaMethod::Hare,
       {"0", "0", "0", "0", "0", "0", "0", "1", "1", "1"},
       {10, 9, 8}},
      {"more seats left than parties",
       DistrictOf(5, {1, 1}),
       QuotaMethod::Droop,
       {"2", "3"},
       {2, 1, 2}},
      {"surplus preliminary seats stay",
       DistrictOf(3, {50, 50}),
       QuotaMethod::HagenbachBischoff,
       {"2", "2"},
       {}},
      {"tiny remainder last",
       DistrictOf(4, {50001, 80000, 70000}),
       QuotaMethod::Hare,
       {"1", "2", "1"},
       {2}},
      {"no seat left", DistrictOf(3, {200, 100}), QuotaMethod::Hare, {"2", "1"}, {}},
  };
  for (const auto& c : cases) {
    const QuotaOutcome outcome = Calculate(c.district, c.method);
    EXPECT_EQ(Column(outcome, &PartyFigures::final_seats), c.final_seats) << c.what;
    EXPECT_EQ(LeftoverSeatOrder(outcome, c.district.seats), c.leftover_order) << c.what;
  }
}

// The queue compares remainders rounded to 8 decimals, as the window does: under a quota
// near 1.4 x 10^9 the two remainders below differ by 7 x 10^-10 and share the key
// "0.5", so the tie rule gives the seat to party 2, one vote behind party 1.
TEST(CalculateTest, RemaindersCloserThanTheKeysShowAreTied) {
  const District district = DistrictOf(1, {700000001, 700000000});
  const QuotaOutcome outcome = Calculate(district, QuotaMethod::Hare);
  EXPECT_EQ(outcome.quota, 1400000001);
  ASSERT_EQ(outcome.queue.size(), 2u);
  EXPECT_EQ(outcome.queue[0].remainder, "0.5");
  EXPECT_EQ(outcome.queue[1].remainder, "0.5");
  EXPECT_EQ(Column(outcome, &PartyFigures::final_seats), (Texts{"0", "1"}));
}

TEST(CalculateTest, SurplusLeavesNoSeatToHandOut) {
  const District district = DistrictOf(3, {50, 50});
  const QuotaOutcome outcome = Calculate(district, QuotaMethod::HagenbachBischoff);
  EXPECT_EQ(outcome.quota, 25);
  EXPECT_EQ(SeatTotal(outcome.parties, &PartyFigures::preliminary_seats), 4);
  EXPECT_EQ(SeatsLeft(outcome, district.seats), 0);
}

TEST(CalculateTest, CalculationsThatCannotBeDone) {
  const struct {
    District district;
    QuotaMethod method;
    const char* message;
  } cases[] = {
      {DistrictOf(7, {2, 2}), QuotaMethod::Hare,
       "Квота на Хеър = floor(4 / 7) = 0: too few votes for the seats, and no votes can be "
       "divided by a quota of 0"},
      {DistrictOf(7, {3, 4}), QuotaMethod::HagenbachBischoff,
       "Квота на Хагенбах-Бишоф = floor(7 / 8) = 0: too few votes for the seats, and no votes "
       "can be divided by a quota of 0"},
      {DistrictOf(7, {2147483647, 1}), QuotaMethod::Droop,
       "the total of votes is beyond 2147483647, the most the calculator can add up"},
      {DistrictOf(32767, {65000, 1}), QuotaMethod::Hare,
       "Квота на Хеър = 1: a party's preliminary seats are beyond 32767 (outside the 16-bit "
       "range)"},
  };
  for (const auto& c : cases) {
    try {
      Calculate(c.district, c.method);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const CalculationError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

TEST(CalculateTest, DroopNeverHasAQuotaOfZero) {
  const QuotaOutcome outcome = Calculate(DistrictOf(7, {2, 2}), QuotaMethod::Droop);
  EXPECT_EQ(outcome.quota, 1);
  // 2 + 2 preliminary seats, then 3 leftover seats round the queue: party 2, 1, 2.
  EXPECT_EQ(Column(outcome, &PartyFigures::final_seats), (Texts{"3", "4"}));
}

}  // namespace
}  // namespace mandati::cli
