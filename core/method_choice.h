// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The choice of a seat method, for whoever offers every method side by side: the quotas with
// the largest remainders (core/passes.h) and the divisor methods (core/seat_methods.h), their
// names and keywords, one method's outcome on a district and its sweep over seat counts.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/passes.h"
#include "core/seat_methods.h"

namespace mandati {

using Method = std::variant<QuotaMethod, DivisorMethod>;

// Every method in the order texts list them: the quotas, then the divisor methods.
std::vector<Method> AllMethods();

// The command line's word for a method ("hare", "dhondt") and its name as texts show it
// ("Квота на Хеър", "Метод на Д'Онт"), from the quota and divisor tables.
std::string_view KeywordOf(Method method);
std::string NameOf(Method method);
// The method named by a keyword, if any.
std::optional<Method> MethodNamed(std::string_view keyword);

// One method's outcome on a district.
struct MethodOutcome {
  Method method;
  std::optional<Calculation> quota;           // for a quota method
  std::optional<DivisorAllocation> divisors;  // for a divisor method
  std::vector<std::int32_t> final_seats;      // per party
  std::optional<Disproportionality> disproportionality;
  std::int64_t total_votes = 0;  // the district's votes added up, as the method counted them
};

// The district (party i's votes at index i - 1, the seat count) under one method, with its
// disproportionality. `ranking` applies to the quota methods. A district beyond the method's
// limits raises CalculationLimitError (core/errors.h) naming the value that failed.
MethodOutcome CalculateMethod(Method method, std::span<const std::int32_t> votes,
                              std::int32_t seat_count, Ranking ranking);

struct MethodSweep {
  Method method;
  SeatSweep sweep;
};

// Each party's final seats under `method` for every seat count from `first` to `last`: one
// calculation per count under a quota, one hand-out going on from count to count under a
// divisor method (see DivisorSeatsUpwards).
SeatSweep SweepMethod(Method method, std::span<const std::int32_t> votes, std::int32_t first,
                      std::int32_t last, Ranking ranking);
// The same, row by row as each seat count is calculated (see SweepSeatCounts).
void SweepMethod(Method method, std::span<const std::int32_t> votes, std::int32_t first,
                 std::int32_t last, Ranking ranking, const SweepRowSink& on_row);

}  // namespace mandati
