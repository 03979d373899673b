// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Seat methods beside the quotas, and the measures that compare them on one district:
//   AllocateByDivisors   highest averages (D'Hondt, Sainte-Laguë), compared exactly in integers
//   SweepSeatCounts      one allocation per seat count of a range, and every Alabama paradox in it
//   MeasureDisproportionality  the Gallagher and Loosemore–Hanby indices of one allocation
// Party i is element i - 1 of every per-party vector; party numbers in the results start at 1.
// Inputs beyond the calculator's limits raise LimitError (core/errors.h).

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/election_rules.h"
#include "core/party_table.h"

namespace mandati {

inline constexpr std::int32_t kMaxSweepCounts = 1000;

enum class DivisorMethod { DHondt, SainteLague };

// One divisor method: its names and its divisors. A party that has already won s seats
// competes for its next seat with the average V / (1 + step × s), V its votes; Sainte-Laguë
// may start from another first divisor D instead of 1 (AllocateByDivisors).
struct DivisorRule {
  DivisorMethod method;
  std::string_view name;          // the Bulgarian name, as texts show it
  std::string_view keyword;       // the command line's word for it
  std::string_view divisors;      // the divisors in letters
  std::string_view average_rule;  // the average in letters, s the seats already won
  std::int32_t step;
};

inline constexpr std::array<DivisorRule, 2> kDivisorRules{{
    {DivisorMethod::DHondt, "Метод на Д'Онт", "dhondt", "1, 2, 3, …", "V / (s + 1)", 1},
    {DivisorMethod::SainteLague, "Метод на Сент-Лагю", "sainte-lague", "1, 3, 5, …", "V / (2s + 1)",
     2},
}};

// The rule of a method; an impossible method number is a programming error (std::logic_error).
const DivisorRule& DivisorRuleOf(DivisorMethod method);

// An average as the exact fraction votes / (divisor / scale): the scale is 1 but for a first
// divisor with decimals, 1.4 being {votes, 14, 10}. == compares the fraction as written
// (20000 / 1 is not 100000 / 5); the allocation compares values.
struct Average {
  std::int32_t votes;
  std::int32_t divisor;
  std::int32_t scale = 1;
  friend bool operator==(const Average&, const Average&) = default;
};

// Whether party `party_a`'s claim at `a` is served before party `party_b`'s at `b`: the larger
// average first, compared exactly; among equal averages the one the tie rule serves first.
bool ServedBefore(TieRule rule, const Average& a, std::int32_t party_a, const Average& b,
                  std::int32_t party_b);

// A party's claim on its next seat after `seats_won` seats: its votes over the first divisor
// (Sainte-Laguë's may be another, D'Hondt's is 1), then over 1 + step x seats_won.
Average ClaimAverage(const DivisorRule& rule, const Decimal& first_divisor, std::int32_t votes,
                     std::int32_t seats_won);

// Seat `seat` (1 for the first seat won) went to party `party` at `average`.
struct DivisorSeat {
  std::int32_t seat;
  std::int32_t party;
  Average average;
  friend bool operator==(const DivisorSeat&, const DivisorSeat&) = default;
};

// Parties whose averages equal the last seat's average, where some won a seat at that average
// and some did not: the tie rule decided between them. Both lists run in the tie rule's order
// (the higher party number first, or more votes first).
struct DivisorTie {
  Average average;
  std::vector<std::int32_t> served;       // won a seat at this average
  std::vector<std::int32_t> passed_over;  // would have been served next
  // kVotes where the votes told the last party served from the first passed over, kOrder
  // where the party order did (see DecidingRule).
  TieRule decided_by = TieRule::kOrder;
  // Each party's own average, the served ones' and then the passed over ones', in list order:
  // all equal to `average`, each as that party's votes over its divisor (4 / 2 beside 2 / 1).
  std::vector<Average> averages;
  friend bool operator==(const DivisorTie&, const DivisorTie&) = default;
};

struct DivisorAllocation {
  std::vector<std::int32_t> seats;  // per party
  std::vector<DivisorSeat> awards;  // in the order the seats were won
  // At most one tie can straddle the last seat: the averages of the awards never rise.
  std::optional<DivisorTie> tie;
};

// Highest averages: each seat in turn goes to the party with the largest average. Averages
// are compared exactly (a/b against c/d as a·d against c·b); among equal averages the tie
// rule serves first the higher party number (the default, as the largest-remainder hand-out
// serves equal remainders) or the party with more votes. `first_divisor` is Sainte-Laguë's
// first divisor D (D, 3, 5, …; see CheckFirstDivisor); D'Hondt takes only 1.
// Takes 1 to kMaxParties parties, each with at least 1 vote, and 0 to kMaxSeats seats;
// anything else raises LimitError, a first divisor out of its limits RuleError.
DivisorAllocation AllocateByDivisors(DivisorMethod method, std::span<const std::int32_t> votes,
                                     std::int32_t seat_count, TieRule tie_rule = TieRule::kOrder,
                                     Decimal first_divisor = kPlainFirstDivisor);

// The claim that wins seat `seat` (from 1): AllocateByDivisors(method, votes, seat, tie_rule,
// first_divisor).awards.back(), without the rest of the allocation.
DivisorSeat ClaimForSeat(DivisorMethod method, std::span<const std::int32_t> votes,
                         std::int32_t seat, TieRule tie_rule = TieRule::kOrder,
                         Decimal first_divisor = kPlainFirstDivisor);

// The limits every calculation from numbers checks: 1 to kMaxParties parties, each with at
// least 1 vote, and 0 to kMaxSeats seats; CalculationLimitError names the value that failed.
void CheckDistrict(std::span<const std::int32_t> votes, std::int32_t seat_count);

// A party's final seats for one seat count, under any method.
using FinalSeatsFor = std::function<std::vector<std::int32_t>(std::int32_t seat_count)>;

struct SweepRow {
  std::int32_t seat_count;
  std::vector<std::int32_t> final_seats;  // per party
};

// Party `party` had `before` seats at seat count `seat_count` and fewer, `after`, at one seat
// more.
struct AlabamaParadox {
  std::int32_t party;
  std::int32_t seat_count;
  std::int32_t before;
  std::int32_t after;
  friend bool operator==(const AlabamaParadox&, const AlabamaParadox&) = default;
};

struct SeatSweep {
  std::vector<SweepRow> rows;             // one per seat count, ascending
  std::vector<AlabamaParadox> paradoxes;  // by seat count, then party
};

// Each party's seats under a divisor method for seat counts asked in rising order (a lower
// count than the one before raises std::logic_error): one hand-out that goes on from the count
// before, a seat at a time, so that a sweep hands out each seat once. Every count gives
// AllocateByDivisors(method, votes, count, tie_rule, first_divisor).seats, and is checked as
// that checks it (the rules at once, the district at each count). The function refers to
// `votes`, which must outlive it.
FinalSeatsFor DivisorSeatsUpwards(DivisorMethod method, std::span<const std::int32_t> votes,
                                  TieRule tie_rule = TieRule::kOrder,
                                  Decimal first_divisor = kPlainFirstDivisor);

// Calls `final_seats` for every seat count from `first` to `last`, in rising order, and
// compares neighbours.
// The range must lie within 0 to kMaxSeats, with first ≤ last and at most kMaxSweepCounts
// counts; otherwise LimitError. Errors of `final_seats` pass through. Every call must return
// the same number of parties (std::logic_error otherwise).
SeatSweep SweepSeatCounts(const FinalSeatsFor& final_seats, std::int32_t first, std::int32_t last);

// The same sweep row by row, for a caller that writes each row as it comes instead of holding
// them all: `on_row` gets each row in turn with the paradoxes it completes (those whose
// `seat_count` is one below the row's).
using SweepRowSink =
    std::function<void(const SweepRow& row, std::span<const AlabamaParadox> paradoxes)>;
void SweepSeatCounts(const FinalSeatsFor& final_seats, std::int32_t first, std::int32_t last,
                     const SweepRowSink& on_row);

// The sum of the counts: the total of votes or of seats.
std::int64_t TotalOf(std::span<const std::int32_t> counts);

// Each count's share of their total, in per cent; empty when the total is 0.
std::vector<double> SharesInPercent(std::span<const std::int32_t> counts);

// In percentage points, from each party's vote share v and seat share s, both in per cent:
//   gallagher        sqrt(½ Σ (v − s)²)
//   loosemore_hanby  ½ Σ |v − s|
struct Disproportionality {
  double gallagher;
  double loosemore_hanby;
};

// Takes the votes (each at least 1, else LimitError) and the final seats (one per party, none
// negative, else std::logic_error). With 0 seats in all there are no seat shares to compare, and
// the result is empty.
std::optional<Disproportionality> MeasureDisproportionality(std::span<const std::int32_t> votes,
                                                            std::span<const std::int32_t> seats);

}  // namespace mandati
