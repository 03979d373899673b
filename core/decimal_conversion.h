// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace mandati {

// The one conversion between doubles and decimal digits that the number rules build on. It
// depends on no locale (the window runs with the user's LC_NUMERIC) and gives the same digits
// with every standard library, as it works on the double's exact binary value.

// A decimal number as its digits and the place of the point: value = 0.digits x 10^point.
struct Decimal {
  bool negative = false;
  std::string digits;  // no leading or trailing zeros; "" for zero
  int point = 0;

  friend bool operator==(const Decimal&, const Decimal&) = default;
};

// A finite x rounded to `precision` significant digits (1 to 17), a half to the even digit:
// the digits std::to_chars writes in scientific form with precision - 1 decimals.
Decimal DecimalOf(double x, int precision);

// The shortest decimal of at most 15 significant digits that reads back as a finite x, or x
// rounded to 15 digits when no such decimal does.
Decimal ShortDecimalOf(double x);

// The ASCII number "[-]digits[.digits][e[+|-]digits]" read as the nearest double, a half to
// the even one; a magnitude beyond the double range gives an infinity, one too small a zero.
double ReadDecimal(const std::string& ascii);

}  // namespace mandati
