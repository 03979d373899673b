// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How close each seat was: for every party of a district under one method and the law's
// options, the fewest extra votes that would have won it one more seat and the fewest lost votes
// that would have cost it one, every other party's votes as they are. Both are exact whole
// numbers, found with the rules CalculateMethod applies (the same threshold, quota, keys, queue
// order, tie rule, hand-out, first divisor and comparison of averages), or none where no vote
// count that CalculateMethod takes does it: 1 to kMaxVotes votes per party, a total of at most
// kMaxVotes and full quotas within kMaxSeats for the quota methods, some party over the
// threshold's bar and the listed votes within a given total.
//
// Under a quota a party's seats do not always grow with its votes: its extra votes raise the
// quota, and its remainder can fall behind the others'. A seat can then be won and lost again as
// its votes grow. The gain is the fewest extra votes with which the party first holds more seats
// than now (one more, or more at once), the loss the fewest lost votes with which it first holds
// fewer. A party without seats has none to lose. A party holding every seat has none to win
// unless the quota gives it full quotas beyond the seat count, which are never taken away.
//
// A threshold moves with the party's votes too: a share or a quota bar of the listed votes
// rises as they grow, so other parties can fall under it (and rise over it again as the party
// loses votes), and the party itself crosses it; under the bar it holds no seat.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/method_choice.h"

namespace mandati {

struct SeatMargin {
  std::int32_t seats = 0;            // the party's seats as the district stands
  std::optional<std::int64_t> gain;  // the fewest extra votes with which it holds more seats
  std::optional<std::int64_t> loss;  // the fewest lost votes with which it holds fewer

  friend bool operator==(const SeatMargin&, const SeatMargin&) = default;
};

// Every party's margins (party i at index i - 1) under `method` and `rules`, as CalculateMethod
// takes them. Refuses what CalculateMethod refuses, with the same errors.
std::vector<SeatMargin> SeatMargins(Method method, std::span<const std::int32_t> votes,
                                    std::int32_t seat_count, const MethodRules& rules);

}  // namespace mandati
