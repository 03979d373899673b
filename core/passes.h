// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/number_rules.h"
#include "core/party_table.h"

namespace mandati {

// A calculation is two passes over the party table, run one after the other:
//
//   votes column --AllocateQuotaSeats--> total, vote shares, quota, preliminary seats,
//                                        quota ratios, remainder queue
//   preliminary seats + remainder queue --DistributeRemainders--> final seats
//
// Both loop over the parties i = 1 .. PartyCount (see ForEachParty) and address row i-1.
// Each number is computed once; the texts of the party table are written from it, and the
// same numbers come back as a Calculation for whoever wants to show more than the window
// does. Errors of the number rules propagate; whatever a pass wrote before one stays written.

// Remainders are ranked by their value rounded to 8 decimals, as a whole number of
// hundred-millionths: 0 .. kKeyScale.
inline constexpr std::int64_t kKeyScale = 100'000'000;

struct PartyOutcome {
  double votes = 0;                    // as read from the votes row
  double share = 0;                    // per cent of all votes
  std::string share_text;              // 2 decimals, as the window shows it
  double ratio = 0;                    // votes / quota
  std::string ratio_text;              // 3 decimals, as the window shows it
  std::int16_t preliminary_seats = 0;  // full quotas
  std::int64_t remainder_key = 0;      // the remainder rounded to 8 decimals, x kKeyScale
  double exact_remainder = 0;          // votes - preliminary seats x quota, not rounded
  std::string remainder_text;          // the remainder as the key writes it: "0.3003003"
  std::string key;                     // the remainder queue's row for this party
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
// rule (the higher party number first) decided between them. Equal means equal keys, or
// equal exact remainders once the queue is ranked exactly.
struct TieGroup {
  std::int64_t remainder_key = 0;
  double exact_remainder = 0;
  std::vector<int> served;  // party numbers, in hand-out order
  std::vector<int> passed;
};

struct Calculation {
  std::int32_t total_votes = 0;
  QuotaMethod method = QuotaMethod::Hare;
  std::int32_t quota = 0;
  std::vector<PartyOutcome> parties;  // party i at index i - 1
  // Party numbers from the first row of the remainder queue to the last: ascending keys.
  std::vector<int> queue;
  bool ranked_exactly = false;  // see RankRemaindersExactly
  // Filled by DistributeRemainders.
  int preliminary_total = 0;
  int seats_left =
      0;  // seats minus the preliminary total, handed out; 0 when they exceed the seats
  std::vector<int> hand_out_order;  // one round: the queue from its last row up
  int full_rounds = 0;              // rounds in which every party got a seat
  int last_round_seats = 0;         // seats of the round that stopped part-way
  std::vector<TieGroup> ties;
};

// How the remainder queue ranks the remainders: by their keys, rounded to 8 decimals, as the
// window does, or by the exact remainders in votes.
enum class Ranking : std::uint8_t { kKeys, kExact };

// A whole calculation under a quota from numbers: both passes, on parties 1 to votes.size()
// with those votes. Refuses, before anything is calculated, a district beyond the limits
// with a CalculationLimitError naming the value that failed: 1 to kMaxParties parties, each
// with at least 1 vote, 0 to kMaxSeats seats, a total of votes that fits 32 bits, a quota
// that can be computed and is not 0, full quotas that fit 16 bits. The texts of the record
// are written with NumberSettings{}.
Calculation CalculateQuotaSeats(QuotaMethod method, std::span<const std::int32_t> votes,
                                std::int32_t seat_count, Ranking ranking);

// A party's votes in quotas, as the allocation pass measures them: the quota ratio (votes /
// quota), its whole part, the full quotas (before the 16-bit check), and the rest, ratio - full
// quotas, the part of a quota that the remainder key rounds. The subtraction is exact.
struct QuotaRatio {
  double ratio = 0;
  double full_quotas = 0;
  double rest = 0;
};
QuotaRatio MeasureInQuotas(double votes, std::int32_t quota);

// The remainder queue's key for a rest of MeasureInQuotas: the rest rounded to 8 decimals as
// the window writes it, x kKeyScale. It never falls as the rest grows.
std::int64_t RemainderKeyOf(double rest);

// Whether the remainder queue puts party `party_a` with remainder `a` (a key or an exact
// remainder) before party `party_b` with `b`: the smaller remainder first, equal ones by party
// number. The hand-out, from the queue's last row up, serves the larger remainder first and,
// among equal ones, the higher party number.
bool QueuedBefore(double a, int party_a, double b, int party_b);

// The leftover seats of the party in place `place` (0 for the first) of the hand-out order,
// when `seats_left` seats are handed out round after round over `keys` rows: one per full
// round, and one in the round that stops part-way if its place comes before the stop.
std::int32_t HandOutSeats(std::int32_t seats_left, std::int32_t keys, std::int32_t place);

// The remainder queue's key for party `party_number` with the rounded remainder r8:
// NumberText(r8), a filler of blanks, then SignedNumberText(party number), so that the
// last three characters hold the party number right-aligned ("0.5   12", "0    1").
std::string RemainderKey(double r8, int party_number, const NumberSettings& settings);

// The allocation pass. Expects PartyCount >= 1 and a votes row of at least 1 for every
// party the loop visits. Writes TotalVotes, `total_text`, the vote shares, Quota, the
// preliminary seats, the quota ratios and the remainder queue, and returns their numbers.
// Party numbers beyond 999 do not fit a key and raise OverflowError.
Calculation AllocateQuotaSeats(PartyTable& table, FormValues& values, std::string& total_text,
                               const NumberSettings& settings);

// The remainder pass, on the calculation the allocation pass just returned. Carries the
// preliminary seats into the final seats, then hands the seats still left one each to the
// parties with the largest remainders, from the queue's last key upwards. When more seats
// are left than keys, every party gets one seat per whole round and the last round goes
// down the queue again, so every seat is filled. Surplus preliminary seats are never taken
// away.
void DistributeRemainders(PartyTable& table, const FormValues& values,
                          const NumberSettings& settings, Calculation& calculation);

// Ranks the queue by the exact remainders (votes - full quotas x quota) instead of the keys
// rounded to 8 decimals; equal ones still go to the higher party number first. Between the
// two passes, for a calculation that wants exact ties; the window's queue keeps its keys.
void RankRemaindersExactly(Calculation& calculation);

// Two parties whose remainders the 8-decimal key made equal although they differ: the tie
// rule put `ahead` (the higher party number) before `behind`, whose exact remainder is larger.
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

// The rounds of the hand-out: the full ones and the one that stopped part-way, if any.
int HandOutRounds(const Calculation& calculation);

// A share of the votes in per cent as the window shows it, to 2 decimals.
std::string VoteShareText(double share, const NumberSettings& settings);

// Every leftover seat in the order it was handed out.
std::vector<SeatAward> SeatAwards(const Calculation& calculation);

}  // namespace mandati
