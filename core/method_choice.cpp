// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/method_choice.h"

#include <memory>
#include <utility>

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

std::vector<std::int32_t> FinalSeatsOf(const Calculation& calculation) {
  std::vector<std::int32_t> seats;
  seats.reserve(calculation.parties.size());
  for (const PartyOutcome& party : calculation.parties) seats.push_back(party.final_seats);
  return seats;
}

// The rules' threshold for `seat_count` seats, if they set one, with the votes of the parties
// over it in `votes_over`: they take part, numbered 1, 2, … among themselves.
std::optional<ThresholdOutcome> ThresholdFor(const MethodRules& rules,
                                             std::span<const std::int32_t> votes,
                                             std::int32_t seat_count,
                                             std::vector<std::int32_t>& votes_over) {
  if (rules.threshold.kind == ThresholdKind::kNone) return std::nullopt;
  ThresholdOutcome threshold = ApplyThreshold(rules.threshold, votes, seat_count);
  votes_over.clear();
  for (const std::int32_t party : threshold.over) {
    votes_over.push_back(votes[static_cast<std::size_t>(party - 1)]);
  }
  return threshold;
}

// The companion's calculation under a quota, as the record of the whole district: its limits
// on the parties taking part (`taking_part`, all of `votes` without a threshold), the quota
// family's one entry, and under a threshold the record written back onto every party.
Calculation QuotaRecord(QuotaMethod method, std::span<const std::int32_t> votes,
                        std::int32_t seat_count, const MethodRules& rules,
                        const std::optional<ThresholdOutcome>& threshold,
                        std::span<const std::int32_t> taking_part) {
  CheckQuotaDistrict(method, taking_part, seat_count);
  Calculation calculation =
      CalculateQuotaSeats({method, taking_part, seat_count, rules.ranking, rules.tie_rule});
  if (threshold) return OnWholeDistrict(std::move(calculation), *threshold, votes);
  return calculation;
}

Decimal FirstDivisorOf(DivisorMethod method, const MethodRules& rules) {
  return method == DivisorMethod::SainteLague ? rules.first_divisor : kPlainFirstDivisor;
}

// A divisor method's sweep: one hand-out going on from count to count while the same parties
// take part, and a new one from the first seat where a quota bar, which falls as seats are
// added, lets more parties in.
struct SweptHandOut {
  std::vector<std::int32_t> over;   // the parties taking part, under a threshold
  std::vector<std::int32_t> votes;  // their votes, which the hand-out refers to
  FinalSeatsFor seats;
};

FinalSeatsFor DivisorSeatsSwept(DivisorMethod method, std::span<const std::int32_t> votes,
                                const MethodRules& rules) {
  const auto hand_out = std::make_shared<SweptHandOut>();
  return [method, votes, &rules, hand_out](std::int32_t seat_count) {
    CheckFirstDivisor(rules.first_divisor);
    std::vector<std::int32_t> votes_over;
    const std::optional<ThresholdOutcome> threshold =
        ThresholdFor(rules, votes, seat_count, votes_over);
    if (!hand_out->seats || (threshold && threshold->over != hand_out->over)) {
      std::span<const std::int32_t> taking_part = votes;
      if (threshold) {
        hand_out->over = threshold->over;
        hand_out->votes = std::move(votes_over);
        taking_part = hand_out->votes;
      }
      hand_out->seats =
          DivisorSeatsUpwards(method, taking_part, rules.tie_rule, FirstDivisorOf(method, rules));
    }
    std::vector<std::int32_t> seats = hand_out->seats(seat_count);
    if (threshold) return OnWholeDistrict(seats, *threshold, votes.size());
    return seats;
  };
}

// The final seats of a sweep's seat counts: each one calculation of the record under a quota,
// the hand-out going on from count to count under a divisor method. Refers to `votes` and
// `rules`, which must outlive it.
FinalSeatsFor SweptSeats(Method method, std::span<const std::int32_t> votes,
                         const MethodRules& rules) {
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) {
    return [method = *quota, votes, &rules](std::int32_t seat_count) {
      CheckFirstDivisor(rules.first_divisor);
      std::vector<std::int32_t> votes_over;
      const std::optional<ThresholdOutcome> threshold =
          ThresholdFor(rules, votes, seat_count, votes_over);
      return FinalSeatsOf(
          QuotaRecord(method, votes, seat_count, rules, threshold, threshold ? votes_over : votes));
    };
  }
  return DivisorSeatsSwept(std::get<DivisorMethod>(method), votes, rules);
}

}  // namespace

void CheckMethod(Method method, std::span<const std::int32_t> votes, std::int32_t seat_count,
                 const MethodRules& rules) {
  CheckFirstDivisor(rules.first_divisor);
  std::vector<std::int32_t> votes_over;
  const std::optional<ThresholdOutcome> threshold =
      ThresholdFor(rules, votes, seat_count, votes_over);
  const std::span<const std::int32_t> taking_part = threshold ? votes_over : votes;
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) {
    CheckQuotaDistrict(*quota, taking_part, seat_count);
  } else {
    CheckDistrict(taking_part, seat_count);
  }
}

MethodOutcome CalculateMethod(Method method, std::span<const std::int32_t> votes,
                              std::int32_t seat_count, const MethodRules& rules) {
  CheckFirstDivisor(rules.first_divisor);
  MethodOutcome outcome{method, std::nullopt, std::nullopt, {}, std::nullopt, 0, std::nullopt};
  std::vector<std::int32_t> votes_over;
  outcome.threshold = ThresholdFor(rules, votes, seat_count, votes_over);
  const std::span<const std::int32_t> taking_part = outcome.threshold ? votes_over : votes;
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) {
    outcome.quota = QuotaRecord(*quota, votes, seat_count, rules, outcome.threshold, taking_part);
    outcome.final_seats = FinalSeatsOf(*outcome.quota);
    outcome.total_votes = outcome.quota->total_votes;
  } else {
    const auto divisor_method = std::get<DivisorMethod>(method);
    DivisorAllocation allocation =
        AllocateByDivisors(divisor_method, taking_part, seat_count, rules.tie_rule,
                           FirstDivisorOf(divisor_method, rules));
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
  return SweepSeatCounts(SweptSeats(method, votes, rules), first, last);
}

void SweepMethod(Method method, std::span<const std::int32_t> votes, std::int32_t first,
                 std::int32_t last, const MethodRules& rules, const SweepRowSink& on_row) {
  SweepSeatCounts(SweptSeats(method, votes, rules), first, last, on_row);
}

}  // namespace mandati
