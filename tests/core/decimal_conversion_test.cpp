// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/decimal_conversion.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace mandati {
namespace {

// The standard library's own conversion, where it has one, as the yardstick: the digits of
// its scientific text ("-d.ddde+XX") as a ScientificDecimal.
ScientificDecimal StandardDecimal(double x, int precision) {
  char buffer[64];
  const auto end = precision > 0 ? std::to_chars(buffer, buffer + sizeof buffer, x,
                                                 std::chars_format::scientific, precision - 1)
                                 : std::to_chars(buffer, buffer + sizeof buffer, x,
                                                 std::chars_format::scientific);
  const std::string text(buffer, end.ptr);
  const std::size_t e = text.find('e');
  ScientificDecimal decimal{text[0] == '-', 0, std::stoi(text.substr(e + 1))};
  for (std::size_t i = 0; i < e; ++i) {
    if (text[i] == '.') decimal.exponent -= static_cast<int>(e - i - 1);
    if (text[i] >= '0' && text[i] <= '9') decimal.digits = decimal.digits * 10 + (text[i] - '0');
  }
  if (decimal.digits == 0) return ScientificDecimal{};
  for (; decimal.digits % 10 == 0; decimal.digits /= 10) ++decimal.exponent;
  return decimal;
}

double StandardRead(const std::string& text) {
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc{}) {  // out of range: the magnitude tells which way
    const bool negative = text[0] == '-';
    const bool large = text.find("e-") == std::string::npos;
    value = large ? HUGE_VAL : 0.0;
    return negative ? -value : value;
  }
  return value;
}

// Random bit patterns (every binade, subnormals included), votes-like magnitudes, halves at
// every place, decimal halves at the 15th digit, and powers of ten with their neighbours.
std::vector<double> Values() {
  std::mt19937_64 random(20261208);
  std::vector<double> values;
  for (int i = 0; i < 4000; ++i) {
    const double x = std::bit_cast<double>(random());
    if (std::isfinite(x)) values.push_back(x);
    values.push_back(std::uniform_real_distribution<double>(0, 1e6)(random));
    values.push_back(static_cast<double>(random() % 1'000'000) + 0.5);
    values.push_back(std::ldexp(static_cast<double>(random() % 4096) + 0.5, -(i % 60)));
    // 16 digits ending in 5, below 2^53: exactly half way at the 15th digit.
    const auto digits = random() % 7'000'000'000'000'000;
    values.push_back(static_cast<double>(1'000'000'000'000'000 + digits - digits % 10 + 5));
  }
  for (int k = -323; k <= 308; ++k) {
    const double power = StandardRead("1e" + std::to_string(k));
    values.insert(values.end(),
                  {power, std::nextafter(power, 0.0), std::nextafter(power, HUGE_VAL), -power});
  }
  values.insert(values.end(),
                {0.0, -0.0, 2.675, 0.1, 5e-324, 2.2250738585072014e-308, 1.7976931348623157e308});
  return values;
}

TEST(DecimalConversionTest, GivesTheStandardLibrarysDigitsAndNumbers) {
  for (const double x : Values()) {
    for (int precision = 1; precision <= 17; ++precision) {
      ASSERT_EQ(DecimalOf(x, precision), StandardDecimal(x, precision)) << x << " " << precision;
    }
    ScientificDecimal shortest = StandardDecimal(x, 0);
    if (shortest.digits >= 1'000'000'000'000'000) shortest = StandardDecimal(x, 15);
    ASSERT_EQ(ShortDecimalOf(x), shortest) << x;
    for (const int precision : {0, 3, 15, 17}) {
      char text[64];
      const auto end =
          std::to_chars(text, text + sizeof text, x, std::chars_format::scientific, precision);
      const std::string ascii(text, end.ptr);
      ASSERT_EQ(std::bit_cast<std::uint64_t>(ReadDecimal(ascii)),
                std::bit_cast<std::uint64_t>(StandardRead(ascii)))
          << ascii;
    }
  }
}

TEST(DecimalConversionTest, ReadsNumbersBeyondTheRangeOfDoubles) {
  for (const char* text :
       {"1e309", "-1e400", "2e-324", "-1e-400", "0.000", "123456789012345678901234567890e-10"}) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(ReadDecimal(text)),
              std::bit_cast<std::uint64_t>(StandardRead(text)))
        << text;
  }
}

}  // namespace
}  // namespace mandati
