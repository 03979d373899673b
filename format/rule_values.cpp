// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/rule_values.h"

#include "format/errors.h"
#include "format/messages.h"
#include "format/party_input.h"
#include "format/utf8.h"

namespace mandati::format {

namespace {

// Digits with at most `max_decimals` after a full stop: no sign, blank or grouping; at most
// 13 digits before the stop, which keeps every value far inside 64 bits.
std::optional<Decimal> DecimalNamed(std::string_view text, std::int32_t max_decimals) {
  const auto stop = text.find('.');
  const std::string_view whole = text.substr(0, stop);
  const std::string_view fraction =
      stop == std::string_view::npos ? std::string_view() : text.substr(stop + 1);
  const auto digits = [](std::string_view part) {
    return part.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (whole.empty() || whole.size() > 13 || !digits(whole) || !digits(fraction) ||
      (stop != std::string_view::npos && fraction.empty()) ||
      fraction.size() > static_cast<std::size_t>(max_decimals)) {
    return std::nullopt;
  }
  Decimal decimal{0, static_cast<std::int32_t>(fraction.size())};
  for (const char c : whole) decimal.units = decimal.units * 10 + (c - '0');
  for (const char c : fraction) decimal.units = decimal.units * 10 + (c - '0');
  return decimal;
}

// A whole number from 0 (or 1) to `max`, digits only.
std::optional<std::int64_t> WholeNamed(std::string_view text, std::int64_t min, std::int64_t max) {
  const auto decimal = DecimalNamed(text, 0);
  if (!decimal || decimal->units < min || decimal->units > max) return std::nullopt;
  return decimal->units;
}

}  // namespace

Threshold ThresholdNamed(std::string_view text, std::string_view called) {
  Threshold threshold;
  if (text == "quota") {
    threshold.kind = ThresholdKind::kQuota;
    return threshold;
  }
  if (text.ends_with('%')) {
    const auto share = DecimalNamed(text.substr(0, text.size() - 1), kMaxThresholdShareDecimals);
    if (share && share->units <= 100 * PowerOfTen(share->decimals)) {
      threshold.kind = ThresholdKind::kShare;
      threshold.share = *share;
      return threshold;
    }
  } else if (const auto votes = WholeNamed(text, 0, kMaxThresholdTotal)) {
    threshold.kind = ThresholdKind::kVotes;
    threshold.votes = *votes;
    return threshold;
  }
  // xgettext:no-c-format (per cent signs, no directives)
  throw InputError(
      Tr("{1}: {2} is not a share from 0% to 100% with at most {3} decimals (4%, "
         "3.5%), a number of votes from 0 to {4} or quota",
         called, Quoted(text), std::to_string(kMaxThresholdShareDecimals),
         std::to_string(kMaxThresholdTotal)));
}

std::int64_t ThresholdTotalNamed(std::string_view text, std::string_view called) {
  const auto total = WholeNamed(text, 1, kMaxThresholdTotal);
  if (!total) {
    throw InputError(Tr("{1}: {2} is not a whole number of votes from 1 to {3}", called,
                        Quoted(text), std::to_string(kMaxThresholdTotal)));
  }
  return *total;
}

Decimal FirstDivisorNamed(std::string_view text, std::string_view called) {
  const auto divisor = DecimalNamed(text, kMaxFirstDivisorDecimals);
  if (!divisor || divisor->units < kMinFirstDivisor * PowerOfTen(divisor->decimals) ||
      divisor->units > kMaxFirstDivisor * PowerOfTen(divisor->decimals)) {
    throw InputError(Tr("{1}: {2} is not a number from {3} to {4} with at most {5} decimals",
                        called, Quoted(text), std::to_string(kMinFirstDivisor),
                        std::to_string(kMaxFirstDivisor),
                        std::to_string(kMaxFirstDivisorDecimals)));
  }
  return *divisor;
}

TieRule TieRuleNamed(std::string_view text, std::string_view called) {
  for (const TieRule rule : {TieRule::kOrder, TieRule::kVotes}) {
    if (text == TieRuleKeyword(rule)) return rule;
  }
  throw InputError(Tr("{1}: {2} is not one of order, votes", called, Quoted(text)));
}

std::string_view TieRuleKeyword(TieRule rule) {
  return rule == TieRule::kVotes ? "votes" : "order";
}

std::string GroupedText(std::int64_t number) {
  std::string digits = std::to_string(number);
  for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), ",");
  }
  return digits;
}

std::string DecimalText(const Decimal& decimal, bool grouped) {
  const std::int64_t scale = PowerOfTen(decimal.decimals);
  const std::int64_t whole = decimal.units / scale;
  std::string text = grouped ? GroupedText(whole) : std::to_string(whole);
  if (decimal.decimals == 0) return text;
  std::string fraction = std::to_string(decimal.units % scale + scale).substr(1);
  return text + "." + fraction;
}

std::string FractionText(const Fraction& fraction, bool grouped) {
  constexpr int kExactDecimals = 5;
  const std::int64_t denominator = fraction.denominator;
  const std::int64_t whole = fraction.numerator / denominator;
  std::int64_t rest = fraction.numerator % denominator;
  std::string decimals;
  for (int i = 0; i < kExactDecimals; ++i) {
    if (rest == 0) break;
    const std::int64_t shifted = rest * 10;
    decimals += static_cast<char>('0' + shifted / denominator);
    rest = shifted % denominator;
  }
  const std::string text = grouped ? GroupedText(whole) : std::to_string(whole);
  if (rest != 0) return text + "." + decimals.substr(0, 2) + "…";
  return decimals.empty() ? text : text + "." + decimals;
}

}  // namespace mandati::format
