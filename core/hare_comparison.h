// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Hare's quota two ways on one district: the window's floor(V / S) and Hare-Niemeyer's exact
// V / S. The floored quota is the smaller, so a party can hold more full quotas of it (even
// more than the seats: none are taken away), and every remainder is measured against another
// quota; where that changes a party's seats, an explanation says so from this comparison.

#include <cstdint>
#include <span>
#include <vector>

#include "core/method_choice.h"

namespace mandati {

// A party whose final seats the two quotients give differently.
struct QuotientDifference {
  std::int32_t party = 0;
  std::int32_t floored_preliminary = 0;  // full quotas of floor(V / S)
  std::int32_t floored_seats = 0;
  std::int32_t exact_preliminary = 0;  // whole part of V_i x S / V
  std::int32_t exact_seats = 0;
  friend bool operator==(const QuotientDifference&, const QuotientDifference&) = default;
};

struct HareComparison {
  MethodOutcome floored;                        // QuotaMethod::Hare
  MethodOutcome exact;                          // QuotaMethod::HareNiemeyer
  std::vector<QuotientDifference> differences;  // by party number
};

// Both methods under the same rules, and the parties whose seats differ. Refusals of either
// method pass through (Hare's quota of 0, full quotas beyond 16 bits).
HareComparison CompareHareQuotients(std::span<const std::int32_t> votes, std::int32_t seat_count,
                                    const MethodRules& rules);

}  // namespace mandati
