#include "cli/calculation.h"

#include <charconv>

#include "cli/cli_errors.h"
#include "core/errors.h"
#include "core/passes.h"
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

int WholeNumber(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// A key holds the remainder, blanks, and the party number in its last three characters.
QueueEntry EntryOfKey(const std::string& key) {
  const std::size_t blank = key.find(' ');
  return QueueEntry{WholeNumber(std::string_view(key).substr(key.find_first_not_of(' ', blank))),
                    key.substr(0, blank)};
}

QuotaOutcome OutcomeOf(const CoreRun& run, QuotaMethod method) {
  QuotaOutcome outcome;
  outcome.method = method;
  outcome.total_text = run.total_text;
  outcome.quota = run.values.quota.value_or(0);
  const PartyTable& table = run.table;
  for (int row = 0; row < table.FinalSeatsColumn().RowCount(); ++row) {
    outcome.parties.push_back(
        PartyFigures{table.PreliminarySeatsColumn().Row(row), table.FinalSeatsColumn().Row(row),
                     table.QuotaRatioColumn().Row(row), table.VoteShareColumn().Row(row)});
  }
  const auto& keys = table.RemainderQueue().Rows();
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    outcome.queue.push_back(EntryOfKey(*key));
  }
  return outcome;
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

QuotaOutcome Calculate(const District& district, QuotaMethod method) {
  CoreRun run = SetUp(district, method);
  try {
    AllocateQuotaSeats(run.table, run.values, run.total_text, run.settings);
  } catch (const CoreError& error) {
    throw CalculationError(AllocationFailure(error, run, method, district.seats));
  }
  try {
    DistributeRemainders(run.table, run.values, run.settings);
  } catch (const CoreError& error) {
    throw CalculationError(std::string(QuotaName(method)) +
                           ": the leftover seats cannot be handed out (" + error.what() + ")");
  }
  return OutcomeOf(run, method);
}

int SeatTotal(const std::vector<PartyFigures>& parties, std::string PartyFigures::*seats) {
  int total = 0;
  for (const PartyFigures& party : parties) total += WholeNumber(party.*seats);
  return total;
}

int SeatsLeft(const QuotaOutcome& outcome, int seats) {
  const int left = seats - SeatTotal(outcome.parties, &PartyFigures::preliminary_seats);
  return left > 0 ? left : 0;
}

std::vector<int> LeftoverSeatOrder(const QuotaOutcome& outcome, int seats) {
  std::vector<int> order;
  const int left = SeatsLeft(outcome, seats);
  if (outcome.queue.empty()) return order;
  for (int k = 0; k < left; ++k) {
    order.push_back(outcome.queue[static_cast<std::size_t>(k) % outcome.queue.size()].party);
  }
  return order;
}

}  // namespace mandati::cli
