// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator's limits as its messages state them, each written once: the message that
// refuses a value beyond a limit, wherever that value comes from (an option, an argument, an
// input line, a field of the page's bench, a calculation the core refuses).

#include <string>
#include <string_view>

#include "core/errors.h"
#include "core/method_choice.h"

namespace mandati::format {

// What a seat count must be: "a whole number of seats from 1 to 32767".
std::string SeatCountRule();
// What a range of seat counts must be: "a range A..B of whole numbers of seats from 1 to 32767,
// with A < B and at most 1000 seat counts".
std::string SeatRangeRule();
// What a party's votes must be: "a whole number of votes from 1 to 2147483647".
std::string VotesRule();

// "\"12.5\" is not <rule>": a value, shown safely (see Shown), that a rule refuses.
std::string NotA(std::string_view value, std::string_view rule);

// A party beyond the most parties a district has.
std::string PartyCountLimit();
// An input line beyond the most lines read, and one longer than the longest.
std::string LineCountLimit();
std::string LineLengthLimit();

// Why `method` cannot be calculated at the seat count of `error`: the limit the core names,
// with the value that failed it ("the quota floor(6 / 7) = 0: too few votes for the seats, ...").
std::string CalculationLimitReason(Method method, const CalculationLimitError& error);

}  // namespace mandati::format
