// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace mandati {

// The one conversion between doubles and decimal digits that the number rules build on. It
// depends on no locale (the window runs with the user's LC_NUMERIC) and gives the same digits
// with every standard library, as it works on the double's exact binary value.

// 10^0 to 10^19, every power of ten a 64-bit number holds.
inline constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

// A decimal number as its significant digits and a power of ten: value = digits x 10^exponent.
struct ScientificDecimal {
  bool negative = false;
  std::uint64_t digits = 0;  // no trailing zeros; 0 for zero
  int exponent = 0;

  friend bool operator==(const ScientificDecimal&, const ScientificDecimal&) = default;
};

// A finite x rounded to `precision` significant digits (1 to 17), a half to the even digit:
// the digits std::to_chars writes in scientific form with precision - 1 decimals.
ScientificDecimal DecimalOf(double x, int precision);

// The shortest decimal of at most 15 significant digits that reads back as a finite x, or x
// rounded to 15 digits when no such decimal does.
ScientificDecimal ShortDecimalOf(double x);

// The ASCII number "[-]digits[.digits][e[+|-]digits]" read as the nearest double, a half to
// the even one; a magnitude beyond the double range gives an infinity, one too small a zero.
double ReadDecimal(const std::string& ascii);

}  // namespace mandati
