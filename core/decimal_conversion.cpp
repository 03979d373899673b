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

// Two 64-bit limbs side by side: a compiler extension that GCC and Clang, emscripten's too,
// have.
__extension__ using Wide = unsigned __int128;

// What a rounding drops, as a part of the last unit kept.
enum class Dropped { kNothing, kBelowHalf, kHalf, kAboveHalf };

// A dropped part `rest` of a unit `unit` (an even number) in front of what was dropped
// before it.
Dropped Drop(std::uint64_t rest, std::uint64_t unit, Dropped after) {
  if (rest == 0 && after == Dropped::kNothing) return Dropped::kNothing;
  if (rest != unit / 2) return rest < unit / 2 ? Dropped::kBelowHalf : Dropped::kAboveHalf;
  return after == Dropped::kNothing ? Dropped::kHalf : Dropped::kAboveHalf;
}

// A whole number below 2^1280, as 64-bit limbs from the least significant: room for the
// largest a conversion makes, a 53-bit significand times 10^342 (below 2^1190) or times 2^971.
class BigWhole {
 public:
  // Every limb starts at 0, and Limb reads 0 at size_ and beyond.
  explicit BigWhole(std::uint64_t value) { limbs_[0] = value; }

  void MultiplyByPowerOfTen(int n) {
    for (; n > 0; n -= 19) {
      const std::uint64_t factor = kPowersOfTen[static_cast<std::size_t>(n < 19 ? n : 19)];
      Wide carry = 0;
      for (std::size_t i = 0; i < size_; ++i) {
        carry += Wide{limbs_[i]} * factor;
        limbs_[i] = static_cast<std::uint64_t>(carry);
        carry >>= 64;
      }
      if (carry != 0) limbs_[size_++] = static_cast<std::uint64_t>(carry);
    }
  }

  // Divides by 10^n; returns what that drops, in front of `after`, what was dropped before.
  Dropped DivideByPowerOfTen(int n, Dropped after) {
    for (; n > 0; n -= 19) {
      const std::uint64_t divisor = kPowersOfTen[static_cast<std::size_t>(n < 19 ? n : 19)];
      Wide rest = 0;
      for (std::size_t i = size_; i-- > 0;) {
        const Wide current = (rest << 64) | limbs_[i];
        limbs_[i] = static_cast<std::uint64_t>(current / divisor);
        rest = current % divisor;
      }
      Trim();
      after = Drop(static_cast<std::uint64_t>(rest), divisor, after);
    }
    return after;
  }

  void ShiftLeft(int bits) {
    const auto whole_limbs = static_cast<std::size_t>(bits / 64);
    const int rest = bits % 64;
    for (std::size_t i = size_ + whole_limbs + 1; i-- > whole_limbs;) {
      const Wide pair = (Wide{Limb(i - whole_limbs)} << 64) | Limb(i - whole_limbs - 1);
      limbs_[i] = static_cast<std::uint64_t>(pair >> (64 - rest));
    }
    for (std::size_t i = 0; i < whole_limbs; ++i) limbs_[i] = 0;
    size_ += whole_limbs + 1;
    Trim();
  }

  // Divides by 2^bits; returns what that drops.
  Dropped ShiftRight(int bits) {
    const auto whole_limbs = static_cast<std::size_t>(bits / 64);
    const int rest = bits % 64;
    const bool half = Bit(bits - 1);
    const bool below_half = AnyBitBelow(bits - 1);
    const Dropped dropped = half ? (below_half ? Dropped::kAboveHalf : Dropped::kHalf)
                                 : (below_half ? Dropped::kBelowHalf : Dropped::kNothing);
    for (std::size_t i = 0; i < size_; ++i) {
      const Wide pair = (Wide{Limb(i + whole_limbs + 1)} << 64) | Limb(i + whole_limbs);
      limbs_[i] = static_cast<std::uint64_t>(pair >> rest);
    }
    Trim();
    return dropped;
  }

  // The number when it is below 2^64.
  std::optional<std::uint64_t> Value() const {
    if (size_ > 1) return std::nullopt;
    return Limb(0);
  }

 private:
  std::uint64_t Limb(std::size_t i) const { return i < size_ ? limbs_[i] : 0; }

  bool Bit(int n) const { return ((Limb(static_cast<std::size_t>(n / 64)) >> (n % 64)) & 1U) != 0; }

  bool AnyBitBelow(int n) const {
    const auto limb = static_cast<std::size_t>(n / 64);
    for (std::size_t i = 0; i < limb; ++i) {
      if (Limb(i) != 0) return true;
    }
    return (Limb(limb) & ((std::uint64_t{1} << (n % 64)) - 1U)) != 0;
  }

  void Trim() {
    while (size_ > 0 && limbs_[size_ - 1] == 0) --size_;
  }

  std::array<std::uint64_t, 20> limbs_{};
  std::size_t size_ = 1;
};

// A value cut to a whole number, and what the cut dropped.
struct Cut {
  std::uint64_t whole;
  Dropped dropped;
};

// significand x 2^exponent x 10^scale cut to a whole number, or nothing when that is 2^64 or
// more.
std::optional<Cut> ScaledCut(std::uint64_t significand, int exponent, int scale) {
  BigWhole number(significand);
  number.MultiplyByPowerOfTen(scale);
  Dropped dropped = Dropped::kNothing;
  if (exponent >= 0) {
    number.ShiftLeft(exponent);
  } else {
    dropped = number.ShiftRight(-exponent);
  }
  if (scale < 0) dropped = number.DivideByPowerOfTen(-scale, dropped);
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
std::string AsciiOf(const ScientificDecimal& decimal) {
  return (decimal.negative ? "-" : "") + std::to_string(decimal.digits) + "e" +
         std::to_string(decimal.exponent);
}

}  // namespace

ScientificDecimal DecimalOf(double x, int precision) {
  if (x == 0) return ScientificDecimal{};
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
    cut = Cut{cut->whole / 10, Drop(cut->whole % 10, 10, cut->dropped)};
    ++point;
  }
  std::uint64_t scaled = Rounded(*cut);
  if (scaled == lowest * 10) {  // rounded up to one digit more: 9.99... to 10.0...
    scaled = lowest;
    ++point;
  }
  ScientificDecimal decimal{x < 0, scaled, point - precision};
  while (decimal.digits % 10 == 0) {
    decimal.digits /= 10;
    ++decimal.exponent;
  }
  return decimal;
}

ScientificDecimal ShortDecimalOf(double x) {
  // From the smallest normal double up, a decimal of at most 15 digits reads back as the double
  // nearest to it, which rounds to those same 15 digits: so x rounded to 15 digits is the
  // shortest decimal that reads back as x whenever one of at most 15 digits does. The
  // subnormal doubles hold fewer digits, and there the shortest is searched for.
  if (std::fabs(x) >= DBL_MIN) return DecimalOf(x, 15);
  for (int precision = 1; precision < 15; ++precision) {
    ScientificDecimal decimal = DecimalOf(x, precision);
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
