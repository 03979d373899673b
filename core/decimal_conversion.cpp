// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/decimal_conversion.h"

#include <locale.h>

#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <optional>

namespace mandati {

namespace {

constexpr std::array<std::uint32_t, 9> kSmallPowersOfTen{
    1, 10, 100, 1'000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000};

// A whole number below 2^1280, as base-2^32 limbs from the least significant: room for the
// largest a conversion makes, a 53-bit significand times 10^341 (below 2^1187) or times 2^971.
class BigWhole {
 public:
  explicit BigWhole(std::uint64_t value)
      : limbs_{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)} {}

  void MultiplyByPowerOfTen(int n) {
    for (; n >= 9; n -= 9) Multiply(1'000'000'000);
    Multiply(kSmallPowersOfTen[static_cast<std::size_t>(n)]);
  }

  void ShiftLeft(int bits) {
    const int whole_limbs = bits / 32;
    const int rest = bits % 32;
    for (int i = size_ + whole_limbs; i >= 0; --i) {
      const int from = i - whole_limbs;
      const std::uint64_t pair = (static_cast<std::uint64_t>(Limb(from)) << 32) | Limb(from - 1);
      limbs_[Index(i)] = static_cast<std::uint32_t>(pair >> (32 - rest));
    }
    size_ += whole_limbs + 1;
    Trim();
  }

  void ShiftRight(int bits) {
    const int whole_limbs = bits / 32;
    const int rest = bits % 32;
    for (int i = 0; i < size_; ++i) {
      const int from = i + whole_limbs;
      const std::uint64_t pair = (static_cast<std::uint64_t>(Limb(from + 1)) << 32) | Limb(from);
      limbs_[Index(i)] = static_cast<std::uint32_t>(pair >> rest);
    }
    Trim();
  }

  // Divides by 10 and returns the remainder.
  std::uint32_t DivideByTen() {
    std::uint64_t rest = 0;
    for (int i = size_ - 1; i >= 0; --i) {
      const std::uint64_t current = (rest << 32) | limbs_[Index(i)];
      limbs_[Index(i)] = static_cast<std::uint32_t>(current / 10);
      rest = current % 10;
    }
    Trim();
    return static_cast<std::uint32_t>(rest);
  }

  bool Bit(int n) const { return ((Limb(n / 32) >> (n % 32)) & 1U) != 0; }

  bool AnyBitBelow(int n) const {
    for (int i = 0; i < n / 32; ++i) {
      if (Limb(i) != 0) return true;
    }
    return (Limb(n / 32) & ((1U << (n % 32)) - 1U)) != 0;
  }

  std::optional<std::uint64_t> Value() const {
    if (size_ > 2) return std::nullopt;
    return (static_cast<std::uint64_t>(Limb(1)) << 32) | Limb(0);
  }

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }

  std::uint32_t Limb(int i) const { return i >= 0 && i < size_ ? limbs_[Index(i)] : 0; }

  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
      carry += static_cast<std::uint64_t>(limbs_[Index(i)]) * factor;
      limbs_[Index(i)] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) limbs_[Index(size_++)] = static_cast<std::uint32_t>(carry);
  }

  void Trim() {
    while (size_ > 0 && limbs_[Index(size_ - 1)] == 0) --size_;
  }

  std::array<std::uint32_t, 40> limbs_{};
  int size_ = 2;
};

// What a rounding drops, as a part of the last unit kept.
enum class Dropped { kNothing, kBelowHalf, kHalf, kAboveHalf };

// A decimal digit dropped in front of what was dropped before it.
Dropped DropDigit(std::uint32_t digit, Dropped after) {
  if (digit == 0 && after == Dropped::kNothing) return Dropped::kNothing;
  if (digit != 5) return digit < 5 ? Dropped::kBelowHalf : Dropped::kAboveHalf;
  return after == Dropped::kNothing ? Dropped::kHalf : Dropped::kAboveHalf;
}

