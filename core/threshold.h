// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A threshold keeps every party under a bar out of the allocation. Such a party stays in the
// results with its votes and share and 0 seats, but takes no part in the quota or the
// averages: the method runs on the parties over the bar, and its record is then written
// back onto the whole district (OnWholeDistrict). A bar is an exact fraction of votes, and a
// party passes with votes ≥ bar, compared in whole numbers: 4 % of 2,505,272 votes is
// 100,210.88, so a list needs 100,211 votes, and a bar met exactly is passed.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/election_rules.h"
#include "core/passes.h"
#include "core/seat_methods.h"

namespace mandati {

enum class ThresholdKind : std::uint8_t {
  kNone,
  kShare,  // `share` per cent of the base
  kVotes,  // a number of votes, `votes`
  kQuota,  // Hare's quotient of the base, base / S for S seats: it falls as seats are added
};

// A share has at most 3 decimals (3.5 %, 0.125 %). A given total, and a bar in votes, are at
// most 10^13: with a share's 10^5 hundred-thousandths their products stay inside 64 bits.
inline constexpr std::int32_t kMaxThresholdShareDecimals = 3;
inline constexpr std::int64_t kMaxThresholdTotal = 10'000'000'000'000;

struct Threshold {
  ThresholdKind kind = ThresholdKind::kNone;
  Decimal share;           // kShare: 0 to 100 per cent, 4 as {4, 0}, 3.5 as {35, 1}
  std::int64_t votes = 0;  // kVotes: 0 to kMaxThresholdTotal
  // kShare and kQuota: the base is this total instead of the listed votes: the valid votes,
  // which count the ballots for no party too, so it is at least the listed votes' total.
  std::optional<std::int64_t> total;
  // Party numbers that pass whatever their votes (a list that won a constituency seat).
  std::vector<std::int32_t> exempt;
};

struct ThresholdOutcome {
  ThresholdKind kind = ThresholdKind::kNone;
  std::int64_t base = 0;     // the votes the share or the quota is of; 0 for kVotes
  bool given_total = false;  // the base is Threshold::total, not the listed votes
  // A party passes with votes × bar.denominator ≥ bar.numerator; in lowest terms.
  Fraction bar;
  std::int64_t votes_needed = 0;    // the bar rounded up: the fewest whole votes that pass it
  std::vector<std::int32_t> over;   // party numbers taking part: over the bar, or exempt
  std::vector<std::int32_t> under;  // under the bar and not exempt: 0 seats
  std::vector<std::int32_t> exempt_under;  // exempt parties under the bar, taking part
};

// Which parties of the district (party i's votes at index i - 1; CheckDistrict's limits)
// take part for `seat_count` seats. Raises RuleError for a share, votes, total or exempt
// party number out of its limits, and CalculationLimitError (kThreshold, with the votes
// needed and the seat count) when no party takes part: Hare's quotient of 0 seats has no
// value, so under a quota bar no party takes part then.
ThresholdOutcome ApplyThreshold(const Threshold& threshold, std::span<const std::int32_t> votes,
                                std::int32_t seat_count);

// The most votes the listed parties may have in all: a given total that a share or a quota bar
// is of (RuleError beyond it), or none.
std::optional<std::int64_t> MostListedVotes(const Threshold& threshold);

// Whether a party with `votes` passes the bar, exempt or not, when the listed votes add up to
// `listed`: what ApplyThreshold decides for each party, for options it has taken and `listed`
// within MostListedVotes. The bar never falls as `listed` grows.
bool PassesBar(const Threshold& threshold, std::int64_t votes, std::int64_t listed,
               std::int32_t seat_count);

// A record calculated on the parties taking part (party k of it is threshold.over[k - 1]) as
// the record of the whole district (`votes`): party numbers in the queue, the hand-out, the
// awards and the ties are the district's; a party under the bar has its votes and 0 seats,
// and a ratio, remainder and key of 0 (it is in no queue). Every share is of all the listed
// votes.
Calculation OnWholeDistrict(Calculation part, const ThresholdOutcome& threshold,
                            std::span<const std::int32_t> votes);
DivisorAllocation OnWholeDistrict(DivisorAllocation part, const ThresholdOutcome& threshold,
                                  std::size_t party_count);
// Seats per party taking part as seats per party of the district.
std::vector<std::int32_t> OnWholeDistrict(std::span<const std::int32_t> seats,
                                          const ThresholdOutcome& threshold,
                                          std::size_t party_count);

}  // namespace mandati
