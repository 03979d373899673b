// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/quota_rules.h"

#include <stdexcept>

#include "core/number_rules.h"

namespace mandati {

const QuotaRule& RuleOf(QuotaMethod method) {
  for (const QuotaRule& rule : kQuotaRules) {
    if (rule.method == method) return rule;
  }
  throw std::logic_error("no quota method with this number");
}

std::optional<QuotaMethod> WindowQuota(int index) {
  int offered = 0;
  for (const QuotaRule& rule : kQuotaRules) {
    if (rule.in_window && offered++ == index) return rule.method;
  }
  return std::nullopt;
}

int WindowQuotaIndex(QuotaMethod method) {
  for (int index = 0; const std::optional<QuotaMethod> offered = WindowQuota(index); ++index) {
    if (*offered == method) return index;
  }
  throw std::logic_error("the window offers no option for this quota");
}

std::string_view QuotaName(QuotaMethod method) {
  std::string_view caption = RuleOf(method).caption;
  while (!caption.empty() && caption.back() == ' ') caption.remove_suffix(1);
  return caption;
}

namespace {

std::string FormulaText(const QuotaRule& rule, const std::string& votes,
                        const std::string& divisor) {
  const std::string quotient = votes + " / " + divisor;
  return (rule.added != 0 ? std::to_string(rule.added) + " + " : std::string()) +
         (rule.exact ? quotient : "floor(" + quotient + ")");
}

}  // namespace

std::string QuotaRuleText(QuotaMethod method) {
  const QuotaRule& rule = RuleOf(method);
  const std::string divisor =
      rule.seat_offset != 0 ? "(S + " + std::to_string(rule.seat_offset) + ")" : "S";
  return FormulaText(rule, "V", divisor);
}

std::string QuotaFormulaText(QuotaMethod method, std::int32_t total_votes, double seats) {
  const QuotaRule& rule = RuleOf(method);
  return FormulaText(rule, std::to_string(total_votes),
                     NumberText(seats + rule.seat_offset, NumberSettings{}));
}

std::int32_t ComputeQuota(const FormValues& values) {
  const QuotaRule& rule = RuleOf(values.quota_method);
  const double votes = values.total_votes;
  const double seats = values.seat_count.value_or(0.0);
  return ToInt32(rule.added + Floor(Divide(votes, seats + rule.seat_offset)));
}

}  // namespace mandati
