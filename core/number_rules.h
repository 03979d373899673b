// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mandati {

// How the user writes numbers: the window fills this from the system locale. Separators
// are UTF-8 texts, since some locales use a non-ASCII blank for digit grouping.
struct NumberSettings {
  enum class NegativeForm : std::uint8_t {
    kLeadingMinus,       // -1.5
    kParentheses,        // (1.5)
    kLeadingMinusBlank,  // - 1.5
    kTrailingMinus,      // 1.5-
    kTrailingBlankMinus  // 1.5 -
  };

  std::string decimal_separator = ".";
  std::string group_separator = ",";
  int group_size = 0;  // digits per group; 0 for no grouping
  bool leading_zero = true;
  NegativeForm negative_form = NegativeForm::kLeadingMinus;

  friend bool operator==(const NumberSettings&, const NumberSettings&) = default;
};

// The number at the start of a text: blanks, tabs and line feeds are skipped wherever they
// stand; an optional sign, digits with at most one ".", an optional exponent. The rest is
// ignored and a text without a number gives 0. Never fails: a magnitude beyond the double
// range gives an infinity, one too small to hold gives 0.
double LeadingNumber(std::string_view text);

// Nearest whole number, ties to the even neighbour; OverflowError outside the width
// (NaN and infinities included).
std::int16_t ToInt16(double x);
std::int32_t ToInt32(double x);

double Floor(double x);

// A true division of doubles; DivisionByZeroError for a zero divisor.
double Divide(double dividend, double divisor);

// The default text of a number. Whole numbers: their digits, "-" before a negative one.
// Fractional numbers below 10^15 in magnitude: the shortest text that gives the value back,
// at most 15 significant digits, the user's decimal separator, "0" before it below 1,
// never an exponent. No grouping in either case.
std::string NumberText(double x, const NumberSettings& settings);

// A blank (zero or positive) or "-" (negative), then the digits, "." as decimal point.
std::string SignedNumberText(double x);

// Exactly `decimals` decimals in the user's settings. Rounds the number's 15-significant-
// digit decimal form with halves away from zero, so what the user reads rounds as written
// (2.675 gives 2.68). A result that rounds to zero has no minus sign.
std::string FixedText(double x, int decimals, const NumberSettings& settings);

// x x 10^decimals rounded to a whole number exactly as FixedText rounds x, so that
// FixedText(x, n) writes its digits: ScaledRound(0.553373747, 8) is 55337375.
// OverflowError when the result has more than 15 digits.
std::int64_t ScaledRound(double x, int decimals);

// A whole text read as a number in the user's settings; TypeMismatchError when it is not one.
double LocaleNumber(std::string_view text, const NumberSettings& settings);

}  // namespace mandati
