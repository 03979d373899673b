// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/decimal_conversion.h"

#include <array>
#include <bit>
#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>

namespace mandati {

namespace {

constexpr std::array<std::uint64_t, 20> kPowersOfTen = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

// A whole number below 2^1280, as base-2^32 limbs from the least significant: room for the
// largest a conversion makes, a 53-bit significand times 10^342 (below 2^1190) or times 2^971.
class BigWhole {
 public:
  // Only the limbs below size_ are ever read, so the others need no value.
  explicit BigWhole(std::uint64_t value) {
    limbs_[0] = static_cast<std::uint32_t>(value);
    limbs_[1] = static_cast<std::uint32_t>(value >> 32);
  }

  void MultiplyByPowerOfTen(int n) {
    for (; n >= 9; n -= 9) Multiply(1'000'000'000);
    Multiply(static_cast<std::uint32_t>(kPowersOfTen[static_cast<std::size_t>(n)]));
  }

  void ShiftLeft(int bits) {
    const int whole_limbs = bits / 32;
    const int rest = bits % 32;
    for (int i = size_ + whole_limbs; i >= 0; --i) {
      const int from = i - whole_limbs;
      const std::uint64_t pair = (std::uint64_t{Limb(from)} << 32) | Limb(from - 1);
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
      const std::uint64_t pair = (std::uint64_t{Limb(from + 1)} << 32) | Limb(from);
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
    return (std::uint64_t{Limb(1)} << 32) | Limb(0);
  }

 private:
  static std::size_t Index(int i) { return static_cast<std::size_t>(i); }

  std::uint32_t Limb(int i) const { return i >= 0 && i < size_ ? limbs_[Index(i)] : 0; }

  void Multiply(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (int i = 0; i < size_; ++i) {
      carry += std::uint64_t{limbs_[Index(i)]} * factor;
      limbs_[Index(i)] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    if (carry != 0) limbs_[Index(size_++)] = static_cast<std::uint32_t>(carry);
  }

  void Trim() {
    while (size_ > 0 && limbs_[Index(size_ - 1)] == 0) --size_;
  }

  std::array<std::uint32_t, 40> limbs_;  // NOLINT(cppcoreguidelines-pro-type-member-init)
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

// A value cut to a whole number, and what the cut dropped.
struct Cut {
  std::uint64_t whole;
  Dropped dropped;
};

// significand x 2^exponent x 10^scale cut to a whole number, or nothing when that is 2^64 or
// more.
std::optional<Cut> ScaledCut(std::uint64_t significand, int exponent, int scale) {
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
  return Cut{*whole, dropped};
}

// The cut value rounded to the nearest whole number, a half to the even one.
std::uint64_t Rounded(const Cut& cut) {
  const bool up =
      cut.dropped == Dropped::kAboveHalf || (cut.dropped == Dropped::kHalf && cut.whole % 2 == 1);
  return cut.whole + (up ? 1 : 0);
}

// The decimal's digits as an ASCII number that ReadDecimal reads.
std::string AsciiOf(const Decimal& decimal) {
  return (decimal.negative ? "-" : "") + std::to_string(decimal.digits) + "e" +
         std::to_string(decimal.exponent);
}

}  // namespace

Decimal DecimalOf(double x, int precision) {
  if (x == 0) return Decimal{};
  // x is significand x 2^exponent: the bits of the double, with the hidden bit of a normal one.
  std::uint64_t bits = 0;
  std::memcpy(&bits, &x, sizeof bits);
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased != 0) significand |= std::uint64_t{1} << 52;
  const int exponent = (biased != 0 ? biased : 1) - 1075;
  // 10^(precision - 1): the rounded value has `precision` digits.
  const std::uint64_t lowest = kPowersOfTen[static_cast<std::size_t>(precision - 1)];
  // The digits before the point: estimated from the highest bit (log10(2) is about
  // 78913 / 2^18), which gives the count or one fewer. Cut to `precision` digits for the
  // estimate, the value has `precision` or one more, and that one is cut off too.
  const int high_bit = exponent + 63 - std::countl_zero(significand);
  int point = ((high_bit * 78913) >> 18) + 1;
  std::optional<Cut> cut;
  for (;;) {
    cut = ScaledCut(significand, exponent, precision - point);
    if (!cut || cut->whole >= lowest * 100) {
      ++point;
    } else if (cut->whole < lowest) {
      --point;
    } else {
      break;
    }
  }
  if (cut->whole >= lowest * 10) {
    cut =
        Cut{cut->whole / 10, DropDigit(static_cast<std::uint32_t>(cut->whole % 10), cut->dropped)};
    ++point;
  }
  std::uint64_t scaled = Rounded(*cut);
  if (scaled == lowest * 10) {  // rounded up to one digit more: 9.99... to 10.0...
    scaled = lowest;
    ++point;
  }
  Decimal decimal{x < 0, scaled, point - precision};
  while (decimal.digits % 10 == 0) {
    decimal.digits /= 10;
    ++decimal.exponent;
  }
  return decimal;
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
  // newlocale and strtod_l are POSIX's part of <clocale> and <cstdlib>, in glibc and musl.
  static const locale_t c_locale = newlocale(LC_ALL_MASK, "C", nullptr);
  if (c_locale == nullptr) throw std::bad_alloc();
  return strtod_l(ascii.c_str(), nullptr, c_locale);
}

}  // namespace mandati
