// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/election_rules.h"

#include <stdexcept>
#include <string>

#include "core/errors.h"

namespace mandati {

std::int64_t PowerOfTen(std::int32_t decimals) {
  if (decimals < 0 || decimals > 18) throw std::logic_error("10^decimals beyond 64 bits");
  std::int64_t power = 1;
  for (std::int32_t i = 0; i < decimals; ++i) power *= 10;
  return power;
}

bool ServedFirstInTie(TieRule rule, std::int32_t a, double a_votes, std::int32_t b,
                      double b_votes) {
  if (rule == TieRule::kVotes) return a_votes != b_votes ? a_votes > b_votes : a < b;
  return a > b;
}

TieRule DecidingRule(TieRule rule, double served_votes, double passed_votes) {
  return rule == TieRule::kVotes && served_votes != passed_votes ? TieRule::kVotes
                                                                 : TieRule::kOrder;
}

void CheckFirstDivisor(const Decimal& first_divisor) {
  const auto [units, decimals] = first_divisor;
  if (decimals < 0 || decimals > kMaxFirstDivisorDecimals ||
      units < kMinFirstDivisor * PowerOfTen(decimals) ||
      units > kMaxFirstDivisor * PowerOfTen(decimals)) {
    throw RuleError(RuleLimit::kFirstDivisor,
                    "the first divisor is a number from " + std::to_string(kMinFirstDivisor) +
                        " to " + std::to_string(kMaxFirstDivisor) + " with at most " +
                        std::to_string(kMaxFirstDivisorDecimals) + " decimals");
  }
}

}  // namespace mandati
