// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/number_rules.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "core/errors.h"

namespace mandati {
namespace {

NumberSettings CommaDecimal() {
  NumberSettings settings;
  settings.decimal_separator = ",";
  settings.group_separator = "\xC2\xA0";  // a no-break blank, as the Bulgarian locale groups
  settings.group_size = 3;
  return settings;
}

NumberSettings ThousandsWithComma() {
  NumberSettings settings;
  settings.group_separator = ",";
  settings.group_size = 3;
  return settings;
}

TEST(LeadingNumberTest, ReadsTheNumberAtTheStart) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"58125", 58125}, {" ", 0},          {"", 0},        {"-3", -3},    {"+7", 7},
      {"1,5", 1},       {"1 000", 1000},   {"12abc", 12},  {"2.5", 2.5},  {"1e3", 1000},
      {"1E3", 1000},    {"2e-2", 0.02},    {".5", 0.5},    {"-.5", -0.5}, {".", 0},
      {"-", 0},         {"abc", 0},        {"1.2.3", 1.2}, {"1e", 1},     {"1e+", 1},
      {"3ex", 3},       {" 58125", 58125}, {"\t4\n2", 42}, {"- 3", -3},   {"1 e 2", 100},
      {"9e9", 9e9},     {"0.1", 0.1},      {"1e-400", 0},  {"007", 7},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(LeadingNumberTest, HugeMagnitudesBecomeInfinityWithoutFailing) {
  EXPECT_EQ(LeadingNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("-1e99999999999999999999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber(std::string(400, '9')), std::numeric_limits<double>::infinity());
  EXPECT_EQ(LeadingNumber("0.000001e-99999999999"), 0.0);
  EXPECT_FALSE(std::signbit(LeadingNumber("-0")));
}

TEST(ToIntTest, RoundsHalvesToEven) {
  EXPECT_EQ(ToInt16(2.5), 2);
  EXPECT_EQ(ToInt16(3.5), 4);
  EXPECT_EQ(ToInt16(-2.5), -2);
  EXPECT_EQ(ToInt16(2.51), 3);
  EXPECT_EQ(ToInt32(0.5), 0);
  EXPECT_EQ(ToInt32(1.5), 2);
  EXPECT_EQ(ToInt16(-32768.4), -32768);
  EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
}

TEST(ToIntTest, RaisesOverflowOutsideTheWidth) {
  EXPECT_THROW(ToInt16(32767.5), OverflowError);
  EXPECT_THROW(ToInt16(-32768.6), OverflowError);
  EXPECT_THROW(ToInt32(2147483647.5), OverflowError);
  EXPECT_THROW(ToInt32(3e9), OverflowError);
  EXPECT_THROW(ToInt32(std::numeric_limits<double>::infinity()), OverflowError);
  EXPECT_THROW(ToInt16(std::numeric_limits<double>::quiet_NaN()), OverflowError);
  EXPECT_THROW(ToInt16(32767.5), CoreError);
}

TEST(FloorTest, GoesTowardsMinusInfinity) {
  EXPECT_EQ(Floor(2.99), 2);
  EXPECT_EQ(Floor(-0.5), -1);
  EXPECT_EQ(Floor(-2.5), -3);
  EXPECT_EQ(Floor(7), 7);
}

TEST(DivideTest, ZeroDivisorRaises) {
  EXPECT_EQ(Divide(7, 2), 3.5);
  EXPECT_THROW(Divide(1, 0), DivisionByZeroError);
  EXPECT_THROW(Divide(0, -0.0), DivisionByZeroError);
}

TEST(NumberTextTest, WritesShortestTextWithoutExponent) {
  const NumberSettings dot;
  const struct {
    double x;
    const char* expected;
  } cases[] = {
      {3.0, "3"},
      {-3.0, "-3"},
      {0, "0"},
      {-0.0, "0"},
      {0.5, "0.5"},
      {0.80059240, "0.8005924"},
      {0.3003003, "0.3003003"},
      {159349, "159349"},
      {2147483647, "2147483647"},
      {0.00002, "0.00002"},
      {0.00004393, "0.00004393"},
      {1e-8, "0.00000001"},
      {-0.25, "-0.25"},
      {0.1 + 0.2, "0.3"},  // 15 significant digits at most
      {1.0 / 3.0, "0.333333333333333"},
      {123456.789, "123456.789"},
      {1234567.5, "1234567.5"},  // never grouped
      {1e20, "100000000000000000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(NumberText(c.x, dot), c.expected) << c.x;
}

TEST(NumberTextTest, UsesTheUsersDecimalSeparator) {
  EXPECT_EQ(NumberText(0.5, CommaDecimal()), "0,5");
  EXPECT_EQ(NumberText(1234.25, CommaDecimal()), "1234,25");
  EXPECT_EQ(NumberText(-0.00004393, CommaDecimal()), "-0,00004393");
}

TEST(NumberTextTest, RejectsInfinity) {
  EXPECT_THROW(NumberText(std::numeric_limits<double>::infinity(), NumberSettings{}),
               OverflowError);
}

TEST(SignedNumberTextTest, BlankOrMinusThenDigits) {
  EXPECT_EQ(SignedNumberText(7), " 7");
  EXPECT_EQ(SignedNumberText(1), " 1");
  EXPECT_EQ(SignedNumberText(42), " 42");
  EXPECT_EQ(SignedNumberText(0), " 0");
  EXPECT_EQ(SignedNumberText(-5), "-5");
  EXPECT_EQ(SignedNumberText(2.5), " 2.5");
}

TEST(FixedTextTest, RoundsTheDecimalFormHalvesAwayFromZero) {
  const NumberSettings dot;
  const struct {
    double x;
    int decimals;
    const char* expected;
  } cases[] = {
      {36.4765390, 2, "36.48"},
      {0.7005359, 3, "0.701"},
      {2.675, 2, "2.68"},
      {1.005, 2, "1.01"},
      {0.125, 2, "0.13"},
      {-0.125, 2, "-0.13"},
      {-0.001, 2, "0.00"},  // rounds to zero: no minus sign
      {0.999999995, 8, "1.00000000"},
      {0.55337375, 8, "0.55337375"},
      {9.995, 2, "10.00"},
      {99.5, 0, "100"},
      {0.4, 0, "0"},
      {5, 3, "5.000"},
      {0, 2, "0.00"},
      {0.00004393, 8, "0.00004393"},
      {1e-9, 8, "0.00000000"},
      {123456789012.345, 2, "123456789012.35"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FixedText(c.x, c.decimals, dot), c.expected) << c.x << " to " << c.decimals;
  }
}

TEST(FixedTextTest, FollowsGroupingSeparatorsAndNegativeForm) {
  EXPECT_EQ(FixedText(1234.5, 2, ThousandsWithComma()), "1,234.50");
  EXPECT_EQ(FixedText(1234567.891, 1, ThousandsWithComma()), "1,234,567.9");
  EXPECT_EQ(FixedText(999.999, 2, ThousandsWithComma()), "1,000.00");
  EXPECT_EQ(FixedText(36.4765390, 2, CommaDecimal()), "36,48");
  EXPECT_EQ(FixedText(1234.5, 2, CommaDecimal()),
            "1\xC2\xA0"
            "234,50");

  NumberSettings settings;
  settings.leading_zero = false;
  EXPECT_EQ(FixedText(0.5, 2, settings), ".50");
  settings.negative_form = NumberSettings::NegativeForm::kParentheses;
  EXPECT_EQ(FixedText(-1.5, 1, settings), "(1.5)");
  settings.negative_form = NumberSettings::NegativeForm::kTrailingBlankMinus;
  EXPECT_EQ(FixedText(-1.5, 1, settings), "1.5 -");
}

// FixedText's rule written out plainly: the number's 15 significant digits as text, then
// rounded at the last decimal with a half going away from zero, by hand on the digits.
std::string PlainFixedText(double x, int decimals) {
  char buffer[32];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 14).ptr;
  const std::string text(buffer, end);  // "-d.ddddddddddddddde+XX"
  const bool negative = text[0] == '-';
  const std::size_t first = negative ? 1 : 0;
  const std::string mantissa = text.substr(first, 1) + text.substr(first + 2, 14);
  const int point = std::stoi(text.substr(text.find('e') + 1)) + 1;  // digits before the point
  // The digits from the 10^(point - 1) place down, padded with zeros on both sides.
  const int front = point < 1 ? 1 - point : 0;
  std::string digits = std::string(static_cast<std::size_t>(front), '0') + mantissa +
                       std::string(static_cast<std::size_t>(decimals + 20), '0');
  const int places_before = point + front;
  const auto whole = static_cast<std::size_t>(places_before);
  const std::size_t kept = whole + static_cast<std::size_t>(decimals);
  const bool up = digits[kept] >= '5';
  digits.resize(kept);
  if (up) {
    std::size_t i = kept;
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0) {
      digits.insert(digits.begin(), '1');
    } else {
      ++digits[i - 1];
    }
  }
  const std::size_t whole_digits = digits.size() - static_cast<std::size_t>(decimals);
  std::string whole_text = digits.substr(0, whole_digits);
  whole_text.erase(0, std::min(whole_text.find_first_not_of('0'), whole_text.size() - 1));
  std::string result = whole_text;
  if (decimals > 0) result += "." + digits.substr(whole_digits);
  const bool zero = digits.find_first_not_of('0') == std::string::npos;
  return negative && !zero ? "-" + result : result;
}

TEST(FixedTextTest, AgreesWithThePlainRuleOnRandomNumbers) {
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<int> decimals_of(0, 9);
  std::uniform_int_distribution<int> magnitude(-9, 14);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<std::int64_t> digits(0, 999'999'999'999'999);
  const NumberSettings dot;
  for (int n = 0; n < 20000; ++n) {
    const int decimals = decimals_of(random);
    double x = unit(random) * std::pow(10.0, magnitude(random));
    if (n % 4 == 1) {
      // Halves of the last decimal, exact in 15 digits or just beside them.
      x = (static_cast<double>(digits(random) % 100'000'000) + 0.5) / std::pow(10.0, decimals);
      x = std::nextafter(x, n % 8 == 1 ? 0.0 : 1e300);
    } else if (n % 4 == 2) {
      // Just below a power of ten.
      x = std::nextafter(std::pow(10.0, magnitude(random)), 0.0) * (n % 8 == 2 ? 1 : -1);
    }
    EXPECT_EQ(FixedText(x, decimals, dot), PlainFixedText(x, decimals))
        << std::scientific << x << " to " << decimals;
  }
  EXPECT_EQ(FixedText(9999999.999999994, 8, dot), "9999999.99999999");
  EXPECT_EQ(FixedText(-9999999.999999994, 8, dot), "-9999999.99999999");
}

TEST(LocaleNumberTest, ReadsWholeTextsInTheUsersSettings) {
  const NumberSettings dot;
  EXPECT_EQ(LocaleNumber("2", dot), 2);
  EXPECT_EQ(LocaleNumber("0.55337375", dot), 0.55337375);
  EXPECT_EQ(LocaleNumber(" -3 ", dot), -3);
  EXPECT_EQ(LocaleNumber("1.5e2", dot), 150);
  EXPECT_EQ(LocaleNumber(".5", dot), 0.5);
  EXPECT_EQ(LocaleNumber("(1.5)", dot), -1.5);
  EXPECT_EQ(LocaleNumber("1.5-", dot), -1.5);
  EXPECT_EQ(LocaleNumber("1,234.50", ThousandsWithComma()), 1234.5);
  EXPECT_EQ(LocaleNumber("0,5", CommaDecimal()), 0.5);
  EXPECT_EQ(LocaleNumber("1\xC2\xA0"
                         "234,5",
                         CommaDecimal()),
            1234.5);
}

TEST(LocaleNumberTest, RaisesTypeMismatchForNonNumbers) {
  const NumberSettings dot;
  for (const char* text : {"", " ", "abc", "1x", "1.2.3", ".", "-", "1e", "1e+", "0,5"}) {
    EXPECT_THROW(LocaleNumber(text, dot), TypeMismatchError) << '"' << text << '"';
  }
  EXPECT_THROW(LocaleNumber("0.5", CommaDecimal()), TypeMismatchError);
  EXPECT_THROW(LocaleNumber("1e999", dot), OverflowError);
}

TEST(LocaleNumberTest, ReadsBackWhatFixedTextAndNumberTextWrite) {
  NumberSettings paren = ThousandsWithComma();
  paren.negative_form = NumberSettings::NegativeForm::kParentheses;
  paren.leading_zero = false;
  for (const NumberSettings& settings :
       {NumberSettings{}, ThousandsWithComma(), CommaDecimal(), paren}) {
    for (double x : {0.0, 0.5, -0.25, 1234.5, -98765.4321, 0.00004393, 2147483647.0}) {
      EXPECT_DOUBLE_EQ(LocaleNumber(FixedText(x, 4, settings), settings), std::round(x * 1e4) / 1e4)
          << x;
      EXPECT_EQ(LocaleNumber(NumberText(x, settings), settings), x) << x;
    }
  }
}

}  // namespace
}  // namespace mandati
