// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/threshold.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "core/errors.h"
#include "core/method_choice.h"

namespace mandati {
namespace {

using Parties = std::vector<std::int32_t>;
using enum ThresholdKind;

// Every bar worked out by hand; votes_needed is the bar rounded up.
TEST(ApplyThresholdTest, EachBaseAndKindWithTheBarExactlyMet) {
  const struct {
    Threshold threshold;
    Parties votes;
    std::int32_t seats;
    std::int64_t votes_needed;
    Parties over;
  } cases[] = {
      // clang-format off
      // 4 % of 2,505,272 listed votes is 100,210.88.
      {{kShare, {4, 0}, 0, {}, {}}, {100211, 100210, 2304851}, 240, 100211, {1, 3}},
      // 3.5 % of 1,000 valid votes is 35, met exactly; of the 971 listed it would be 33.985.
      {{kShare, {35, 1}, 0, 1000, {}}, {35, 34, 902}, 5, 35, {1, 3}},
      {{kVotes, {}, 100, {}, {}}, {100, 99, 500}, 5, 100, {1, 3}},
      // Hare's quotient of the listed votes: 1,000 / 10 seats = 100, 1,000 / 3 = 333⅓.
      {{kQuota, {}, 0, {}, {}}, {600, 99, 300, 1}, 10, 100, {1, 3}},
      {{kQuota, {}, 0, {}, {}}, {600, 99, 300, 1}, 3, 334, {1}},
      // The 2019 European Parliament lists and a made-up one of 114,958 votes, with a total of
      // 17 × 114,959 votes, which gives the published bar of 114,959.
      {{kQuota, {}, 0, 17 * 114959, {}}, {607194, 474160, 323510, 143830, 118484, 114958}, 17,
       114959, {1, 2, 3, 4, 5}},
      {{kQuota, {}, 0, {}, {4, 1}}, {600, 99, 300, 1}, 10, 100, {1, 3, 4}},
      // clang-format on
  };
  for (const auto& c : cases) {
    const ThresholdOutcome outcome = ApplyThreshold(c.threshold, c.votes, c.seats);
    EXPECT_EQ(outcome.votes_needed, c.votes_needed) << c.votes.size();
    EXPECT_EQ(outcome.over, c.over) << c.votes.size();
  }
  const ThresholdOutcome exempt = ApplyThreshold(cases[6].threshold, cases[6].votes, 10);
  EXPECT_EQ(exempt.under, (Parties{2}));
  EXPECT_EQ(exempt.exempt_under, (Parties{4}));
  EXPECT_EQ(ApplyThreshold(cases[0].threshold, cases[0].votes, 240).bar, (Fraction{2505272, 25}));
}

TEST(ApplyThresholdTest, RefusesOptionsOutOfTheirLimitsAndABarNobodyReaches) {
  const Parties votes{5, 6};
  EXPECT_THROW(ApplyThreshold({kShare, {100001, 3}, 0, {}, {}}, votes, 2), RuleError);
  EXPECT_THROW(ApplyThreshold({kShare, {4, 0}, 0, 10, {}}, votes, 2), RuleError);  // 11 listed
  EXPECT_THROW(ApplyThreshold({kVotes, {}, 1, {}, {3}}, votes, 2), RuleError);
  // Hare's quotient of 11 votes for 1 seat is 11, which no party has.
  try {
    ApplyThreshold({kQuota, {}, 0, {}, {}}, votes, 1);
    ADD_FAILURE() << "no refusal";
  } catch (const CalculationLimitError& error) {
    EXPECT_EQ(error.Limit(), CalculationLimit::kThreshold);
    EXPECT_EQ(error.Value(), 11);
  }
}

// July 2021 with all 22 lists: 4 % of the listed votes keeps 6 in, and Hare-Niemeyer among
// them gives the official seats. The lists under the bar keep their votes and shares.
TEST(OnWholeDistrictTest, PartiesUnderTheBarKeepTheirPlaceWithNoSeats) {
  const Parties votes{657824, 642165, 365695, 345329, 292439, 136879, 85796, 82147,
                      49833,  12661,  10308,  8553,   7875,   4741,   4690,  4304,
                      3948,   3445,   3257,   3143,   2187,   862};
  MethodRules rules;
  rules.threshold = {kShare, {4, 0}, 0, {}, {}};
  const MethodOutcome outcome = CalculateMethod(QuotaMethod::HareNiemeyer, votes, 240, rules);
  Parties expected{65, 63, 36, 34, 29, 13};
  expected.resize(votes.size(), 0);
  EXPECT_EQ(outcome.final_seats, expected);
  const Calculation& record = *outcome.quota;
  EXPECT_NEAR(record.parties[6].share, 3.14492, 1e-5);  // of all 2,728,081 listed votes
  // The queue holds the six parties over the bar, by their numbers in the district.
  std::vector<int> queued = record.queue;
  std::sort(queued.begin(), queued.end());
  EXPECT_EQ(queued, (std::vector<int>{1, 2, 3, 4, 5, 6}));

  // D'Hondt on 600 and 300 with 99 and 1 votes under the bar: averages 600, 300, 300, 200,
  // 150, 150, 120, 100, 100, 85.7 give 7 and 3 seats; the tie at 300 goes to party 3 first.
  rules.threshold = {kQuota, {}, 0, {}, {}};
  const MethodOutcome divisors =
      CalculateMethod(DivisorMethod::DHondt, Parties{600, 99, 300, 1}, 10, rules);
  EXPECT_EQ(divisors.final_seats, (Parties{7, 0, 3, 0}));
  EXPECT_EQ(divisors.divisors->awards[1].party, 3);
}

// The bar of Hare's quotient falls as seats are added: party 3 is in from 4 seats on, party 2
// from 11. Every row of the sweep is the district calculated afresh at that count.
TEST(SweepMethodTest, AQuotaBarLetsPartiesInAsSeatsAreAdded) {
  const Parties votes{600, 99, 300, 1};
  MethodRules rules;
  rules.threshold = {kQuota, {}, 0, {}, {}};
  for (const Method method : {Method{DivisorMethod::DHondt}, Method{DivisorMethod::SainteLague},
                              Method{QuotaMethod::HareNiemeyer}}) {
    const SeatSweep sweep = SweepMethod(method, votes, 2, 14, rules);
    for (const SweepRow& row : sweep.rows) {
      EXPECT_EQ(row.final_seats, CalculateMethod(method, votes, row.seat_count, rules).final_seats)
          << KeywordOf(method) << " " << row.seat_count;
    }
    EXPECT_EQ(sweep.rows[1].final_seats, (Parties{3, 0, 0, 0}));  // 3 seats: party 1 alone
  }
}

}  // namespace
}  // namespace mandati
