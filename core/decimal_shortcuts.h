#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Exact shortcuts for the number texts a calculation meets most: short plain decimals
// such as "58125" or "0.55337375". Each gives the same result as the general rules or
// declines (std::nullopt), and the general rules then run. They rest on one fact: a whole
// number below 2^53 and a power of ten up to 10^22 are exact doubles, so one division
// between them is the correctly rounded value of the decimal they form.
namespace mandati::shortcuts {

// |value| = magnitude / 10^decimals.
struct ScaledDecimal {
  bool negative = false;
  std::uint64_t magnitude = 0;
  int decimals = 0;
};

// A whole text of the form [-]digits[<separator>digits] with at most 15 digits.
std::optional<double> ReadPlainDecimal(std::string_view text, std::string_view separator);

// The fewest decimals that give x back, when that takes at most 15 significant digits.
std::optional<ScaledDecimal> ShortestDecimal(double x);

// x with exactly `decimals` decimals: its 15-significant-digit form rounded there with halves
// away from zero.
std::optional<ScaledDecimal> RoundedDecimal(double x, int decimals);

}  // namespace mandati::shortcuts
