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

// A seat-count sweep: each method's final seats for every seat count from `first` to `last`.
struct SweepRequest {
  std::vector<Method> methods;
  std::int32_t first = 1;
  std::int32_t last = 1;
  bool exact = false;
};

// The sweep of one method, row by row (see SweepSeatCounts), so that no caller holds it whole.
void SweepMethod(const District& district, Method method, const SweepRequest& request,
                 const SweepRowSink& on_row);

// Raises CalculationError when a method of the sweep cannot be calculated at one of its seat
// counts. A quota only falls as the seats rise, and with it every way a quota method fails
// (a quota of 0, preliminary seats beyond the limit) only grows, so a method that fails
// anywhere in the range fails at its last count: that count alone is tried, before a sweep
// writes anything.
void CheckSweep(const District& district, const SweepRequest& request);

std::vector<std::int32_t> VotesOf(const District& district);

}  // namespace mandati::format
