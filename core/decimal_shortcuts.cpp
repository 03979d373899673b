#include "core/decimal_shortcuts.h"

#include <cmath>

namespace mandati::shortcuts {

namespace {

constexpr int kMaxDigits = 15;
constexpr int kExactPowers = 22;                    // 10^0 .. 10^22 are exact doubles
constexpr double kExactWhole = 9007199254740992.0;  // 2^53

constexpr double kPowers[kExactPowers + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

constexpr std::uint64_t kIntPowers[19] = {1ULL,
                                          10ULL,
                                          100ULL,
                                          1000ULL,
                                          10000ULL,
                                          100000ULL,
                                          1000000ULL,
                                          10000000ULL,
                                          100000000ULL,
                                          1000000000ULL,
                                          10000000000ULL,
                                          100000000000ULL,
                                          1000000000000ULL,
                                          10000000000000ULL,
                                          100000000000000ULL,
                                          1000000000000000ULL,
                                          10000000000000000ULL,
                                          100000000000000000ULL,
                                          1000000000000000000ULL};

// The decimal exponent of a positive x: 10^e <= x < 10^(e+1), for 1e-8 <= x < 1e15.
int DecimalExponent(double x) {
  static constexpr double kNextPowers[] = {1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,
                                           1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                           1e9,  1e10, 1e11, 1e12, 1e13, 1e14};
  int e = -8;
  while (e < kMaxDigits - 1 && x >= kNextPowers[e + 8]) ++e;
  return e;
}

}  // namespace

std::optional<double> ReadPlainDecimal(std::string_view text, std::string_view separator) {
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++pos;
  std::uint64_t magnitude = 0;
  int digits = 0;
  int decimals = -1;  // -1 until the separator
  while (pos < text.size()) {
    const char c = text[pos];
    if (c >= '0' && c <= '9') {
      if (++digits > kMaxDigits) return std::nullopt;
      magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
      if (decimals >= 0) ++decimals;
      ++pos;
    } else if (decimals < 0 && !separator.empty() &&
               text.substr(pos, separator.size()) == separator) {
      decimals = 0;
      pos += separator.size();
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  const double value = static_cast<double>(magnitude) / kPowers[decimals < 0 ? 0 : decimals];
  return negative && value != 0 ? -value : value;
}

std::optional<ScaledDecimal> ShortestDecimal(double x) {
  const double magnitude = std::fabs(x);
  if (!(magnitude < 1e15)) return std::nullopt;
  const bool negative = x < 0;
  if (magnitude == std::trunc(magnitude)) {
    return ScaledDecimal{negative && magnitude != 0, static_cast<std::uint64_t>(magnitude), 0};
  }
  if (magnitude < 1e-8) return std::nullopt;
  const int whole_digits = magnitude < 1 ? 0 : DecimalExponent(magnitude) + 1;
  const int leading_zeros = magnitude < 1 ? -DecimalExponent(magnitude) - 1 : 0;
  for (int k = 1; k <= kMaxDigits - whole_digits + leading_zeros && k <= kExactPowers; ++k) {
    const double scaled = std::nearbyint(magnitude * kPowers[k]);
    if (scaled < kExactWhole && scaled / kPowers[k] == magnitude) {
      return ScaledDecimal{negative, static_cast<std::uint64_t>(scaled), k};
    }
  }
  return std::nullopt;
}

std::optional<ScaledDecimal> RoundedDecimal(double x, int decimals) {
  const double magnitude = std::fabs(x);
  if (decimals < 0 || decimals > 8) return std::nullopt;
  if (magnitude == 0) return ScaledDecimal{false, 0, decimals};
  if (!(magnitude >= 1e-8 && magnitude < 1e10)) return std::nullopt;
  // The 15 significant digits: digits x 10^(e - 14) is x to 15 digits, rounded to nearest
  // with ties to even, as an exact conversion of x would round them.
  int e = DecimalExponent(magnitude);
  double scaled = magnitude * kPowers[kMaxDigits - 1 - e];
  if (scaled >= 1e15 - 0.5 || scaled < 1e14) {  // the exponent was one off at a power of ten
    e += scaled >= 1e15 - 0.5 ? 1 : -1;
    scaled = magnitude * kPowers[kMaxDigits - 1 - e];
  }
  const auto whole = static_cast<std::uint64_t>(scaled);
  const double fraction = scaled - static_cast<double>(whole);
  std::uint64_t digits = whole + (fraction > 0.5 ? 1 : 0);
  if (fraction == 0.5) {
    // The product was rounded onto the half: its exact rounding error tells the side.
    const double error = std::fma(magnitude, kPowers[kMaxDigits - 1 - e], -scaled);
    if (error > 0 || (error == 0 && whole % 2 == 1)) ++digits;
  }
  // Shift to `decimals` decimals: multiply, or divide rounding halves up.
  const int shift = decimals + e - (kMaxDigits - 1);
  if (shift >= 0) {
    digits *= kIntPowers[shift];
  } else if (-shift > kMaxDigits) {
    digits = 0;
  } else {
    const std::uint64_t divisor = kIntPowers[-shift];
    digits = digits / divisor + (digits % divisor >= divisor / 2 ? 1 : 0);
  }
  return ScaledDecimal{x < 0 && digits != 0, digits, decimals};
}

}  // namespace mandati::shortcuts
