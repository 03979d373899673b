// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The values of the law's options as the command line and an election file's keys write them
// (--threshold and "# threshold:", ...), read into the core's types, and the texts that show
// them again. The limits come from the core's constants; whether a value suits the district
// (an exempt party of the input, a total of at least the listed votes) is decided once the
// parties are read.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/election_rules.h"
#include "core/threshold.h"

namespace mandati::format {

// "4%" or "3.5%" (a share of the votes, at most kMaxThresholdShareDecimals decimals, up to
// 100), "quota" (Hare's quotient, V / S) or a number of votes, "100211". Raises InputError
// saying what a threshold is, the option called as `called` says (see OptionCaller).
Threshold ThresholdNamed(std::string_view text, std::string_view called = "--threshold");

// The total a share or quota bar is of: a whole number of votes from 1 to kMaxThresholdTotal.
std::int64_t ThresholdTotalNamed(std::string_view text, std::string_view called = "--threshold-of");

// Sainte-Laguë's first divisor, "1.4": from kMinFirstDivisor to kMaxFirstDivisor with at most
// kMaxFirstDivisorDecimals decimals.
Decimal FirstDivisorNamed(std::string_view text, std::string_view called = "--first-divisor");

// "order" (the higher party number first, the default) or "votes" (more votes first).
TieRule TieRuleNamed(std::string_view text, std::string_view called = "--ties");
std::string_view TieRuleKeyword(TieRule rule);

// A decimal as written again, "1.4", "4", "3.5"; digits grouped in thousands by commas when
// `grouped` ("2,505,272").
std::string DecimalText(const Decimal& decimal, bool grouped = false);
// A whole number grouped in thousands by commas: "2,505,272".
std::string GroupedText(std::int64_t number);
// numerator / denominator (above 0) as a decimal: exactly when it ends within 5 decimals
// ("100,210.88"), else cut at 2 decimals with "…" ("162,730.94…"); grouped in thousands by
// commas unless `grouped` is false.
std::string FractionText(const Fraction& fraction, bool grouped = true);

}  // namespace mandati::format
