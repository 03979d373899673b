// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/margins.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/errors.h"

namespace mandati {
namespace {

using Votes = std::vector<std::int32_t>;
constexpr std::optional<std::int64_t> kNone;

// The seats of party `party` (from 0) with `with` votes, the others' as they are; none for a
// count the calculation refuses (a given total below the listed votes among them).
std::optional<std::int32_t> SeatsWith(Method method, Votes votes, std::int32_t seat_count,
                                      const MethodRules& rules, std::size_t party,
                                      std::int64_t with) {
  if (with < 1 || with > kMaxVotes) return std::nullopt;
  votes[party] = static_cast<std::int32_t>(with);
  try {
    return CalculateMethod(method, votes, seat_count, rules).final_seats[party];
  } catch (const LimitError&) {
    return std::nullopt;
  }
}

MethodRules RankedBy(Ranking ranking) {
  MethodRules rules;
  rules.ranking = ranking;
  return rules;
}

// Every method, Hare-Niemeyer too.
std::vector<Method> EveryMethod() {
  std::vector<Method> methods = AllMethods();
  methods.emplace_back(QuotaMethod::HareNiemeyer);
  return methods;
}

TEST(SeatMarginsTest, HandCheckedDistricts) {
  const struct {
    Method method;
    Ranking ranking;
    Votes votes;
    std::int32_t seat_count;
    std::size_t party;
    SeatMargin margin;
  } cases[] = {
      // Quota 8: remainders 4 and 5. With 24 votes party 1 has 2 full quotas of 9 and the
      // larger remainder (6); with 25 the quota is 10 and equal remainders (5) serve party 2:
      // the seat won at +4 is lost again at +5. Down to 5 votes (quota 3, remainders 2 and 2)
      // party 1 keeps 2 seats.
      {QuotaMethod::Hare, Ranking::kKeys, {20, 5}, 3, 0, {2, 4, 15}},
      // Party 2 draws level at 20 votes: quota 13, remainders 7 and 7; at 3 votes its remainder
      // 3 falls behind 6 (quota 7).
      {QuotaMethod::Hare, Ranking::kKeys, {20, 5}, 3, 1, {1, 15, 2}},
      // Quota 3: 1 + 3 full quotas for 3 seats, none taken away. At 8 votes party 1 has 2 full
      // quotas of 4 (again 4 in all), at 9 the quota is 5 and it has 1; at 2 votes it has none.
      {QuotaMethod::HagenbachBischoff, Ranking::kKeys, {3, 11}, 3, 0, {1, 5, 1}},
      // Party 2 has 4 full quotas with 12 votes (quota 3), and 2 of quota 2 with 5 votes.
      {QuotaMethod::HagenbachBischoff, Ranking::kKeys, {3, 11}, 3, 1, {3, 1, 6}},
      // Every seat: it cannot win one. At 3 votes (quota 2) the remainders 1 and 1 serve party 2.
      {QuotaMethod::Hare, Ranking::kKeys, {10, 1}, 2, 0, {2, kNone, 7}},
      // No seat to lose; at 4 votes its remainder 4 beats 3 (quota 7).
      {QuotaMethod::Hare, Ranking::kKeys, {10, 1}, 2, 1, {0, 3, kNone}},
      // Quota 2560: parties 1 and 2 both have 1287 votes left over, the third seat left. The
      // 8-decimal key rounds 1287 / 2560 = 0.502734375 up for party 1 (50273438) and down for
      // party 2, whose ratio 8.502734375 the division does not hold exactly (50273437): the
      // keys give party 1 the seat, the exact remainders give it to party 2.
      {QuotaMethod::Hare, Ranking::kExact, {1287, 21767, 2546}, 10, 0, {0, 1, kNone}},
      // By keys party 1 loses it with 1286 votes (quota 2559, remainder 1286 against 1294), and
      // gets a second seat with 4488 votes (quota 2880: remainder 1608 against 1607 of party
      // 2, which has 7 full quotas now, 3 seats left).
      {QuotaMethod::Hare, Ranking::kKeys, {1287, 21767, 2546}, 10, 0, {1, 3201, 1}},
      // The total may not pass kMaxVotes, so party 2's remainder never passes party 1's.
      {QuotaMethod::Hare, Ranking::kKeys, {kMaxVotes - 1, 1}, 1, 0, {1, kNone, kMaxVotes - 2}},
      {QuotaMethod::Hare, Ranking::kKeys, {kMaxVotes - 1, 1}, 1, 1, {0, kNone, kNone}},
      // Averages 100, 50 against 1: party 1 keeps its second seat down to 3 votes (2 / 2 ties
      // with 1 / 1, and the higher party number comes first); party 2 ties 100 / 2 at 50.
      {DivisorMethod::DHondt, Ranking::kKeys, {100, 1}, 2, 0, {2, kNone, 98}},
      {DivisorMethod::DHondt, Ranking::kKeys, {100, 1}, 2, 1, {0, 49, kNone}},
      {DivisorMethod::SainteLague, Ranking::kKeys, {18, 6}, 1, 0, {1, kNone, 12}},
      {DivisorMethod::SainteLague, Ranking::kKeys, {18, 6}, 1, 1, {0, 12, kNone}},
      // Equal averages at the limit: party 2 has the seat, party 1 cannot have more votes.
      {DivisorMethod::DHondt, Ranking::kKeys, {kMaxVotes, kMaxVotes}, 1, 0, {0, kNone, kNone}},
      {DivisorMethod::DHondt, Ranking::kKeys, {kMaxVotes, kMaxVotes}, 1, 1, {1, kNone, 1}},
  };
  for (const auto& c : cases) {
    const std::vector<SeatMargin> margins =
        SeatMargins(c.method, c.votes, c.seat_count, RankedBy(c.ranking));
    EXPECT_EQ(margins.at(c.party), c.margin)
        << KeywordOf(c.method) << " party " << c.party + 1 << " votes " << c.votes[0];
  }
}

// The law's options the districts below are calculated under, one set per district: the
// tie rule by votes, each kind of threshold (of the listed votes, of a given total that caps
// them, with an exempt party) and a first divisor.
MethodRules RulesOfDistrict(int district, std::int64_t listed) {
  using enum ThresholdKind;
  MethodRules rules;
  switch (district % 8) {
    case 1:
      rules.tie_rule = TieRule::kVotes;
      break;
    case 2:
      rules.threshold = {kShare, {20, 0}, 0, {}, {}};
      break;
    case 3:
      rules.threshold = {kShare, {125, 1}, 0, {}, {1}};
      break;
    case 4:
      rules.threshold = {kVotes, {}, 9, {}, {}};
      break;
    case 5:
      rules.threshold = {kQuota, {}, 0, {}, {}};
      break;
    case 6:
      rules.threshold = {kShare, {15, 0}, 0, listed + 25, {}};
      break;
    case 7:
      rules.threshold = {kQuota, {}, 0, {}, {2}};
      rules.tie_rule = TieRule::kVotes;
      rules.first_divisor = {14, 1};
      break;
    default:
      break;
  }
  return rules;
}

// Every margin of random small districts under every method, ranking and set of options against
// trying every count of votes from 1 up, with the whole calculation each time. Gains are tried
// up to kReach extra votes, losses down to 1 vote.
TEST(SeatMarginsTest, AgreeWithTryingEveryCount) {
  constexpr std::int64_t kReach = 1000;
  std::mt19937 random(2024);
  for (int district = 0; district < 120; ++district) {
    Votes votes(2 + random() % 5);
    for (std::int32_t& party_votes : votes)
      party_votes = 1 + static_cast<std::int32_t>(random() % 30);
    const auto seat_count = static_cast<std::int32_t>(random() % 13);
    MethodRules rules = RulesOfDistrict(district, TotalOf(votes));
    for (const Method method : EveryMethod()) {
      for (const Ranking ranking : {Ranking::kKeys, Ranking::kExact}) {
        rules.ranking = ranking;
        std::vector<SeatMargin> margins;
        try {
          margins = SeatMargins(method, votes, seat_count, rules);
        } catch (const CalculationLimitError&) {
          continue;  // Hare without seats, a quota of 0, no party over the bar
        }
        for (std::size_t party = 0; party < votes.size(); ++party) {
          const SeatMargin& margin = margins[party];
          std::optional<std::int64_t> gain;
          std::optional<std::int64_t> loss;
          for (std::int64_t x = 1; x <= kReach && !gain; ++x) {
            const auto seats = SeatsWith(method, votes, seat_count, rules, party, votes[party] + x);
            if (seats && *seats > margin.seats) gain = x;
          }
          for (std::int64_t x = 1; x < votes[party] && !loss; ++x) {
            const auto seats = SeatsWith(method, votes, seat_count, rules, party, votes[party] - x);
            if (seats && *seats < margin.seats) loss = x;
          }
          const std::string where =
              std::string(KeywordOf(method)) + " options " + std::to_string(district % 8) +
              " seats " + std::to_string(seat_count) + " party " + std::to_string(party + 1) +
              " district " + std::to_string(district);
          EXPECT_EQ(margin.gain.value_or(kReach + 1) > kReach ? kNone : margin.gain, gain) << where;
          EXPECT_EQ(margin.loss, loss) << where;
        }
      }
    }
  }
}

// Districts with votes up to the limits, where quotas pass 10^8 and 8-decimal keys of different
// remainders are equal: the seats change at each margin and not in the counts just before it.
TEST(SeatMarginsTest, LargeDistrictsChangeSeatsAtTheirMargins) {
  constexpr std::int64_t kBefore = 40;
  std::mt19937 random(77);
  for (int district = 0; district < 20; ++district) {
    Votes votes(2 + random() % 4);
    for (std::int32_t& party_votes : votes) {
      party_votes = 1 + static_cast<std::int32_t>(random() % (kMaxVotes / votes.size()));
    }
    const auto seat_count = static_cast<std::int32_t>(1 + random() % 5);
    for (const Method method : EveryMethod()) {
      const std::vector<SeatMargin> margins = SeatMargins(method, votes, seat_count, MethodRules{});
      for (std::size_t party = 0; party < votes.size(); ++party) {
        const SeatMargin& margin = margins[party];
        const auto seats_with = [&](std::int64_t with) {
          return SeatsWith(method, votes, seat_count, MethodRules{}, party, with)
              .value_or(margin.seats);
        };
        for (const int direction : {1, -1}) {
          const std::optional<std::int64_t> moved = direction > 0 ? margin.gain : margin.loss;
          // Whether the party holds more seats (fewer, for the loss) `x` votes away.
          const auto changed = [&](std::int64_t x) {
            const std::int32_t seats = seats_with(votes[party] + direction * x);
            return direction > 0 ? seats > margin.seats : seats < margin.seats;
          };
          if (!moved) continue;
          EXPECT_TRUE(changed(*moved)) << KeywordOf(method) << " party " << party + 1;
          for (std::int64_t x = std::max<std::int64_t>(1, *moved - kBefore); x < *moved; ++x) {
            EXPECT_FALSE(changed(x)) << KeywordOf(method) << " party " << party + 1 << " " << x;
          }
        }
      }
    }
  }
}

TEST(SeatMarginsTest, RefusesWhatTheCalculationRefuses) {
  EXPECT_THROW(SeatMargins(QuotaMethod::Hare, Votes{5, 3}, 0, MethodRules{}),
               CalculationLimitError);
  EXPECT_THROW(SeatMargins(DivisorMethod::DHondt, Votes{5, 0}, 2, MethodRules{}),
               CalculationLimitError);
  MethodRules rules;
  rules.first_divisor = {9, 1};
  EXPECT_THROW(SeatMargins(DivisorMethod::SainteLague, Votes{5, 3}, 2, rules), RuleError);
}

// Under a 60 % bar party 2 alone takes part, with 32,767 votes: Hare's quota for 32,767 seats
// is 1, its full quotas just within the limit. Party 1 passes the bar from 49,151 votes, where
// party 2 falls under it, but a quota of 1 gives it more than 32,767 full quotas, which the
// calculation refuses, up to 65,533 votes; with 65,534 the quota is 2 and it holds every seat.
TEST(SeatMarginsTest, APartyCrossingTheBarWithTooManyFullQuotas) {
  MethodRules rules;
  rules.threshold = {ThresholdKind::kShare, {60, 0}, 0, {}, {}};
  const Votes votes{1, 32767};
  EXPECT_FALSE(SeatsWith(QuotaMethod::Hare, votes, 32767, rules, 0, 65533));
  EXPECT_EQ(SeatsWith(QuotaMethod::Hare, votes, 32767, rules, 0, 65534), 32767);
  EXPECT_EQ(SeatMargins(QuotaMethod::Hare, votes, 32767, rules),
            (std::vector<SeatMargin>{{0, 65533, kNone}, {32767, kNone, kNone}}));
}

}  // namespace
}  // namespace mandati
