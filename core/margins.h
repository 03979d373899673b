// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How close each seat was: for every party of a district under one method, the fewest extra
// votes that would have won it one more seat and the fewest lost votes that would have cost it
// one, every other party's votes as they are. Both are exact whole numbers, found with the rules
// CalculateMethod applies (the same quota, keys, queue order, hand-out and comparison of
// averages), or none where no vote count within the calculator's limits does it: 1 to kMaxVotes
// votes per party, a total of at most kMaxVotes and full quotas within kMaxSeats for the quota
// methods.
//
// Under a quota a party's seats do not always grow with its votes: its extra votes raise the
// quota, and its remainder can fall behind the others'. A seat can then be won and lost again as
// its votes grow. The gain is the fewest extra votes with which the party first holds more seats
// than now (one more, or more at once), the loss the fewest lost votes with which it first holds
// fewer. A party without seats has none to lose. A party holding every seat has none to win
// unless the quota gives it full quotas beyond the seat count, which are never taken away.

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

// Every party's margins (party i at index i - 1) under `method`; `ranking` applies to the quota
// methods. Refuses what CalculateMethod refuses, with the same errors.
std::vector<SeatMargin> SeatMargins(Method method, std::span<const std::int32_t> votes,
                                    std::int32_t seat_count, Ranking ranking);

}  // namespace mandati
