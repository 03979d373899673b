// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The numbers and the tie rule that the law's options of a calculation share: a decimal as
// it was written (a first divisor of 1.4, a threshold of 3.5 per cent), an exact fraction (a
// threshold's bar, Hare-Niemeyer's quota V / S) and who goes first between equal remainders
// or averages. Every method family reads its ties from ServedFirstInTie, so the quota
// hand-out and the divisor methods cannot drift apart.

#include <cstdint>

namespace mandati {

// units / 10^decimals exactly, as written: 1.4 is {14, 1}, 4 is {4, 0}, 1.40 is {140, 2}.
struct Decimal {
  std::int64_t units = 0;
  std::int32_t decimals = 0;
  friend bool operator==(const Decimal&, const Decimal&) = default;
};

// 10^decimals for 0 to 18 decimals (std::logic_error beyond).
std::int64_t PowerOfTen(std::int32_t decimals);

// numerator / denominator, denominator above 0.
struct Fraction {
  std::int64_t numerator = 0;
  std::int64_t denominator = 1;
  friend bool operator==(const Fraction&, const Fraction&) = default;
};

// Between parties whose remainders (or averages) are equal:
//   kOrder  the higher party number first: the window's rule, and every method's default;
//   kVotes  the party with more votes first, and between equal votes the party listed first
//           (the lower party number).
enum class TieRule : std::uint8_t { kOrder, kVotes };

// Whether party `a` (number from 1, with `a_votes`) is served before party `b` when they tie.
// Votes are whole numbers below 2^53, which a double holds exactly.
bool ServedFirstInTie(TieRule rule, std::int32_t a, double a_votes, std::int32_t b, double b_votes);

// The rule that actually decided a tie whose last party served had `served_votes` and whose
// first party passed over had `passed_votes`: under kVotes, equal votes leave it to kOrder's
// fallback, the party order.
TieRule DecidingRule(TieRule rule, double served_votes, double passed_votes);

// Sainte-Laguë's first divisor D (divisors D, 3, 5, 7, …): 1 for the plain method, 1.2 in
// Sweden, 1.4 in Norway. From 1 to 3 (beyond 3 it would outrank the second divisor), with at
// most 3 decimals, which keeps every comparison of averages inside 64 bits.
inline constexpr Decimal kPlainFirstDivisor{1, 0};
inline constexpr std::int32_t kMaxFirstDivisorDecimals = 3;
inline constexpr std::int64_t kMinFirstDivisor = 1;
inline constexpr std::int64_t kMaxFirstDivisor = 3;

// Raises RuleError (core/errors.h) for a first divisor outside those limits.
void CheckFirstDivisor(const Decimal& first_divisor);

}  // namespace mandati
