// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <utility>

#include "core/decimal_conversion.h"
#include "core/errors.h"

namespace mandati {

namespace {

constexpr int kShownDigits = 15;  // significant digits a number text ever shows

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void CheckFinite(double x) {
  if (!std::isfinite(x)) throw OverflowError("a number that is not finite");
}

// A decimal in plain notation: "-" for a negative one, the digits before the point (at least
// "0"), then the separator and the digits after the point, if there are any.
std::string PlainText(const ScientificDecimal& dec, std::string_view separator) {
  char buffer[20];
  const char* end = std::to_chars(buffer, buffer + sizeof buffer, dec.digits).ptr;
  const std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
  const int before_point = dec.exponent + static_cast<int>(digits.size());
  std::string text = dec.negative ? "-" : "";
  if (dec.exponent >= 0) {
    text += digits;
    text.append(static_cast<std::size_t>(dec.exponent), '0');
  } else if (before_point <= 0) {
    text += '0';
    text += separator;
    text.append(static_cast<std::size_t>(-before_point), '0');
    text += digits;
  } else {
    text += digits.substr(0, static_cast<std::size_t>(before_point));
    text += separator;
    text += digits.substr(static_cast<std::size_t>(before_point));
  }
  return text;
}

// What stands before and after the digits of a negative number: "-1.5", "(1.5)", "1.5 -".
std::pair<std::string_view, std::string_view> NegativeAffixes(NumberSettings::NegativeForm form) {
  using Form = NumberSettings::NegativeForm;
  switch (form) {
    case Form::kParentheses:
      return {"(", ")"};
    case Form::kLeadingMinusBlank:
      return {"- ", ""};
    case Form::kTrailingMinus:
      return {"", "-"};
    case Form::kTrailingBlankMinus:
      return {"", " -"};
    case Form::kLeadingMinus:
      break;
  }
  return {"-", ""};
}

// Writes `part` so that it ends at `end`; returns where it starts.
char* PutBefore(std::string_view part, char* end) {
  for (std::size_t i = part.size(); i > 0; --i) *--end = part[i - 1];
  return end;
}

// The text of the whole number scaled = significand x 10^zeros divided by 10^decimals, with
// exactly `decimals` decimals, at least one whole digit (unless the settings drop the leading
// zero), grouping and the negative form. Written from the right, digit by digit.
std::string FixedFromScaled(bool negative, std::uint64_t significand, std::size_t zeros,
                            std::size_t decimals, const NumberSettings& settings) {
  char significant[20];  // the significand's digits; none for 0
  std::size_t next =
      significand == 0
          ? 0
          : static_cast<std::size_t>(
                std::to_chars(significant, std::end(significant), significand).ptr - significant);
  const std::size_t digits = next == 0 ? 0 : next + zeros;
  std::size_t whole = (digits > decimals ? digits : decimals + 1) - decimals;
  if (!settings.leading_zero && decimals > 0 && digits <= decimals) whole = 0;  // ".05"
  const auto group = static_cast<std::size_t>(settings.group_size);
  const std::size_t separators = group > 0 && whole > 0 ? (whole - 1) / group : 0;
  const std::string_view separator = settings.group_separator;
  const std::string_view decimal =
      decimals > 0 ? std::string_view(settings.decimal_separator) : std::string_view();
  const auto [before, after] = negative ? NegativeAffixes(settings.negative_form)
                                        : std::pair<std::string_view, std::string_view>();
  std::string text(before.size() + whole + separators * separator.size() + decimal.size() +
                       decimals + after.size(),
                   '0');
  // The digits from the right: the zeros, then the significand's, then zeros in front.
  std::size_t place = 0;
  const auto next_digit = [&]() {
    return place++ < zeros || next == 0 ? '0' : significant[--next];
  };
  char* out = PutBefore(after, text.data() + text.size());
  for (std::size_t k = 0; k < decimals; ++k) *--out = next_digit();
  out = PutBefore(decimal, out);
  for (std::size_t k = 0; k < whole; ++k) {
    if (separators > 0 && k > 0 && k % group == 0) out = PutBefore(separator, out);
    *--out = next_digit();
  }
  PutBefore(before, out);
  return text;
}

// A number to be written with a given count of decimals, as the whole number
// significand x 10^zeros of units of its last decimal place.
struct ScaledNumber {
  bool negative = false;
  std::uint64_t significand = 0;
  std::size_t zeros = 0;
};

// x rounded to 15 significant digits, then to `decimals` places with halves away from zero:
// the digits that remain, followed by zeros up to the last decimal place.
ScaledNumber ScaledByDigits(double x, int decimals) {
  const ScientificDecimal dec = DecimalOf(x, kShownDigits);
  const int shift = dec.exponent + decimals;
  if (shift >= 0) return {dec.negative, dec.digits, static_cast<std::size_t>(shift)};
  // Fewer than 16 digits never reach half of a unit 16 places up.
  if (-shift > kShownDigits) return {};
  const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(-shift)];
  const std::uint64_t whole = dec.digits / unit + (dec.digits % unit * 2 >= unit ? 1 : 0);
  return {dec.negative && whole != 0, whole, 0};
}

// Reads a text character by character, skipping the blanks that LeadingNumber ignores, or
// none (`skip_blanks` false).
class Scanner {
 public:
  Scanner(std::string_view text, bool skip_blanks) : text_(text), skip_blanks_(skip_blanks) {
    SkipBlanks();
  }

  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void Next() {
    ++pos_;
    SkipBlanks();
  }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  void SkipBlanks() {
    while (skip_blanks_ && pos_ < text_.size() &&
           (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n')) {
      ++pos_;
    }
  }

  std::string_view text_;
  bool skip_blanks_;
  std::size_t pos_ = 0;
};

// The exponent after an "e": an optional sign and digits, appended to `number` as "e-12";
// false, reading nothing, when no digit follows. Saturates far beyond any double.
bool ReadExponent(Scanner& scan, std::string& number) {
  const std::size_t start = scan.Position();
  bool negative = false;
  if (scan.Peek() == '+' || scan.Peek() == '-') {
    negative = scan.Peek() == '-';
    scan.Next();
  }
  if (!IsDigit(scan.Peek())) {
    scan.Rewind(start);
    return false;
  }
  long exponent = 0;
  for (; IsDigit(scan.Peek()); scan.Next()) {
    if (exponent < 100000) exponent = exponent * 10 + (scan.Peek() - '0');
  }
  number += 'e' + std::to_string(negative ? -exponent : exponent);
  return true;
}

bool StartsWith(std::string_view text, std::size_t pos, std::string_view part) {
  return !part.empty() && text.substr(pos, part.size()) == part;
}

// Blanks around a number: ASCII blanks and the no-break blanks that some locales group with.
std::string_view Trimmed(std::string_view text) {
  static constexpr std::string_view kBlanks[] = {" ", "\t", "\r", "\n", "\xC2\xA0", "\xE2\x80\xAF"};
  for (bool changed = true; changed;) {
    changed = false;
    for (const std::string_view blank : kBlanks) {
      if (text.starts_with(blank)) {
        text.remove_prefix(blank.size());
        changed = true;
      }
      if (text.ends_with(blank)) {
        text.remove_suffix(blank.size());
        changed = true;
      }
    }
  }
  return text;
}

// Takes a sign or the parentheses of a negative number off `text`; true for negative.
bool TakeSign(std::string_view& text) {
  bool negative = false;
  if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
    text = Trimmed(text.substr(1, text.size() - 2));
    negative = true;
  }
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = negative != (text.front() == '-');
    text = Trimmed(text.substr(1));
  } else if (!text.empty() && (text.back() == '-' || text.back() == '+')) {
    negative = negative != (text.back() == '-');
    text = Trimmed(text.substr(0, text.size() - 1));
  }
  return negative;
}

}  // namespace

