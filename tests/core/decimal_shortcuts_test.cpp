// The exact shortcuts for short decimals must agree with the general number rules. These
// tests compare them with independent references built on the C library's formatting.
#include "core/decimal_shortcuts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/number_rules.h"
#include "core/passes.h"

namespace mandati {
namespace {

// x to `decimals` decimals: its 15-significant-digit form, rounded with halves away from zero.
std::string ReferenceFixed(double x, int decimals) {
  char scientific[64];
  std::snprintf(scientific, sizeof scientific, "%.14e", std::fabs(x));
  std::string digits;
  for (const char* c = scientific; *c != 'e'; ++c) {
    if (*c != '.') digits += *c;
  }
  const int exponent = std::atoi(std::strchr(scientific, 'e') + 1);
  // Digits as a whole number scaled by 10^(decimals): keep exponent + 1 + decimals digits.
  const int keep = exponent + 1 + decimals;
  std::string kept =
      keep <= 0 ? "0" : digits.substr(0, static_cast<std::size_t>(std::min(keep, 15)));
  if (keep > 15) kept.append(static_cast<std::size_t>(keep - 15), '0');
  const bool up = keep >= 0 && keep < 15 && digits[static_cast<std::size_t>(keep)] >= '5';
  unsigned long long scaled = std::stoull(kept) + (up ? 1 : 0);
  std::string text = std::to_string(scaled);
  if (text.size() <= static_cast<std::size_t>(decimals)) {
    text.insert(0, static_cast<std::size_t>(decimals) + 1 - text.size(), '0');
  }
  if (decimals > 0) text.insert(text.size() - static_cast<std::size_t>(decimals), ".");
  return (x < 0 && scaled != 0 ? "-" : "") + text;
}

TEST(DecimalShortcutsTest, FixedTextAgreesWithTheReference) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  const NumberSettings dot;
  for (int i = 0; i < 20000; ++i) {
    const double x = (unit(random) - 0.3) * std::pow(10.0, static_cast<int>(unit(random) * 14) - 5);
    const int decimals = static_cast<int>(unit(random) * 9);
    ASSERT_EQ(FixedText(x, decimals, dot), ReferenceFixed(x, decimals)) << x << " to " << decimals;
  }
  for (const double tie : {2.675, 1.005, 0.125, 0.045, 1.5, 2.5, 0.0000000050}) {
    EXPECT_EQ(FixedText(tie, 2, dot), ReferenceFixed(tie, 2)) << tie;
    EXPECT_EQ(FixedText(tie, 8, dot), ReferenceFixed(tie, 8)) << tie;
  }
}

TEST(DecimalShortcutsTest, NumberTextGivesTheValueBackWithFewDigits) {
  std::mt19937_64 random(11);
  std::uniform_int_distribution<long long> mantissa(0, 999999999);
  std::uniform_int_distribution<int> decimals(0, 12);
  const NumberSettings dot;
  for (int i = 0; i < 20000; ++i) {
    const int k = decimals(random);
    const double x = static_cast<double>(mantissa(random)) / std::pow(10.0, k);
    const std::string text = NumberText(x, dot);
    ASSERT_EQ(LocaleNumber(text, dot), x) << text;
    char shortest[64];
    std::snprintf(shortest, sizeof shortest, "%.*f", k, x);
    std::string expected = shortest;  // the decimal it was made from, without trailing zeros
    if (expected.find('.') != std::string::npos) {
      while (expected.back() == '0') expected.pop_back();
      if (expected.back() == '.') expected.pop_back();
    }
    ASSERT_EQ(text, expected) << x;
  }
}

TEST(DecimalShortcutsTest, ReadPlainDecimalDeclinesWhatItCannotReadExactly) {
  using shortcuts::ReadPlainDecimal;
  EXPECT_EQ(ReadPlainDecimal("58125", "."), 58125);
  EXPECT_EQ(ReadPlainDecimal("0,55337375", ","), 0.55337375);
  EXPECT_EQ(ReadPlainDecimal("-0", "."), 0.0);
  EXPECT_FALSE(std::signbit(*ReadPlainDecimal("-0", ".")));
  for (const char* text : {"", "-", ".", " 1", "1 ", "1e3", "1234567890123456", "1.2.3"}) {
    EXPECT_FALSE(ReadPlainDecimal(text, ".").has_value()) << '"' << text << '"';
  }
}

// Remainder keys are made through a shortcut when the user's settings write "0.…"; without a
// leading zero they take the full road through LocaleNumber and NumberText. Both must agree.
TEST(DecimalShortcutsTest, RemainderKeysAgreeWithAndWithoutLeadingZero) {
  std::mt19937 random(3);
  std::uniform_int_distribution<int> votes(1, 200000);
  NumberSettings no_leading_zero;
  no_leading_zero.leading_zero = false;
  for (int district = 0; district < 300; ++district) {
    PartyTable table;
    const int parties = 2 + district % 40;
    for (int i = 1; i <= parties; ++i) {
      table.PartyNumberColumn().Append(std::to_string(i));
      table.VotesColumn().Append(std::to_string(votes(random)));
    }
    FormValues values;
    values.party_count = parties;
    values.seat_count = 1 + district % 60;
    values.quota_method = static_cast<QuotaMethod>(district % 3);
    PartyTable plain = table;
    FormValues plain_values = values;
    std::string total;
    AllocateQuotaSeats(table, values, total, NumberSettings{});
    AllocateQuotaSeats(plain, plain_values, total, no_leading_zero);
    ASSERT_EQ(table.RemainderQueue().Rows(), plain.RemainderQueue().Rows()) << district;
  }
}

}  // namespace
}  // namespace mandati
