// SPDX-License-Identifier: GPL-3.0-or-later
// LeadingNumber against a plain model of its rule: drop every blank, tab and line feed, take
// the longest start of the form [+-] digits with at most one "." [e|E [+-] digits] that holds
// a digit, and read it with strtod; no number gives 0. The two must agree exactly.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/number_rules.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

double ModelLeadingNumber(std::string_view text) {
  std::string plain;
  for (const char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') plain += c;
  }
  std::size_t end = 0;
  if (end < plain.size() && (plain[end] == '+' || plain[end] == '-')) ++end;
  bool digit = false, point = false;
  for (; end < plain.size() && (IsDigit(plain[end]) || (plain[end] == '.' && !point)); ++end) {
    point = point || plain[end] == '.';
    digit = digit || IsDigit(plain[end]);
  }
  if (!digit) return 0.0;
  if (end < plain.size() && (plain[end] == 'e' || plain[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < plain.size() && (plain[exponent] == '+' || plain[exponent] == '-')) ++exponent;
    if (exponent < plain.size() && IsDigit(plain[exponent])) {
      while (exponent < plain.size() && IsDigit(plain[exponent])) ++exponent;
      end = exponent;
    }
  }
  return std::strtod(plain.substr(0, end).c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = mandati::LeadingNumber(text);  // an exception here is a finding
  const double model = ModelLeadingNumber(text);
  // Compared as numbers: the sign of a zero is no part of the rule.
  if (std::isnan(value) || value != model) std::abort();
  return 0;
}
