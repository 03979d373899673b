// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Hare-Niemeyer: the largest remainders of Hare's quotient taken exactly. Party i with V_i
// of V votes is due V_i x S / V of S seats; it gets the whole part at once, and the seats
// still left go to the largest fractional parts. In whole numbers:
//   preliminary seats  floor(V_i x S / V)
//   remainder          V_i x S mod V, compared between parties as it stands (over one V)
// V_i x S stays below 2^46, so every number is exact in 64 bits. Beside it the window's Hare
// quota floor(V / S) stays as it is: its smaller quota can give more full quotas, and other
// remainders, so the two can give different seats (core/hare_comparison.h).

#include <cstdint>
#include <span>

#include "core/passes.h"

namespace mandati {

// The allocation pass under Hare-Niemeyer: the total V, the exact quota V / S and its whole
// votes, each party's share, ratio V_i x S / V, preliminary seats, exact remainder
// (remainder_numerator over S votes, exact_remainder in votes) and its key to 8 decimals.
// The queue and the hand-out are CalculateQuotaSeats's, as for any quota. A total beyond 32
// bits raises OverflowError and 0 seats DivisionByZeroError, as the number rules do for every
// quota; votes are at least 1 and seats at most kMaxSeats, as CheckQuotaDistrict checks.
Calculation ExactQuotientNumbers(std::span<const std::int32_t> votes, std::int32_t seat_count);

}  // namespace mandati
