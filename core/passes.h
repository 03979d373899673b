// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "core/election_rules.h"
#include "core/number_rules.h"
#include "core/party_table.h"

namespace mandati {

// A calculation under a quota is two passes over the parties' votes, run one after the other:
//
//   votes --allocation--> total, vote shares, quota, preliminary seats, quota ratios,
//                         remainder queue
//   preliminary seats + remainder queue --hand-out--> final seats
//
// CalculateQuotaSeats runs both and returns every number in a Calculation; each number is
// computed once. Whoever shows them (the window's party table, the companion's formats) writes
// its texts from that record. Errors of the number rules propagate, and no record comes back.

// Remainders are ranked by their value rounded to 8 decimals, as a whole number of
// hundred-millionths: 0 .. kKeyScale.
inline constexpr std::int64_t kKeyScale = 100'000'000;

struct PartyOutcome {
  double votes = 0;                    // as the district gives them
  double share = 0;                    // per cent of all votes
  double ratio = 0;                    // votes / quota
  std::int16_t preliminary_seats = 0;  // full quotas
  std::int64_t remainder_key = 0;      // the remainder rounded to 8 decimals, x kKeyScale
  double exact_remainder = 0;          // votes - preliminary seats x quota, not rounded
  // The exact remainder in votes times the quota's denominator (Calculation::exact_quota), a
  // whole number: votes - full quotas x quota for the floored quotas, V_i x S mod V for
  // Hare-Niemeyer.
  std::int64_t remainder_numerator = 0;
  std::int32_t final_seats = 0;
};

// One leftover seat: the seat's number among all seats (after the preliminary ones), the
// party that got it, and the round of the hand-out (2 and on once it went round again).
struct SeatAward {
  int seat = 0;
  int party = 0;
  int round = 0;
};

// Parties with equal remainders of which the last leftover seat served only some: the tie
// rule (the higher party number first, or more votes first) decided between them. Equal means
// equal keys, or equal exact remainders once the queue is ranked exactly.
struct TieGroup {
  std::int64_t remainder_key = 0;
  double exact_remainder = 0;
  std::vector<int> served;  // party numbers, in hand-out order
  std::vector<int> passed;
  // kVotes where the votes told the last party served from the first passed over, kOrder
  // where the party order did (see DecidingRule).
  TieRule decided_by = TieRule::kOrder;
};

struct Calculation {
  std::int32_t total_votes = 0;
  QuotaMethod method = QuotaMethod::Hare;
  std::int32_t quota = 0;  // in whole votes; Hare-Niemeyer's is V / S rounded down
  // The quota exactly, in votes: quota / 1 for the floored quotas, V / S for Hare-Niemeyer.
  Fraction exact_quota;
  std::vector<PartyOutcome> parties;  // party i at index i - 1
  // Party numbers from the first row of the remainder queue to the last: ascending remainders.
  std::vector<int> queue;
  bool ranked_exactly = false;         // see RankRemaindersExactly
  TieRule tie_rule = TieRule::kOrder;  // between equal remainders in the queue
  int preliminary_total = 0;
  // The seats minus the preliminary total, handed out; 0 when the preliminary seats reach them.
  int seats_left = 0;
  std::vector<int> hand_out_order;  // one round: the queue from its last row up
  int full_rounds = 0;              // rounds in which every party got a seat
  int last_round_seats = 0;         // seats of the round that stopped part-way
  std::vector<TieGroup> ties;
};

// How the remainder queue ranks the remainders: by their keys, rounded to 8 decimals, as the
// window does, or by the exact remainders in votes.
enum class Ranking : std::uint8_t { kKeys, kExact };

// The counts as the window reads them from its boxes, unrounded: either may be fractional.
// The quota takes the seat count as it is (".5" seats is a district), and the hand-out rounds
// the seats left, ToInt16(seat count - preliminary seats), which raises OverflowError beyond
// 16 bits, a surplus too. Of the party count, the party loop takes the whole parties (whose
// votes the district holds) and the hand-out starts at the queue row ToInt16(party count - 1),
// which must exist when a seat is left: a count that rounds up past the last row raises
// MissingRowError.
struct TypedCounts {
  double party_count = 0;
  double seat_count = 0;
};

// A district under a quota. Its seats are whole, as the companion takes them, or the window's
// typed counts.
struct QuotaDistrict {
  QuotaMethod method = QuotaMethod::Hare;
  std::span<const std::int32_t> votes;  // party i's at index i - 1
  std::variant<std::int32_t, TypedCounts> counts;
  Ranking ranking = Ranking::kKeys;    // the floored quotas'; Hare-Niemeyer ranks exactly
  TieRule tie_rule = TieRule::kOrder;  // between equal remainders
};

// The one calculation of the quota family, both passes, for the window and the companion alike.
// The allocation gives each party its full quotas, the preliminary seats, and ranks the
// remainders in the queue; between equal remainders the tie rule puts the party it serves first
// lower down. The hand-out carries the preliminary seats into the final seats, then gives the
// seats still left one each to the parties with the largest remainders, from the queue's last
// row upwards; when more seats are left than rows, every party gets one seat per whole round and
// the last round goes down the queue again, so every seat is filled. Surplus preliminary seats
// are never taken away. Hare-Niemeyer's remainders are exact fractions (core/exact_quotient.h),
// so its queue is always ranked exactly; it takes whole seats only (std::logic_error for the
// window's typed counts, which never offer it). The number rules raise where the numbers fail:
// OverflowError for more than kMaxParties parties (a key holds three places for the party number),
// a total of votes or a quota beyond 32 bits or full quotas beyond 16 bits, DivisionByZeroError for
// a quota that divides by 0 seats or is 0 votes, and the errors of TypedCounts.
Calculation CalculateQuotaSeats(const QuotaDistrict& district);

// The companion's limits, checked before it calculates, each refusal a CalculationLimitError
// naming the value that failed: 1 to kMaxParties parties, each with at least 1 vote, 0 to
// kMaxSeats seats, a total of votes that fits 32 bits, a quota that can be computed and is not
// 0, full quotas that fit 16 bits (Hare-Niemeyer's exact quotient is never 0 and gives at most
// S full quotas). Within them CalculateQuotaSeats raises nothing.
void CheckQuotaDistrict(QuotaMethod method, std::span<const std::int32_t> votes,
                        std::int32_t seat_count);

// The remainder queue's key for party `party_number` with the remainder key `remainder_key`:
// RemainderText, a filler of blanks, then SignedNumberText(party number), so that the last
// three characters hold the party number right-aligned ("0.5   12", "0    1").
std::string RemainderKey(std::int64_t remainder_key, int party_number,
                         const NumberSettings& settings);

// The remainder rounded to 8 decimals as its key holds it, NumberText of its value: "0",
// "1", or "0", the separator and the decimals without trailing zeros ("0.3003003").
std::string RemainderText(std::int64_t remainder_key, const NumberSettings& settings);

// Ranks the queue by the exact remainders (votes - full quotas x quota) instead of the keys
// rounded to 8 decimals; equal ones still go first as the calculation's tie rule says. The
// step between the two passes of a calculation that wants exact ties (Ranking::kExact); the
// window's queue keeps its keys.
void RankRemaindersExactly(Calculation& calculation);

// Two parties whose remainders the 8-decimal key made equal although they differ: the tie
// rule put `ahead` (the higher party number, or the one with more votes) before `behind`,
// whose exact remainder is larger.
// `seat` is true when that decided a leftover seat: `ahead` got one in the last round and
// `behind` did not.
struct KeyMerge {
  int ahead = 0;
  int behind = 0;
  std::int64_t remainder_key = 0;
  bool seat = false;
};

// For a calculation ranked by its keys: every two neighbours of the hand-out order that the
// keys put in the wrong order, and the pair whose wrong order decided the last round's seat.
std::vector<KeyMerge> KeyMerges(const Calculation& calculation);

// Whether parties `a` and `b` (numbers from 1) rank equal in the remainder queue: equal keys,
// or equal exact remainders once the queue is ranked exactly. The tie rule orders them.
bool RankEqual(const Calculation& calculation, int a, int b);

// The passes' rules one at a time, which CalculateQuotaSeats applies and core/margins.h applies
// again to counts of votes that are not the district's.
//
// A party's votes in quotas, as the allocation pass measures them under a floored quota: the
// quota ratio (votes / quota), its whole part, the full quotas (before the 16-bit check), and
// the rest, ratio - full quotas, the part of a quota that the remainder key rounds. The
// subtraction is exact.
struct QuotaRatio {
  double ratio = 0;
  double full_quotas = 0;
  double rest = 0;
};
QuotaRatio MeasureInQuotas(double votes, std::int32_t quota);

// The remainder queue's key for a rest of MeasureInQuotas: the rest rounded to 8 decimals as
// the window writes it, x kKeyScale. It never falls as the rest grows.
std::int64_t RemainderKeyOf(double rest);

// A party in the remainder queue: its remainder as the queue ranks it (a key, or an exact
// remainder; Hare-Niemeyer's numerators over one V serve as well), its number and its votes.
struct QueueRow {
  double remainder = 0;
  int party = 0;
  double votes = 0;
};

// Whether the queue puts `a` in an earlier row than `b`, so that the hand-out, from the last row
// back, serves `b` first: the smaller remainder, and between equal ones the party the tie rule
// serves later.
bool QueuedBefore(TieRule rule, const QueueRow& a, const QueueRow& b);

// The leftover seats of the party in place `place` (0 for the first) of the hand-out order,
// when `seats_left` seats are handed out round after round over `keys` rows: one per full
// round, and one in the round that stops part-way if its place comes before the stop.
std::int32_t HandOutSeats(std::int32_t seats_left, std::int32_t keys, std::int32_t place);

// The rounds of the hand-out: the full ones and the one that stopped part-way, if any.
int HandOutRounds(const Calculation& calculation);

// A share of the votes in per cent as the window shows it, to 2 decimals.
std::string VoteShareText(double share, const NumberSettings& settings);

// A party's votes divided by the quota as the window shows it, to 3 decimals.
std::string QuotaRatioText(double ratio, const NumberSettings& settings);

// Every leftover seat in the order it was handed out.
std::vector<SeatAward> SeatAwards(const Calculation& calculation);

}  // namespace mandati
