// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/party_table.h"

namespace mandati {

// One quota: its names and its formula. The formula of every quota has the same shape,
// `added + Floor(V / (S + seat_offset))` for V votes in all and S seats, so these two numbers
// are the rule itself: ComputeQuota and every text that states the rule are made from them.
// Hare-Niemeyer (`exact`) takes V / (S + seat_offset) as it is, a fraction: its preliminary
// seats and remainders come from V_i x S / V in whole numbers (core/exact_quotient.h), and
// ComputeQuota gives its whole votes.
struct QuotaRule {
  QuotaMethod method;
  std::string_view caption;  // the window's option caption, exactly as it stands there
  std::string_view keyword;  // the command line's word for it
  int seat_offset;
  int added;
  bool in_window;  // the window offers it as an option; the command line offers every quota
  bool in_all;     // among the methods compared side by side (AllMethods); else by name only
  bool exact;      // the quotient is not floored
};

// Hare-Niemeyer is only chosen by name: the six methods compared side by side stay six, so a
// comparison of "all" reads as it always did.
inline constexpr std::array<QuotaRule, 5> kQuotaRules{{
    {QuotaMethod::Hare, "Квота на Хеър", "hare", 0, 0, true, true, false},
    // The window's caption carries a trailing blank.
    {QuotaMethod::Droop, "Квота на Друп ", "droop", 1, 1, true, true, false},
    {QuotaMethod::HagenbachBischoff, "Квота на Хагенбах-Бишоф", "hagenbach-bischoff", 1, 0, true,
     true, false},
    {QuotaMethod::Imperiali, "Квота на Империали", "imperiali", 2, 0, false, true, false},
    {QuotaMethod::HareNiemeyer, "Метод на Хеър-Нимайер", "hare-niemeyer", 0, 0, false, false, true},
}};

// The rule of a method; an impossible method number is a programming error
// (std::logic_error), not unusable input.
const QuotaRule& RuleOf(QuotaMethod method);

// The quota of the window's option with this index (0 for the first), if the window offers one.
std::optional<QuotaMethod> WindowQuota(int index);
// The index of the window's option for `method`, WindowQuota's own mapping read backwards; a
// quota the window does not offer is a programming error (std::logic_error).
int WindowQuotaIndex(QuotaMethod method);

// The caption without the blanks some captions carry at their end, for texts that quote it.
std::string_view QuotaName(QuotaMethod method);

// The formula in letters, "1 + floor(V / (S + 1))", or with the district's numbers in
// place of V and S + offset, "1 + floor(159349 / 8)"; an exact quotient without the floor,
// "V / S", "159349 / 7".
std::string QuotaRuleText(QuotaMethod method);
std::string QuotaFormulaText(QuotaMethod method, std::int32_t total_votes, double seats);

// The electoral quota, the number of votes that buys one seat, from TotalVotes (V),
// SeatCount (S, unchecked: it may be fractional, zero or negative) and QuotaMethod:
//   Hare               ToInt32(Floor(V / S))
//   Droop              ToInt32(1 + Floor(V / (S + 1)))
//   HagenbachBischoff  ToInt32(Floor(V / (S + 1)))
//   Imperiali          ToInt32(Floor(V / (S + 2)))
// Raises DivisionByZeroError for a zero divisor and OverflowError for a quota beyond 32 bits.
// A quota of 0 is returned as it is; the allocation pass then divides by it.
std::int32_t ComputeQuota(const FormValues& values);

}  // namespace mandati
