// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/calculation.h"

#include <string>

#include "format/errors.h"
#include "core/errors.h"
#include "core/quota_rules.h"

namespace mandati::format {

namespace {

struct CoreRun {
  PartyTable table;
  FormValues values;
  std::string total_text;
  NumberSettings settings;  // "." as decimal separator, no grouping
};

CoreRun SetUp(const District& district, QuotaMethod method) {
  CoreRun run;
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    run.table.PartyNumberColumn().Append(std::to_string(i + 1));
    run.table.VotesColumn().Append(std::to_string(district.parties[i].votes));
  }
  run.values.party_count = static_cast<double>(district.parties.size());
  run.values.seat_count = district.seats;
  run.values.quota_method = method;
  return run;
}

// Why the allocation pass could not finish, from how far it got.
std::string AllocationFailure(const CoreError& error, const CoreRun& run, QuotaMethod method,
                              int seats) {
  const std::string name(QuotaName(method));
  if (run.total_text.empty()) {
    return "the total of votes is beyond 2147483647, the most the calculator can add up";
  }
  if (!run.values.quota) return name + ": the quota cannot be computed (" + error.what() + ")";
  if (*run.values.quota == 0) {
    return name + " = " + QuotaFormulaText(method, run.values.total_votes, seats) +
           " = 0: too few votes for the seats, and no votes can be divided by a quota of 0";
  }
  return name + " = " + std::to_string(*run.values.quota) +
         ": a party's preliminary seats are beyond 32767 (" + error.what() + ")";
}

}  // namespace

Calculation Calculate(const District& district, QuotaMethod method, bool exact) {
  CoreRun run = SetUp(district, method);
  Calculation calculation;
  try {
    calculation = AllocateQuotaSeats(run.table, run.values, run.total_text, run.settings);
  } catch (const CoreError& error) {
    throw CalculationError(AllocationFailure(error, run, method, district.seats));
  }
  if (exact) RankRemaindersExactly(calculation);
  try {
    DistributeRemainders(run.table, run.values, run.settings, calculation);
  } catch (const CoreError& error) {
    throw CalculationError(std::string(QuotaName(method)) +
                           ": the leftover seats cannot be handed out (" + error.what() + ")");
  }
  return calculation;
}

std::string_view KeywordOf(Method method) {
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) return RuleOf(*quota).keyword;
  return DivisorRuleOf(std::get<DivisorMethod>(method)).keyword;
}

std::string NameOf(Method method) {
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) return std::string(QuotaName(*quota));
  return std::string(DivisorRuleOf(std::get<DivisorMethod>(method)).name);
}

std::optional<Method> MethodNamed(std::string_view keyword) {
  for (const QuotaRule& rule : kQuotaRules) {
    if (rule.keyword == keyword) return rule.method;
  }
  for (const DivisorRule& rule : kDivisorRules) {
    if (rule.keyword == keyword) return rule.method;
  }
  return std::nullopt;
}

std::vector<std::int32_t> VotesOf(const District& district) {
  std::vector<std::int32_t> votes;
  for (const Party& party : district.parties) votes.push_back(party.votes);
  return votes;
}

MethodOutcome CalculateMethod(const District& district, Method method, bool exact) {
  MethodOutcome outcome{method, std::nullopt, std::nullopt, {}, std::nullopt};
  if (const auto* quota = std::get_if<QuotaMethod>(&method)) {
    outcome.quota = Calculate(district, *quota, exact);
    for (const PartyOutcome& party : outcome.quota->parties) {
      outcome.final_seats.push_back(party.final_seats);
    }
  } else {
    outcome.divisors =
        AllocateByDivisors(std::get<DivisorMethod>(method), VotesOf(district), district.seats);
    outcome.final_seats = outcome.divisors->seats;
  }
  outcome.disproportionality = MeasureDisproportionality(VotesOf(district), outcome.final_seats);
  return outcome;
}

SeatSweep SweepMethod(const District& district, Method method, std::int32_t first,
                      std::int32_t last, bool exact) {
  District at = district;
  return SweepSeatCounts(
      [&](std::int32_t seats) {
        at.seats = static_cast<std::int16_t>(seats);
        return CalculateMethod(at, method, exact).final_seats;
      },
      first, last);
}

}  // namespace mandati::format
