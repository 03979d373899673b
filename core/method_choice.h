// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The choice of a seat method, for whoever offers every method side by side: the quotas with
// the largest remainders (core/passes.h, Hare-Niemeyer in core/exact_quotient.h) and the
// divisor methods (core/seat_methods.h), their names and keywords, one method's outcome on a
// district under the law's options (MethodRules) and its sweep over seat counts.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/election_rules.h"
#include "core/passes.h"
#include "core/seat_methods.h"
#include "core/threshold.h"

namespace mandati {

using Method = std::variant<QuotaMethod, DivisorMethod>;

// The methods compared side by side, in the order texts list them: the quotas, then the
// divisor methods. Hare-Niemeyer is not among them (QuotaRule::in_all): it is chosen by name.
std::vector<Method> AllMethods();

// The command line's word for a method ("hare", "dhondt") and its name as texts show it
// ("Квота на Хеър", "Метод на Д'Онт"), from the quota and divisor tables.
std::string_view KeywordOf(Method method);
std::string NameOf(Method method);
// The method named by a keyword, if any: every method, Hare-Niemeyer too.
std::optional<Method> MethodNamed(std::string_view keyword);

// The options of a calculation that the law sets; the defaults give the window's rules.
struct MethodRules {
  Ranking ranking = Ranking::kKeys;            // the floored quotas' remainder queue
  TieRule tie_rule = TieRule::kOrder;          // equal remainders or averages, every method
  Decimal first_divisor = kPlainFirstDivisor;  // Sainte-Laguë's; the other methods ignore it
  Threshold threshold;                         // exempt parties matter only under a bar
};

// One method's outcome on a district.
struct MethodOutcome {
  Method method;
  std::optional<Calculation> quota;           // for a quota method
  std::optional<DivisorAllocation> divisors;  // for a divisor method
  std::vector<std::int32_t> final_seats;      // per party
  std::optional<Disproportionality> disproportionality;
  // The district's votes added up, as the method counted them: under a threshold, those of
  // the parties taking part.
  std::int64_t total_votes = 0;
  std::optional<ThresholdOutcome> threshold;  // under a threshold: its bar and who fell under
};

// The district (party i's votes at index i - 1, the seat count) under one method and `rules`,
// with its disproportionality, of every party's votes and seats. A district beyond the
// method's limits raises CalculationLimitError (core/errors.h) naming the value that failed,
// as does a threshold no party reaches (kThreshold); an option beyond its limits raises
// RuleError, whichever the method.
MethodOutcome CalculateMethod(Method method, std::span<const std::int32_t> votes,
                              std::int32_t seat_count, const MethodRules& rules);

// The limits CalculateMethod checks before it calculates, without calculating: raises what it
// would raise for them (CalculationLimitError, RuleError), so that a caller can learn which
// seat counts of a range a method can calculate before it writes any of them.
void CheckMethod(Method method, std::span<const std::int32_t> votes, std::int32_t seat_count,
                 const MethodRules& rules);

struct MethodSweep {
  Method method;
  SeatSweep sweep;
};

// Each party's final seats under `method` for every seat count from `first` to `last`, each
// count giving what CalculateMethod gives: one calculation of the record per count under a
// quota, one hand-out going on from count to count under a divisor method (see
// DivisorSeatsUpwards). A quota bar (ThresholdKind::kQuota) falls as seats are added, so the
// parties taking part can change from one count to the next, and the quota with them (a divisor
// method's hand-out then starts again): a refusal then need not come at the last count (no party
// over the bar comes at the fewest seats), and a caller that checks one count checks each.
SeatSweep SweepMethod(Method method, std::span<const std::int32_t> votes, std::int32_t first,
                      std::int32_t last, const MethodRules& rules);
// The same, row by row as each seat count is calculated (see SweepSeatCounts).
void SweepMethod(Method method, std::span<const std::int32_t> votes, std::int32_t first,
                 std::int32_t last, const MethodRules& rules, const SweepRowSink& on_row);

}  // namespace mandati