double LeadingNumber(std::string_view text) {
  Scanner scan(text, true);
  const bool negative = scan.Peek() == '-';
  if (scan.Peek() == '+' || scan.Peek() == '-') scan.Next();
  std::string number = negative ? "-" : "";
  bool any_digit = false;
  bool seen_point = false;
  for (char c = scan.Peek(); IsDigit(c) || (c == '.' && !seen_point); c = scan.Peek()) {
    if (c == '.') seen_point = true;
    any_digit = any_digit || IsDigit(c);
    number += c;
    scan.Next();
  }
  if (!any_digit) return 0.0;
  if (scan.Peek() == 'e' || scan.Peek() == 'E') {
    scan.Next();
    ReadExponent(scan, number);
  }
  const double value = ReadDecimal(number);
  return value == 0.0 ? 0.0 : value;
}

std::int16_t ToInt16(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= -32768.0 && r <= 32767.0)) throw OverflowError("outside the 16-bit range");
  return static_cast<std::int16_t>(r);
}

std::int32_t ToInt32(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) throw OverflowError("outside the 32-bit range");
  return static_cast<std::int32_t>(r);
}

double Floor(double x) { return std::floor(x); }

double Divide(double dividend, double divisor) {
  if (divisor == 0.0) throw DivisionByZeroError("division by zero");
  return dividend / divisor;
}

