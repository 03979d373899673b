// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/method_choice.h"

#include "core/quota_rules.h"

namespace mandati {

std::vector<Method> AllMethods() {
  std::vector<Method> methods;
  methods.reserve(kQuotaRules.size() + kDivisorRules.size());
  for (const QuotaRule& rule : kQuotaRules) {
    if (rule.in_all) methods.emplace_back(rule.method);
  }
  for (const DivisorRule& rule : kDivisorRules) methods.emplace_back(rule.method);
  return methods;
}

std::string_view KeywordOf(Method method) {
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) return RuleOf(*quota).keyword;
  return DivisorRuleOf(std::get<DivisorMethod>(method)).keyword;
}

std::string NameOf(Method method) {
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) return std::string(QuotaName(*quota));
  return std::string(DivisorRuleOf(std::get<DivisorMethod>(method)).name);
}

std::optional<Method> MethodNamed(std::string_view keyword) {
  for (const QuotaRule& rule : kQuotaRules) {
    if (rule.keyword == keyword) return rule.method;
  }
  for (const DivisorRule& rule : kDivisorRules) {
    if (rule.keyword == keyword) return rule.method;
  }
  return std::nullopt;
}

namespace {

// The votes of the parties taking part, numbered 1, 2, … among themselves: those over the bar
// under a threshold (`votes_over` holds them, and `threshold` the bar), else every party.
std::span<const std::int32_t> TakingPart(std::span<const std::int32_t> votes,
                                         std::int32_t seat_count, const MethodRules& rules,
                                         std::optional<ThresholdOutcome>& threshold,
                                         std::vector<std::int32_t>& votes_over) {
  CheckFirstDivisor(rules.first_divisor);
  if (rules.threshold.kind == ThresholdKind::kNone) return votes;
  threshold = ApplyThreshold(rules.threshold, votes, seat_count);
  for (const std::int32_t party : threshold->over) {
    votes_over.push_back(votes[static_cast<std::size_t>(party - 1)]);
  }
  return votes_over;
}

}  // namespace

void CheckMethod(Method method, std::span<const std::int32_t> votes, std::int32_t seat_count,
                 const MethodRules& rules) {
  std::optional<ThresholdOutcome> threshold;
  std::vector<std::int32_t> votes_over;
  const auto taking_part = TakingPart(votes, seat_count, rules, threshold, votes_over);
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) {
    CheckQuotaDistrict(*quota, taking_part, seat_count);
  } else {
    CheckDistrict(taking_part, seat_count);
  }
}

MethodOutcome CalculateMethod(Method method, std::span<const std::int32_t> votes,
                              std::int32_t seat_count, const MethodRules& rules) {
  MethodOutcome outcome{method, std::nullopt, std::nullopt, {}, std::nullopt, 0, std::nullopt};
  std::vector<std::int32_t> votes_over;
  const std::span<const std::int32_t> taking_part =
      TakingPart(votes, seat_count, rules, outcome.threshold, votes_over);
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) {
    Calculation calculation =
        CalculateQuotaSeats(*quota, taking_part, seat_count, rules.ranking, rules.tie_rule);
    if (outcome.threshold)
      calculation = OnWholeDistrict(std::move(calculation), *outcome.threshold, votes);
    outcome.total_votes = calculation.total_votes;
    for (const PartyOutcome& party : calculation.parties) {
      outcome.final_seats.push_back(party.final_seats);
    }
    outcome.quota = std::move(calculation);
  } else {
    const auto divisor_method = std::get<DivisorMethod>(method);
    DivisorAllocation allocation = AllocateByDivisors(
        divisor_method, taking_part, seat_count, rules.tie_rule,
        divisor_method == DivisorMethod::SainteLague ? rules.first_divisor : kPlainFirstDivisor);
    if (outcome.threshold) {
      allocation = OnWholeDistrict(std::move(allocation), *outcome.threshold, votes.size());
    }
    outcome.total_votes = TotalOf(taking_part);
    outcome.final_seats = allocation.seats;
    outcome.divisors = std::move(allocation);
  }
  outcome.disproportionality = MeasureDisproportionality(votes, outcome.final_seats);
  return outcome;
}

SeatSweep SweepMethod(Method method, std::span<const std::int32_t> votes, std::int32_t first,
                      std::int32_t last, const MethodRules& rules) {
  return SweepSeatCounts(
      [&](std::int32_t seats) { return CalculateMethod(method, votes, seats, rules).final_seats; },
      first, last);
}

void SweepMethod(Method method, std::span<const std::int32_t> votes, std::int32_t first,
                 std::int32_t last, const MethodRules& rules, const SweepRowSink& on_row) {
  SweepSeatCounts(
      [&](std::int32_t seats) { return CalculateMethod(method, votes, seats, rules).final_seats; },
      first, last, on_row);
}

}  // namespace mandati
