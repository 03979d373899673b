// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/explanation.h"

#include <algorithm>
#include <optional>

#include "core/hare_comparison.h"
#include "core/number_rules.h"
#include "core/quota_rules.h"
#include "format/figures.h"
#include "format/lists.h"
#include "format/messages.h"
#include "format/rule_values.h"
#include "format/text_table.h"

namespace mandati::format {

namespace {

const PartyOutcome& PartyOf(const Calculation& outcome, int party) {
  return outcome.parties[static_cast<std::size_t>(party - 1)];
}

// A rounded remainder with all 8 decimals, so the column lines up.
std::string Remainder8(std::int64_t remainder_key) {
  return FixedText(static_cast<double>(remainder_key) / kKeyScale, 8, NumberSettings{});
}

// "3", "3 and 2", "3, 2 and 1".
std::string PartyList(const std::vector<int>& parties) {
  std::vector<std::string> numbers;
  numbers.reserve(parties.size());
  for (const int party : parties) numbers.push_back(std::to_string(party));
  return AndList(numbers);
}

// An average as the votes over the divisor: "80000 / 3", "20000 / 1.4".
std::string AverageText(const Average& average) {
  return std::to_string(average.votes) + " / " + DivisorText(average);
}

// Who goes first between equal remainders or averages, as `decided_by` decided it under the
// tie rule `tie_rule`: by party number, or by votes (and, between equal votes, the party listed
// first).
std::string FirstInTie(TieRule tie_rule, TieRule decided_by) {
  if (tie_rule == TieRule::kOrder) return Tr("the higher party number goes first");
  if (decided_by == TieRule::kVotes) return Tr("the party with more votes goes first");
  return Tr("their votes are equal too, so the lower party number goes first");
}

// Whether parties that rank equal have equal remainders too: ranked by their 8-decimal keys,
// different remainders can share a key.
bool RemaindersEqual(const Calculation& outcome, const std::vector<int>& parties) {
  return outcome.ranked_exactly || std::all_of(parties.begin(), parties.end(), [&](int party) {
           return PartyOf(outcome, party).remainder_numerator ==
                  PartyOf(outcome, parties.front()).remainder_numerator;
         });
}

// A remainder in votes: the exact one, votes - full quotas x quota; Hare-Niemeyer's as the
// fraction it is.
std::string Votes(const Calculation& outcome, const PartyOutcome& party) {
  if (outcome.exact_quota.denominator > 1) {
    return VotesText(VotesFractionText(party.remainder_numerator, outcome.exact_quota.denominator));
  }
  return VotesText(NumberText(party.exact_remainder, NumberSettings{}));
}

// A remainder as the queue ranks it: the exact one in votes, or the 8-decimal key. A key
// that rounds up to 1.00000000 has the exact remainder beside it, as the remainder itself
// is always below one quota.
std::string RankedRemainder(const Calculation& outcome, const PartyOutcome& party) {
  if (outcome.ranked_exactly) return Votes(outcome, party);
  std::string key = Remainder8(party.remainder_key);
  if (party.remainder_key < kKeyScale) return key;
  return Tr("{1}, rounded up from {2} of {3}", key,
            NumberText(party.exact_remainder, NumberSettings{}),
            VotesText(std::to_string(outcome.quota)));
}

std::string RemainderLines(const District& district, const MethodOutcome& method,
                           const Calculation& outcome) {
  TextTable table(
      {Align::kLeft, Align::kRight, Align::kRight, Align::kLeft, Align::kRight, Align::kLeft},
      CharacterCount, " ");
  // Hare-Niemeyer's quota V / S as the fraction it is.
  const std::string quota =
      VotesFractionText(outcome.exact_quota.numerator, outcome.exact_quota.denominator);
  const std::string times_quota = " x " + quota + " =";
  const std::string party_word = "    " + Tr("party");
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    const PartyOutcome& party = outcome.parties[i];
    const std::string seats = std::to_string(party.preliminary_seats);
    if (UnderThreshold(method, i)) {
      table.AddRow({party_word, std::to_string(i + 1) + ":",
                    std::to_string(district.parties[i].votes), UnderThresholdMark(), "", ""});
    } else if (outcome.ranked_exactly) {
      std::string full_quotas = "- ";
      full_quotas += seats;
      full_quotas += times_quota;
      table.AddRow({party_word, std::to_string(i + 1) + ":",
                    std::to_string(district.parties[i].votes), full_quotas, Votes(outcome, party),
                    ""});
    } else {
      table.AddRow({party_word, std::to_string(i + 1) + ":",
                    std::to_string(district.parties[i].votes), "/ " + quota + " =", seats,
                    "+ " + RankedRemainder(outcome, party)});
    }
  }
  return "  " +
         (outcome.ranked_exactly
              ? Tr("Remainders (votes - full quotas x quota = remainder, in votes):")
              : Tr("Remainders (votes / quota = full quotas + remainder, to 8 decimals):")) +
         '\n' + table.Render();
}

// Each row of the queue that ranks equal with a neighbour is marked: "equal remainders", or
// "equal keys" where the run of equal keys holds different remainders.
std::vector<std::string> QueueMarks(const Calculation& outcome) {
  const std::vector<int>& order = outcome.hand_out_order;
  std::vector<std::string> marks(order.size());
  for (std::size_t start = 0, end = 0; start < order.size(); start = end) {
    for (end = start + 1; end < order.size() && RankEqual(outcome, order[end - 1], order[end]);) {
      ++end;
    }
    if (end - start < 2) continue;
    const std::vector<int> run(order.begin() + static_cast<std::ptrdiff_t>(start),
                               order.begin() + static_cast<std::ptrdiff_t>(end));
    const std::string mark =
        " (" + (RemaindersEqual(outcome, run) ? Tr("equal remainders") : Tr("equal keys")) + ")";
    std::fill(marks.begin() + static_cast<std::ptrdiff_t>(start),
              marks.begin() + static_cast<std::ptrdiff_t>(end), mark);
  }
  return marks;
}

std::string QueueLines(const Calculation& outcome) {
  TextTable table({Align::kRight, Align::kLeft, Align::kRight, Align::kLeft, Align::kLeft},
                  CharacterCount, " ");
  const std::vector<int>& order = outcome.hand_out_order;
  const std::vector<std::string> marks = QueueMarks(outcome);
  for (std::size_t k = 0; k < order.size(); ++k) {
    table.AddRow({"    " + std::to_string(k + 1) + ".", Tr("party"), std::to_string(order[k]),
                  " " + RankedRemainder(outcome, PartyOf(outcome, order[k])), marks[k]});
  }
  return "  " +
         (outcome.tie_rule == TieRule::kOrder
              ? Tr("Remainder queue, largest first (equal remainders: higher party number "
                   "first):")
              : Tr("Remainder queue, largest first (equal remainders: more votes first):")) +
         '\n' + table.Render();
}

// Where the 8-decimal keys made different remainders equal, so that the tie rule, not the
// size of the remainder, ordered two parties.
std::string KeyMergeLines(const Calculation& outcome) {
  std::string text;
  for (const KeyMerge& merge : KeyMerges(outcome)) {
    const std::string ahead = std::to_string(merge.ahead);
    const std::string behind = std::to_string(merge.behind);
    text += "  " +
            Tr("Keys: parties {1} and {2} share the key {3},", ahead, behind,
               Remainder8(merge.remainder_key)) +
            "\n  " +
            Tr("but party {1}'s exact remainder ({2}) is larger than party {3}'s ({4});", behind,
               Votes(outcome, PartyOf(outcome, merge.behind)), ahead,
               Votes(outcome, PartyOf(outcome, merge.ahead))) +
            "\n  " +
            (merge.seat ? Tr("the tie rule put party {1} first, and that decided a seat (--exact "
                             "ranks them exactly).",
                             ahead)
                        : Tr("the tie rule put party {1} first.", ahead)) +
            '\n';
  }
  return text;
}

// The parties of a tie and what they share: their remainder, or, where the keys made different
// remainders equal, the key and each party's own remainder in votes.
std::string TieGroupText(const Calculation& outcome, const std::vector<int>& group) {
  if (RemaindersEqual(outcome, group)) {
    return Tr("Tie rule: parties {1} have the equal remainder {2};", PartyList(group),
              RankedRemainder(outcome, PartyOf(outcome, group.front())));
  }
  std::vector<std::string> remainders;
  remainders.reserve(group.size());
  for (const int party : group) {
    remainders.push_back(NumberText(PartyOf(outcome, party).exact_remainder, NumberSettings{}));
  }
  return Tr("Tie rule: parties {1} have the equal key {2} (remainders of {3});", PartyList(group),
            Remainder8(PartyOf(outcome, group.front()).remainder_key),
            VotesText(AndList(remainders)));
}

std::string TieLines(const Calculation& outcome) {
  std::string text;
  for (const TieGroup& tie : outcome.ties) {
    std::vector<int> group = tie.served;
    group.insert(group.end(), tie.passed.begin(), tie.passed.end());
    const std::string first = FirstInTie(outcome.tie_rule, tie.decided_by);
    text += "  " + TieGroupText(outcome, group) + "\n  " +
            (HandOutRounds(outcome) > 1
                 ? Tr("{1}, so {2} got a leftover seat in the last round and {3} did not.", first,
                      PartyList(tie.served), PartyList(tie.passed))
                 : Tr("{1}, so {2} got a leftover seat and {3} did not.", first,
                      PartyList(tie.served), PartyList(tie.passed))) +
            '\n';
  }
  return text;
}

std::string HandOutLines(const District& district, const Calculation& outcome) {
  const std::string seats = std::to_string(district.seats);
  const std::string preliminary = std::to_string(outcome.preliminary_total);
  if (outcome.preliminary_total > district.seats) {
    return "  " +
           Tr("The preliminary seats, {1}, already exceed the {2} seats:", preliminary, seats) +
           "\n  " + Tr("no seat is handed out, and none is taken away.") + '\n';
  }
  std::string text = "  " +
                     Tr("Seats left after the preliminary seats: {1} - {2} = {3}", seats,
                        preliminary, std::to_string(outcome.seats_left)) +
                     '\n';
  if (outcome.seats_left == 0) return text + "  " + Tr("No seat is left to hand out.") + '\n';
  if (HandOutRounds(outcome) > 1) {
    text += "  " + Tr("More seats are left than parties: the hand-out goes round the queue again") +
            "\n  " + Tr("from the largest remainder.") + '\n';
  }
  text += "  " + Tr("Leftover seats in hand-out order:") + '\n';
  TextTable table({Align::kLeft, Align::kRight, Align::kLeft, Align::kRight, Align::kLeft},
                  CharacterCount, " ");
  for (const SeatAward& award : SeatAwards(outcome)) {
    table.AddRow({"    " + Tr("seat"), std::to_string(award.seat) + ":", Tr("party"),
                  std::to_string(award.party),
                  " (" +
                      Tr("remainder {1}", RankedRemainder(outcome, PartyOf(outcome, award.party))) +
                      ")"});
  }
  return text + table.Render() + TieLines(outcome) + KeyMergeLines(outcome);
}

// The bar, who fell under it and who is exempt, before a method's reasons.
std::string ThresholdLines(const District& district, const MethodOutcome& method) {
  std::string text;
  for (const std::string& sentence : ThresholdSentences(district, method)) {
    text += "  " + sentence + '\n';
  }
  if (method.threshold && method.threshold->under.empty()) {
    text += "  " + Tr("Every list is over it.") + '\n';
  }
  return text;
}

// Where the window's floored Hare quota gives other seats than Hare-Niemeyer's exact one.
std::string HareDifferenceLines(const District& district) {
  const HareComparison comparison =
      CompareHareQuotients(VotesOf(district), district.seats, district.rules);
  if (comparison.differences.empty()) return "";
  std::vector<std::string> parties;
  parties.reserve(comparison.differences.size());
  for (const QuotientDifference& difference : comparison.differences) {
    parties.push_back(Tr("party {1}: {2} instead of {3}", std::to_string(difference.party),
                         std::to_string(difference.floored_seats),
                         std::to_string(difference.exact_seats)));
  }
  return "  " +
         Tr("The Hare quota {1} = {2}, rounded down, gives other seats: {3}.",
            QuotaRuleText(QuotaMethod::Hare), std::to_string(comparison.floored.quota->quota),
            NamesText(parties)) +
         '\n';
}

std::string QuotaExplanation(const District& district, const MethodOutcome& method,
                             const Calculation& outcome) {
  const bool exact_quotient = outcome.exact_quota.denominator > 1;
  std::string text =
      std::string(QuotaName(outcome.method)) + '\n' + ThresholdLines(district, method);
  text += "  " +
          Tr("Quota = {1} = {2} = {3}   (V votes in total, S seats)", QuotaRuleText(outcome.method),
             QuotaFormulaText(outcome.method, outcome.total_votes, district.seats),
             exact_quotient ? FractionText(outcome.exact_quota, /*grouped=*/false)
                            : std::to_string(outcome.quota)) +
          '\n';
  if (exact_quotient) {
    text += "  " +
            Tr("Remainders are ranked exactly, as fractions of votes (votes - full quotas "
               "x V / S).") +
            '\n';
  } else if (outcome.ranked_exactly) {
    text +=
        "  " + Tr("Remainders are ranked exactly, in votes (votes - full quotas x quota).") + '\n';
  }
  text += RemainderLines(district, method, outcome) + QueueLines(outcome) +
          HandOutLines(district, outcome);
  if (RuleOf(outcome.method).exact) text += HareDifferenceLines(district);
  return text;
}

// The parties whose averages tied at the last seat, each with its own average.
std::string DivisorTieLines(const DivisorTie& tie, TieRule tie_rule) {
  std::vector<int> group(tie.served.begin(), tie.served.end());
  group.insert(group.end(), tie.passed_over.begin(), tie.passed_over.end());
  std::vector<std::string> averages;
  for (const Average& average : tie.averages) averages.push_back(AverageText(average));
  const auto served = static_cast<std::int64_t>(tie.served.size());
  return "  " +
         Tr("Tie rule: parties {1} have equal averages ({2});", PartyList(group),
            AndList(averages)) +
         "\n  " +
         Tr("{1}, so {2} got {3}; {4} did not.", FirstInTie(tie_rule, tie.decided_by),
            PartyList({tie.served.begin(), tie.served.end()}),
            TrN("the last seat", "the last {1} seats", served, std::to_string(served)),
            PartyList({tie.passed_over.begin(), tie.passed_over.end()})) +
         '\n';
}

std::string DivisorExplanation(const District& district, const MethodOutcome& outcome,
                               DivisorMethod method, const DivisorAllocation& allocation) {
  const DivisorRule& rule = DivisorRuleOf(method);
  const Decimal& first_divisor = district.rules.first_divisor;
  std::string text = std::string(rule.name) + '\n' + ThresholdLines(district, outcome);
  const std::string average =
      method == DivisorMethod::SainteLague && first_divisor != kPlainFirstDivisor
          ? Tr("{1} with s seats won, V / {2} for the first", rule.average_rule,
               DecimalText(first_divisor))
          : Tr("{1} with s seats won", rule.average_rule);
  text += "  " +
          Tr("Each seat goes to the largest average V / divisor, the divisors {1} for a party's",
             DivisorsText(method, first_divisor)) +
          "\n  " + Tr("1st, 2nd, 3rd, ... seat ({1}); averages are compared exactly,", average) +
          "\n  " +
          (district.rules.tie_rule == TieRule::kOrder
               ? Tr("equal ones go to the higher party number first.")
               : Tr("equal ones go to the party with more votes first.")) +
          '\n';
  text += "  " + Tr("Seats in the order they were won (of {1}):", std::to_string(district.seats)) +
          '\n';
  TextTable table({Align::kLeft, Align::kRight, Align::kLeft, Align::kRight, Align::kLeft},
                  CharacterCount, " ");
  for (const DivisorSeat& seat : allocation.awards) {
    table.AddRow({"    " + Tr("seat"), std::to_string(seat.seat) + ":", Tr("party"),
                  std::to_string(seat.party), " (" + AverageText(seat.average) + ")"});
  }
  text += table.Render();
  if (allocation.tie) text += DivisorTieLines(*allocation.tie, district.rules.tie_rule);
  return text;
}

// The party with the fewest votes of `margin` (the first of equals), if any has one.
std::optional<std::size_t> Closest(std::span<const SeatMargin> margins,
                                   std::optional<std::int64_t> SeatMargin::*margin) {
  std::optional<std::size_t> closest;
  for (std::size_t i = 0; i < margins.size(); ++i) {
    const std::optional<std::int64_t>& votes = margins[i].*margin;
    if (votes && (!closest || *votes < *(margins[*closest].*margin))) closest = i;
  }
  return closest;
}

// How close the seats were: who would have won one more seat with the fewest extra votes, and
// who would have lost one with the fewest lost votes.
std::string MarginLines(const District& district, std::span<const SeatMargin> margins) {
  std::string text;
  if (const auto gain = Closest(margins, &SeatMargin::gain)) {
    const std::int64_t votes = *margins[*gain].gain;
    text += "  " +
            TrN("{1} would have won one more seat with {2} more vote.",
                "{1} would have won one more seat with {2} more votes.", votes,
                PartyLabel(district, *gain), GroupedText(votes)) +
            '\n';
  }
  if (const auto loss = Closest(margins, &SeatMargin::loss)) {
    const std::int64_t votes = *margins[*loss].loss;
    text += "  " +
            TrN("{1} would have lost a seat with {2} vote less.",
                "{1} would have lost a seat with {2} votes less.", votes,
                PartyLabel(district, *loss), GroupedText(votes)) +
            '\n';
  }
  return text;
}

}  // namespace

std::string ExplanationText(const District& district, const MethodOutcome& outcome,
                            std::span<const SeatMargin> margins) {
  return (outcome.quota
              ? QuotaExplanation(district, outcome, *outcome.quota)
              : DivisorExplanation(district, outcome, std::get<DivisorMethod>(outcome.method),
                                   *outcome.divisors)) +
         MarginLines(district, margins);
}

}  // namespace mandati::format
