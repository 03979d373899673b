// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/threshold.h"

#include <algorithm>
#include <numeric>
#include <string>
#include <utility>

#include "core/errors.h"
#include "core/number_rules.h"

namespace mandati {

namespace {

std::size_t Index(std::int32_t party) { return static_cast<std::size_t>(party - 1); }

void CheckShare(const Decimal& share) {
  const auto [units, decimals] = share;
  if (decimals < 0 || decimals > kMaxThresholdShareDecimals || units < 0 ||
      units > 100 * PowerOfTen(decimals)) {
    throw RuleError(RuleLimit::kThresholdShare,
                    "a threshold is a share of 0 to 100 per cent with at most " +
                        std::to_string(kMaxThresholdShareDecimals) + " decimals");
  }
}

// The votes the share or the quota is of: the given total, or the listed votes.
std::int64_t BaseOf(const Threshold& threshold, std::int64_t listed) {
  if (!threshold.total) return listed;
  if (*threshold.total < listed || *threshold.total > kMaxThresholdTotal) {
    throw RuleError(RuleLimit::kThresholdTotal,
                    "the total " + std::to_string(*threshold.total) + " is not from the listed " +
                        std::to_string(listed) + " votes to " + std::to_string(kMaxThresholdTotal));
  }
  return *threshold.total;
}

// The bar as a fraction, from the kind's rule, not yet in lowest terms. A quota bar of 0 seats
// is left with a denominator of 0: no number of votes reaches it.
Fraction BarOf(const Threshold& threshold, std::int64_t base, std::int32_t seat_count) {
  Fraction bar;
  switch (threshold.kind) {
    case ThresholdKind::kShare:
      CheckShare(threshold.share);
      // share / 100 × base, with share = units / 10^decimals: below 10^5 × 10^13.
      bar = {threshold.share.units * base, 100 * PowerOfTen(threshold.share.decimals)};
      break;
    case ThresholdKind::kVotes:
      if (threshold.votes < 0 || threshold.votes > kMaxThresholdTotal) {
        throw RuleError(RuleLimit::kThresholdVotes,
                        "a threshold of votes is from 0 to " + std::to_string(kMaxThresholdTotal));
      }
      bar = {threshold.votes, 1};
      break;
    case ThresholdKind::kQuota:
      bar = {base, seat_count};
      break;
    case ThresholdKind::kNone:
      break;
  }
  return bar;
}

Fraction InLowestTerms(const Fraction& bar) {
  const std::int64_t divisor = std::gcd(bar.numerator, bar.denominator);
  if (divisor <= 1) return bar;
  return {bar.numerator / divisor, bar.denominator / divisor};
}

bool Passes(std::int64_t votes, const Fraction& bar) {
  return bar.denominator > 0 && votes * bar.denominator >= bar.numerator;
}

}  // namespace

ThresholdOutcome ApplyThreshold(const Threshold& threshold, std::span<const std::int32_t> votes,
                                std::int32_t seat_count) {
  CheckDistrict(votes, seat_count);
  const auto party_count = static_cast<std::int32_t>(votes.size());
  for (const std::int32_t party : threshold.exempt) {
    if (party < 1 || party > party_count) {
      throw RuleError(RuleLimit::kExemptParty, "party " + std::to_string(party) +
                                                   " is not one of the district's " +
                                                   std::to_string(party_count) + " parties");
    }
  }
  ThresholdOutcome outcome;
  outcome.kind = threshold.kind;
  if (threshold.kind != ThresholdKind::kVotes) {
    outcome.base = BaseOf(threshold, TotalOf(votes));
    outcome.given_total = threshold.total.has_value();
  }
  outcome.bar = InLowestTerms(BarOf(threshold, outcome.base, seat_count));
  if (outcome.bar.denominator > 0) {
    outcome.votes_needed =
        (outcome.bar.numerator + outcome.bar.denominator - 1) / outcome.bar.denominator;
  }
  for (std::int32_t party = 1; party <= party_count; ++party) {
    const bool passes = Passes(votes[Index(party)], outcome.bar);
    const bool exempt = std::find(threshold.exempt.begin(), threshold.exempt.end(), party) !=
                        threshold.exempt.end();
    if (passes || exempt) outcome.over.push_back(party);
    if (!passes) (exempt ? outcome.exempt_under : outcome.under).push_back(party);
  }
  if (outcome.over.empty()) {
    throw CalculationLimitError(
        CalculationLimit::kThreshold, outcome.votes_needed, seat_count,
        outcome.bar.denominator > 0
            ? "no party has the " + std::to_string(outcome.votes_needed) +
                  " votes the threshold asks"
            : "no party reaches a threshold of Hare's quotient for 0 seats");
  }
  return outcome;
}

std::optional<std::int64_t> MostListedVotes(const Threshold& threshold) {
  if (threshold.kind == ThresholdKind::kNone || threshold.kind == ThresholdKind::kVotes) {
    return std::nullopt;
  }
  return threshold.total;
}

bool PassesBar(const Threshold& threshold, std::int64_t votes, std::int64_t listed,
               std::int32_t seat_count) {
  return Passes(votes, BarOf(threshold, threshold.total.value_or(listed), seat_count));
}

Calculation OnWholeDistrict(Calculation part, const ThresholdOutcome& threshold,
                            std::span<const std::int32_t> votes) {
  const auto number = [&](int k) { return threshold.over[Index(k)]; };
  const auto renumber = [&](std::vector<int>& parties) {
    for (int& party : parties) party = number(party);
  };
  std::vector<PartyOutcome> parties(votes.size());
  for (std::size_t k = 0; k < part.parties.size(); ++k) {
    parties[Index(threshold.over[k])] = part.parties[k];
  }
  const auto listed = static_cast<double>(TotalOf(votes));
  for (std::size_t i = 0; i < votes.size(); ++i) {
    parties[i].votes = votes[i];
    parties[i].share = Divide(parties[i].votes * 100, listed);
  }
  part.parties = std::move(parties);
  renumber(part.queue);
  renumber(part.hand_out_order);
  for (TieGroup& tie : part.ties) {
    renumber(tie.served);
    renumber(tie.passed);
  }
  return part;
}

std::vector<std::int32_t> OnWholeDistrict(std::span<const std::int32_t> seats,
                                          const ThresholdOutcome& threshold,
                                          std::size_t party_count) {
  std::vector<std::int32_t> whole(party_count, 0);
  for (std::size_t k = 0; k < seats.size(); ++k) whole[Index(threshold.over[k])] = seats[k];
  return whole;
}

DivisorAllocation OnWholeDistrict(DivisorAllocation part, const ThresholdOutcome& threshold,
                                  std::size_t party_count) {
  const auto number = [&](std::int32_t k) { return threshold.over[Index(k)]; };
  part.seats = OnWholeDistrict(part.seats, threshold, party_count);
  for (DivisorSeat& award : part.awards) award.party = number(award.party);
  if (part.tie) {
    for (std::int32_t& party : part.tie->served) party = number(party);
    for (std::int32_t& party : part.tie->passed_over) party = number(party);
  }
  return part;
}

}  // namespace mandati
