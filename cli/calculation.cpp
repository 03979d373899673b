#include "cli/calculation.h"

#include <string>

#include "cli/cli_errors.h"
#include "core/errors.h"
#include "core/quota_rules.h"

namespace mandati::cli {

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

Calculation Calculate(const District& district, QuotaMethod method) {
  CoreRun run = SetUp(district, method);
  Calculation calculation;
  try {
    calculation = AllocateQuotaSeats(run.table, run.values, run.total_text, run.settings);
  } catch (const CoreError& error) {
    throw CalculationError(AllocationFailure(error, run, method, district.seats));
  }
  try {
    DistributeRemainders(run.table, run.values, run.settings, calculation);
  } catch (const CoreError& error) {
    throw CalculationError(std::string(QuotaName(method)) +
                           ": the leftover seats cannot be handed out (" + error.what() + ")");
  }
  return calculation;
}

}  // namespace mandati::cli
