// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "format/party_input.h"
#include "core/passes.h"
#include "core/seat_methods.h"

namespace mandati::format {

struct District {
  std::int16_t seats = 0;
  std::vector<Party> parties;  // party i at index i - 1
};

// A seat method: one of the quotas with the largest remainders, or a divisor method.
using Method = std::variant<QuotaMethod, DivisorMethod>;

// The command line's word for a method ("hare", "dhondt") and its name as texts show it
// ("Квота на Хеър", "Метод на Д'Онт"), both from the core's tables.
std::string_view KeywordOf(Method method);
std::string NameOf(Method method);
// The method named by a keyword, if any.
std::optional<Method> MethodNamed(std::string_view keyword);

// One method's outcome on the district, as the core returns it.
struct MethodOutcome {
  Method method;
  std::optional<Calculation> quota;           // for a quota method
  std::optional<DivisorAllocation> divisors;  // for a divisor method
  std::vector<std::int32_t> final_seats;      // per party
  std::optional<Disproportionality> disproportionality;
};

// Runs the allocation pass and the remainder pass over the district as the window sets it
// up (party numbers 1 to n, their votes, the party and seat counts, the quota method) and
// returns the core's record of the calculation; with `exact`, the queue is ranked by the
// exact remainders between the two passes. A core error becomes a CalculationError that
// says why the calculation cannot be done.
Calculation Calculate(const District& district, QuotaMethod method, bool exact = false);

// The district under any method, with its disproportionality.
MethodOutcome CalculateMethod(const District& district, Method method, bool exact);

struct MethodSweep {
  Method method;
  SeatSweep sweep;
};

// Each party's final seats under `method` for every seat count from `first` to `last`.
SeatSweep SweepMethod(const District& district, Method method, std::int32_t first,
                      std::int32_t last, bool exact);

std::vector<std::int32_t> VotesOf(const District& district);

}  // namespace mandati::format
