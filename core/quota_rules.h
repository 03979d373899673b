#pragma once

#include <cstdint>

#include "core/party_table.h"

namespace mandati {

// The electoral quota, the number of votes that buys one seat, from TotalVotes (V),
// SeatCount (S, unchecked: it may be fractional, zero or negative) and QuotaMethod:
//   Hare               ToInt32(Floor(V / S))
//   Droop              ToInt32(1 + Floor(V / (S + 1)))
//   HagenbachBischoff  ToInt32(Floor(V / (S + 1)))
// Raises DivisionByZeroError for a zero divisor and OverflowError for a quota beyond 32 bits.
// A quota of 0 is returned as it is; the allocation pass then divides by it.
std::int32_t ComputeQuota(const FormValues& values);

}  // namespace mandati
