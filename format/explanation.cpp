// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/explanation.h"

#include "format/text_table.h"
#include "core/number_rules.h"
#include "core/quota_rules.h"

namespace mandati::format {

namespace {

const PartyOutcome& PartyOf(const Calculation& outcome, int party) {
  return outcome.parties[static_cast<std::size_t>(party - 1)];
}

// A rounded remainder with all 8 decimals, so the column lines up.
std::string Remainder8(std::int64_t remainder_key) {
  return FixedText(static_cast<double>(remainder_key) / kKeyScale, 8, NumberSettings{});
}

std::string PartyList(const std::vector<int>& parties) {
  std::string text;
  for (std::size_t i = 0; i < parties.size(); ++i) {
    text += (i == 0 ? "" : ", ") + std::to_string(parties[i]);
  }
  return text;
}

std::string RemainderLines(const District& district, const Calculation& outcome) {
  TextTable table(
      {Align::kLeft, Align::kRight, Align::kRight, Align::kLeft, Align::kRight, Align::kLeft}, CharacterCount, " ");
  const std::string divisor = "/ " + std::to_string(outcome.quota) + " =";
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    const PartyOutcome& party = outcome.parties[i];
    table.AddRow({"    party", std::to_string(i + 1) + ":",
                  std::to_string(district.parties[i].votes), divisor,
                  std::to_string(party.preliminary_seats), "+ " + Remainder8(party.remainder_key)});
  }
  return "  Remainders (votes / quota = full quotas + remainder, to 8 decimals):\n" +
         table.Render();
}

std::string QueueLines(const Calculation& outcome) {
  TextTable table({Align::kRight, Align::kLeft, Align::kRight, Align::kLeft, Align::kLeft}, CharacterCount, " ");
  const std::vector<int>& order = outcome.hand_out_order;
  const auto key = [&](std::size_t k) { return PartyOf(outcome, order[k]).remainder_key; };
  for (std::size_t k = 0; k < order.size(); ++k) {
    const bool tie =
        (k > 0 && key(k - 1) == key(k)) || (k + 1 < order.size() && key(k + 1) == key(k));
    table.AddRow({"    " + std::to_string(k + 1) + ".", "party", std::to_string(order[k]),
                  " " + Remainder8(key(k)), tie ? " (equal remainders)" : ""});
  }
  return "  Remainder queue, largest first (equal remainders: higher party number first):\n" +
         table.Render();
}

// Where the 8-decimal keys made different remainders equal, so that the tie rule, not the
// size of the remainder, ordered two parties.
std::string KeyMergeLines(const Calculation& outcome) {
  std::string text;
  for (const KeyMerge& merge : KeyMerges(outcome)) {
    const auto exact = [&](int party) {
      return NumberText(PartyOf(outcome, party).exact_remainder, NumberSettings{});
    };
    text += "  Keys: parties " + std::to_string(merge.ahead) + " and " +
            std::to_string(merge.behind) + " share the key " + Remainder8(merge.remainder_key) +
            ",\n  but party " + std::to_string(merge.behind) + "'s exact remainder (" +
            exact(merge.behind) + " votes) is larger than party " + std::to_string(merge.ahead) +
            "'s (" + exact(merge.ahead) + ");\n  the tie rule put party " +
            std::to_string(merge.ahead) + " first" +
            (merge.seat ? ", and that decided a seat (--exact ranks them exactly)" : "") + ".\n";
  }
  return text;
}

std::string TieLines(const Calculation& outcome) {
  std::string text;
  const std::string round = outcome.full_rounds > 0 ? " in the last round" : "";
  for (const TieGroup& tie : outcome.ties) {
    std::vector<int> group = tie.served;
    group.insert(group.end(), tie.passed.begin(), tie.passed.end());
    text += "  Tie rule: parties " + PartyList(group) + " have the equal remainder " +
            Remainder8(tie.remainder_key) + ";\n  the higher party number goes first, so " +
            PartyList(tie.served) + " got a seat" + round + " and " + PartyList(tie.passed) +
            " did not.\n";
  }
  return text;
}

std::string HandOutLines(const District& district, const Calculation& outcome) {
  std::string text = "  Seats left after the preliminary seats: " + std::to_string(district.seats) +
                     " - " + std::to_string(outcome.preliminary_total) + " = " +
                     std::to_string(outcome.seats_left) + '\n';
  if (outcome.seats_left < 0) {
    return text +
           "  The preliminary seats already exceed the seats: none is handed out,\n"
           "  and none is taken away.\n";
  }
  if (outcome.seats_left == 0) return text + "  No seat is left to hand out.\n";
  if (outcome.full_rounds > 1 || (outcome.full_rounds == 1 && outcome.last_round_seats > 0)) {
    text +=
        "  More seats are left than parties: the hand-out goes round the queue again\n"
        "  from the largest remainder.\n";
  }
  text += "  Leftover seats in hand-out order:\n";
  TextTable table({Align::kLeft, Align::kRight, Align::kLeft, Align::kRight, Align::kLeft}, CharacterCount, " ");
  for (const SeatAward& award : SeatAwards(outcome)) {
    table.AddRow({"    seat", std::to_string(award.seat) + ":", "party",
                  std::to_string(award.party),
                  " (remainder " + Remainder8(PartyOf(outcome, award.party).remainder_key) + ")"});
  }
  return text + table.Render() + TieLines(outcome) + KeyMergeLines(outcome);
}

std::string QuotaExplanation(const District& district, const Calculation& outcome) {
  std::string text = std::string(QuotaName(outcome.method)) + '\n';
  text += "  Quota = " + QuotaRuleText(outcome.method) + " = " +
          QuotaFormulaText(outcome.method, outcome.total_votes, district.seats) + " = " +
          std::to_string(outcome.quota) + "   (V votes in total, S seats)\n";
  if (outcome.ranked_exactly) {
    text += "  Remainders are ranked exactly, in votes (votes - full quotas x quota).\n";
  }
  return text + RemainderLines(district, outcome) + QueueLines(outcome) +
         HandOutLines(district, outcome);
}

std::string DivisorExplanation(const District& district, DivisorMethod method,
                               const DivisorAllocation& allocation) {
  const DivisorRule& rule = DivisorRuleOf(method);
  std::string text = std::string(rule.name) + '\n';
  text += "  Each seat goes to the largest average V / divisor, the divisors " +
          std::string(rule.divisors) + " for a party's\n  1st, 2nd, 3rd, ... seat (" +
          std::string(rule.average_rule) +
          " with s seats won); averages are compared exactly,\n"
          "  equal ones go to the higher party number first.\n";
  text += "  Seats in the order they were won (of " + std::to_string(district.seats) + "):\n";
  TextTable table({Align::kLeft, Align::kRight, Align::kLeft, Align::kRight, Align::kLeft}, CharacterCount, " ");
  for (const DivisorSeat& seat : allocation.awards) {
    table.AddRow({"    seat", std::to_string(seat.seat) + ":", "party", std::to_string(seat.party),
                  " (" + std::to_string(seat.average.votes) + " / " +
                      std::to_string(seat.average.divisor) + ")"});
  }
  text += table.Render();
  if (allocation.tie) {
    const DivisorTie& tie = *allocation.tie;
    std::vector<int> group(tie.served.begin(), tie.served.end());
    group.insert(group.end(), tie.passed_over.begin(), tie.passed_over.end());
    text += "  Tie rule: parties " + PartyList(group) + " have equal averages (" +
            std::to_string(tie.average.votes) + " / " + std::to_string(tie.average.divisor) +
            ");\n  the higher party number goes first, so " +
            PartyList({tie.served.begin(), tie.served.end()}) + " got a seat and " +
            PartyList({tie.passed_over.begin(), tie.passed_over.end()}) + " did not.\n";
  }
  return text;
}

}  // namespace

std::string ExplanationText(const District& district, const MethodOutcome& outcome) {
  if (outcome.quota) return QuotaExplanation(district, *outcome.quota);
  return DivisorExplanation(district, std::get<DivisorMethod>(outcome.method), *outcome.divisors);
}

}  // namespace mandati::format
