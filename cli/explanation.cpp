#include "cli/explanation.h"

#include "cli/text_table.h"
#include "core/number_rules.h"
#include "core/quota_rules.h"

namespace mandati::cli {

namespace {

// A queue remainder with all 8 decimals, so the column lines up.
std::string Remainder8(const std::string& remainder) {
  return FixedText(LeadingNumber(remainder), 8, NumberSettings{});
}

std::string PartyList(const std::vector<int>& parties) {
  std::string text;
  for (std::size_t i = 0; i < parties.size(); ++i) {
    text += (i == 0 ? "" : ", ") + std::to_string(parties[i]);
  }
  return text;
}

std::string RemainderLines(const District& district, const QuotaOutcome& outcome) {
  std::vector<std::string> remainders(district.parties.size());
  for (const QueueEntry& entry : outcome.queue) {
    remainders[static_cast<std::size_t>(entry.party - 1)] = Remainder8(entry.remainder);
  }
  TextTable table(
      {Align::kLeft, Align::kRight, Align::kRight, Align::kLeft, Align::kRight, Align::kLeft}, " ");
  const std::string divisor = "/ " + std::to_string(outcome.quota) + " =";
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    table.AddRow({"    party", std::to_string(i + 1) + ":",
                  std::to_string(district.parties[i].votes), divisor,
                  outcome.parties[i].preliminary_seats, "+ " + remainders[i]});
  }
  return "  Remainders (votes / quota = full quotas + remainder, to 8 decimals):\n" +
         table.Render();
}

std::string QueueLines(const QuotaOutcome& outcome) {
  TextTable table({Align::kRight, Align::kLeft, Align::kRight, Align::kLeft, Align::kLeft}, " ");
  for (std::size_t k = 0; k < outcome.queue.size(); ++k) {
    const QueueEntry& entry = outcome.queue[k];
    const bool tie =
        (k > 0 && outcome.queue[k - 1].remainder == entry.remainder) ||
        (k + 1 < outcome.queue.size() && outcome.queue[k + 1].remainder == entry.remainder);
    table.AddRow({"    " + std::to_string(k + 1) + ".", "party", std::to_string(entry.party),
                  " " + Remainder8(entry.remainder), tie ? " (equal remainders)" : ""});
  }
  return "  Remainder queue, largest first (equal remainders: higher party number first):\n" +
         table.Render();
}

// When the last round of the hand-out stops inside a group of equal remainders, the tie
// rule decided which of them got a seat.
std::string TieLines(const QuotaOutcome& outcome, int seats_left) {
  const std::size_t parties = outcome.queue.size();
  const std::size_t cut = static_cast<std::size_t>(seats_left) % parties;
  if (cut == 0 || outcome.queue[cut - 1].remainder != outcome.queue[cut].remainder) return "";
  const std::string& tied = outcome.queue[cut].remainder;
  std::vector<int> group, served, passed;
  for (std::size_t k = 0; k < parties; ++k) {
    if (outcome.queue[k].remainder != tied) continue;
    group.push_back(outcome.queue[k].party);
    (k < cut ? served : passed).push_back(outcome.queue[k].party);
  }
  const std::string round =
      static_cast<std::size_t>(seats_left) > parties ? " in the last round" : "";
  return "  Tie rule: parties " + PartyList(group) + " have the equal remainder " +
         Remainder8(tied) + ";\n  the higher party number goes first, so " + PartyList(served) +
         " got a seat" + round + " and " + PartyList(passed) + " did not.\n";
}

std::string HandOutLines(const District& district, const QuotaOutcome& outcome) {
  const int preliminary = SeatTotal(outcome.parties, &PartyFigures::preliminary_seats);
  const int left = SeatsLeft(outcome, district.seats);
  std::string text = "  Seats left after the preliminary seats: " + std::to_string(district.seats) +
                     " - " + std::to_string(preliminary) + " = " +
                     std::to_string(district.seats - preliminary) + '\n';
  if (preliminary > district.seats) {
    return text +
           "  The preliminary seats already exceed the seats: none is handed out,\n"
           "  and none is taken away.\n";
  }
  if (left == 0) return text + "  No seat is left to hand out.\n";
  if (static_cast<std::size_t>(left) > outcome.queue.size()) {
    text +=
        "  More seats are left than parties: the hand-out goes round the queue again\n"
        "  from the largest remainder.\n";
  }
  text += "  Leftover seats in hand-out order:\n";
  const std::vector<int> order = LeftoverSeatOrder(outcome, district.seats);
  TextTable table({Align::kLeft, Align::kRight, Align::kLeft, Align::kRight, Align::kLeft}, " ");
  for (std::size_t k = 0; k < order.size(); ++k) {
    const QueueEntry& entry = outcome.queue[k % outcome.queue.size()];
    table.AddRow({"    seat", std::to_string(preliminary + static_cast<int>(k) + 1) + ":", "party",
                  std::to_string(entry.party), " (remainder " + Remainder8(entry.remainder) + ")"});
  }
  return text + table.Render() + TieLines(outcome, left);
}

}  // namespace

std::string ExplanationText(const District& district, const QuotaOutcome& outcome) {
  std::string text = std::string(QuotaName(outcome.method)) + '\n';
  text += "  Quota = " + QuotaRuleText(outcome.method) + " = " +
          QuotaFormulaText(outcome.method, std::stoi(outcome.total_text), district.seats) + " = " +
          std::to_string(outcome.quota) + "   (V votes in total, S seats)\n";
  return text + RemainderLines(district, outcome) + QueueLines(outcome) +
         HandOutLines(district, outcome);
}

}  // namespace mandati::cli