// significand x 2^exponent x 10^scale rounded to a whole number, a half to the even one, or
// nothing when that is 2^64 or more.
std::optional<std::uint64_t> ScaledToWhole(std::uint64_t significand, int exponent, int scale) {
  BigWhole number(significand);
  if (scale > 0) number.MultiplyByPowerOfTen(scale);
  Dropped dropped = Dropped::kNothing;
  if (exponent >= 0) {
    number.ShiftLeft(exponent);
  } else {
    const int bits = -exponent;
    if (number.Bit(bits - 1)) {
      dropped = number.AnyBitBelow(bits - 1) ? Dropped::kAboveHalf : Dropped::kHalf;
    } else if (number.AnyBitBelow(bits - 1)) {
      dropped = Dropped::kBelowHalf;
    }
    number.ShiftRight(bits);
  }
  for (int i = scale; i < 0; ++i) dropped = DropDigit(number.DivideByTen(), dropped);
  const std::optional<std::uint64_t> whole = number.Value();
  if (!whole) return std::nullopt;
  const bool up = dropped == Dropped::kAboveHalf || (dropped == Dropped::kHalf && *whole % 2 == 1);
  return *whole + (up ? 1 : 0);
}

// The decimal's digits as an ASCII number that ReadDecimal reads.
std::string AsciiOf(const Decimal& decimal) {
  if (decimal.digits.empty()) return "0";
  return (decimal.negative ? "-" : "") + decimal.digits + "e" +
         std::to_string(decimal.point - static_cast<int>(decimal.digits.size()));
}

}  // namespace

Decimal DecimalOf(double x, int precision) {
  if (x == 0) return Decimal{};
  int binary_exponent = 0;
  const double fraction = std::frexp(std::fabs(x), &binary_exponent);
  const auto significand = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int exponent = binary_exponent - 53;
  std::uint64_t lowest = 1;  // 10^(precision - 1): the scaled value has `precision` digits
  for (int i = 1; i < precision; ++i) lowest *= 10;
  // The digits before the point: the logarithm's estimate, corrected until the rounded value
  // has exactly `precision` digits. A value that rounded up to 10^(precision - 1) may have
  // come from one digit fewer before the point, where it keeps `precision` digits.
  int point = static_cast<int>(std::floor(std::log10(std::fabs(x)))) + 1;
  std::optional<std::uint64_t> scaled;
  for (;;) {
    scaled = ScaledToWhole(significand, exponent, precision - point);
    if (!scaled || *scaled >= lowest * 10) {
      ++point;
    } else if (*scaled < lowest) {
      --point;
    } else {
      break;
    }
  }
  if (*scaled == lowest) {
    const std::optional<std::uint64_t> fewer =
        ScaledToWhole(significand, exponent, precision - point + 1);
    if (fewer && *fewer < lowest * 10) {
      scaled = fewer;
      --point;
    }
  }
  char digits[20] = {};
  char* end = std::to_chars(digits, digits + sizeof digits, *scaled).ptr;
  while (end[-1] == '0') --end;  // the first digit is not 0
  return Decimal{x < 0, std::string(digits, static_cast<std::size_t>(end - digits)), point};
}

Decimal ShortDecimalOf(double x) {
  // From the smallest normal double up, a decimal of at most 15 digits reads back as the double
  // nearest to it, which rounds to those same 15 digits: so x rounded to 15 digits is the
  // shortest decimal that reads back as x whenever one of at most 15 digits does. The
  // subnormal doubles hold fewer digits, and there the shortest is searched for.
  if (std::fabs(x) >= DBL_MIN) return DecimalOf(x, 15);
  for (int precision = 1; precision < 15; ++precision) {
    Decimal decimal = DecimalOf(x, precision);
    if (ReadDecimal(AsciiOf(decimal)) == x) return decimal;
  }
  return DecimalOf(x, 15);
}

double ReadDecimal(const std::string& ascii) {
  // The "C" locale's reading, whatever the user's LC_NUMERIC: the point is always ".".
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
  if (c_locale == nullptr) throw std::bad_alloc();
  return strtod_l(ascii.c_str(), nullptr, c_locale);
}

}  // namespace mandati