std::string NumberText(double x, const NumberSettings& settings) {
  CheckFinite(x);
  // Below 9.2 x 10^18 in magnitude a number converts to a 64-bit integer by cutting off its
  // fraction, and it is whole when that changes nothing.
  if (std::fabs(x) < 9.2e18 && x == static_cast<double>(static_cast<long long>(x))) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(x)).ptr;
    return std::string(digits, end);
  }
  return PlainText(ShortDecimalOf(x), settings.decimal_separator);
}

std::string SignedNumberText(double x) {
  std::string text = NumberText(x, NumberSettings{});
  if (x < 0) return text;
  text.insert(text.begin(), ' ');
  return text;
}

std::string FixedText(double x, int decimals, const NumberSettings& settings) {
  CheckFinite(x);
  if (decimals < 0) decimals = 0;
  const ScaledNumber scaled = ScaledByDigits(x, decimals);
  return FixedFromScaled(scaled.negative, scaled.significand, scaled.zeros,
                         static_cast<std::size_t>(decimals), settings);
}

std::int64_t ScaledRound(double x, int decimals) {
  CheckFinite(x);
  if (decimals < 0) decimals = 0;
  const ScaledNumber scaled = ScaledByDigits(x, decimals);
  // More than 15 digits: the significand reaches 10^(15 - zeros).
  const auto shown = static_cast<std::size_t>(kShownDigits);
  if (scaled.significand != 0 &&
      (scaled.zeros >= shown || scaled.significand >= kPowersOfTen[shown - scaled.zeros])) {
    throw OverflowError("more than 15 digits");
  }
  const auto value = static_cast<std::int64_t>(
      scaled.significand == 0 ? 0 : scaled.significand * kPowersOfTen[scaled.zeros]);
  return scaled.negative ? -value : value;
}

double LocaleNumber(std::string_view text, const NumberSettings& settings) {
  std::string_view body = Trimmed(text);
  const bool negative = TakeSign(body);
  std::string number = negative ? "-" : "";
  bool any_digit = false;
  bool seen_point = false;
  std::size_t pos = 0;
  while (pos < body.size()) {
    if (IsDigit(body[pos])) {
      number += body[pos++];
      any_digit = true;
    } else if (!seen_point && StartsWith(body, pos, settings.decimal_separator)) {
      number += '.';
      seen_point = true;
      pos += settings.decimal_separator.size();
    } else if (!seen_point && any_digit && settings.group_size > 0 &&
               StartsWith(body, pos, settings.group_separator)) {
      pos += settings.group_separator.size();
    } else {
      break;
    }
  }
  if (!any_digit) throw TypeMismatchError("not a number: " + std::string(text));
  if (pos < body.size() && (body[pos] == 'e' || body[pos] == 'E')) {
    Scanner scan(body.substr(pos + 1), false);
    if (ReadExponent(scan, number) && scan.AtEnd()) pos = body.size();
  }
  if (pos != body.size()) throw TypeMismatchError("not a number: " + std::string(text));
  const double value = ReadDecimal(number);
  if (std::isinf(value)) throw OverflowError("beyond the range of numbers");
  return value == 0.0 ? 0.0 : value;
}

}  // namespace mandati
