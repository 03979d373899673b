// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/exact_quotient.h"

#include "core/number_rules.h"
#include "core/quota_rules.h"
#include "core/seat_methods.h"

namespace mandati {

Calculation ExactQuotientNumbers(std::span<const std::int32_t> votes, std::int32_t seat_count) {
  Calculation calculation;
  calculation.method = QuotaMethod::HareNiemeyer;
  const std::int64_t total = ToInt32(static_cast<double>(TotalOf(votes)));
  calculation.total_votes = static_cast<std::int32_t>(total);
  // Raises DivisionByZeroError for 0 seats, before anything divides by them.
  calculation.quota = ComputeQuota(FormValues{std::nullopt, seat_count, std::nullopt,
                                              QuotaMethod::HareNiemeyer, calculation.total_votes});
  calculation.exact_quota = {total, seat_count};
  calculation.parties.reserve(votes.size());
  for (const std::int32_t party_votes : votes) {
    PartyOutcome& party = calculation.parties.emplace_back();
    party.votes = party_votes;
    party.share = Divide(party.votes * 100, static_cast<double>(total));
    const std::int64_t due = std::int64_t{party_votes} * seat_count;   // V_i x S
    party.preliminary_seats = static_cast<std::int16_t>(due / total);  // at most S
    party.remainder_numerator = due % total;
    party.ratio = static_cast<double>(due) / static_cast<double>(total);
    party.exact_remainder = static_cast<double>(party.remainder_numerator) / seat_count;
    party.remainder_key =
        ScaledRound(static_cast<double>(party.remainder_numerator) / static_cast<double>(total), 8);
  }
  return calculation;
}

}  // namespace mandati
