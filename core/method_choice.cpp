// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/method_choice.h"

#include "core/quota_rules.h"

namespace mandati {

std::vector<Method> AllMethods() {
  std::vector<Method> methods;
  methods.reserve(kQuotaRules.size() + kDivisorRules.size());
  for (const QuotaRule& rule : kQuotaRules) methods.emplace_back(rule.method);
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
  for (const Method method : AllMethods()) {
    if (KeywordOf(method) == keyword) return method;
  }
  return std::nullopt;
}

namespace {

std::vector<std::int32_t> FinalSeatsOf(const Calculation& calculation) {
  std::vector<std::int32_t> seats;
  seats.reserve(calculation.parties.size());
  for (const PartyOutcome& party : calculation.parties) seats.push_back(party.final_seats);
  return seats;
}

// The companion's calculation under a quota: its limits, then the quota family's one entry.
Calculation CalculateQuota(QuotaMethod method, std::span<const std::int32_t> votes,
                           std::int32_t seat_count, Ranking ranking) {
  CheckQuotaDistrict(method, votes, seat_count);
  return CalculateQuotaSeats({method, votes, seat_count, ranking});
}

// The final seats of a sweep's seat counts: each one calculation of the record under a quota,
// one hand-out going on from count to count under a divisor method.
FinalSeatsFor SweptSeats(Method method, std::span<const std::int32_t> votes, Ranking ranking) {
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) {
    return [method = *quota, votes, ranking](std::int32_t seat_count) {
      return FinalSeatsOf(CalculateQuota(method, votes, seat_count, ranking));
    };
  }
  return DivisorSeatsUpwards(std::get<DivisorMethod>(method), votes);
}

}  // namespace

MethodOutcome CalculateMethod(Method method, std::span<const std::int32_t> votes,
                              std::int32_t seat_count, Ranking ranking) {
  MethodOutcome outcome{method, std::nullopt, std::nullopt, {}, std::nullopt, 0};
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) {
    outcome.quota = CalculateQuota(*quota, votes, seat_count, ranking);
    outcome.final_seats = FinalSeatsOf(*outcome.quota);
    outcome.total_votes = outcome.quota->total_votes;
  } else {
    outcome.divisors = AllocateByDivisors(std::get<DivisorMethod>(method), votes, seat_count);
    outcome.final_seats = outcome.divisors->seats;
    outcome.total_votes = TotalOf(votes);
  }
  outcome.disproportionality = MeasureDisproportionality(votes, outcome.final_seats);
  return outcome;
}

SeatSweep SweepMethod(Method method, std::span<const std::int32_t> votes, std::int32_t first,
                      std::int32_t last, Ranking ranking) {
  return SweepSeatCounts(SweptSeats(method, votes, ranking), first, last);
}

void SweepMethod(Method method, std::span<const std::int32_t> votes, std::int32_t first,
                 std::int32_t last, Ranking ranking, const SweepRowSink& on_row) {
  SweepSeatCounts(SweptSeats(method, votes, ranking), first, last, on_row);
}

}  // namespace mandati
