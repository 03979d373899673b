// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/figures.h"

#include <algorithm>

#include "core/column_captions.h"
#include "core/number_rules.h"

namespace mandati::format {

PartyFigures FiguresOf(const MethodOutcome& outcome, std::size_t party_index) {
  if (outcome.quota) {
    const PartyOutcome& party = outcome.quota->parties[party_index];
    return {std::to_string(party.preliminary_seats), std::to_string(party.final_seats),
            QuotaRatioText(party.ratio, NumberSettings{}), ""};
  }
  PartyFigures figures{"", std::to_string(outcome.final_seats[party_index]), "", ""};
  const auto party = static_cast<std::int32_t>(party_index + 1);
  for (const DivisorSeat& seat : outcome.divisors->awards) {
    if (seat.party == party) figures.last_divisor = std::to_string(seat.average.divisor);
  }
  return figures;
}

std::string QuotaText(const MethodOutcome& outcome) {
  return outcome.quota ? std::to_string(outcome.quota->quota) : "";
}

std::string TitleOf(const MethodOutcome& outcome) {
  if (outcome.quota) return NameOf(outcome.method) + ": " + QuotaText(outcome);
  return NameOf(outcome.method) + ": делители " +
         std::string(DivisorRuleOf(std::get<DivisorMethod>(outcome.method)).divisors);
}

std::string IndexText(const std::optional<Disproportionality>& indices,
                      double Disproportionality::*index) {
  return indices ? FixedText((*indices).*index, 2, NumberSettings{}) : "";
}

std::vector<std::string> VoteShareTexts(const District& district) {
  std::vector<std::string> texts;
  for (const double share : SharesInPercent(VotesOf(district))) {
    texts.push_back(VoteShareText(share, NumberSettings{}));
  }
  return texts;
}

std::string RankingWord(bool exact) { return exact ? "exact" : "keys"; }

std::string RankingWord(Method method, bool exact) {
  return std::holds_alternative<QuotaMethod>(method) ? RankingWord(exact) : "";
}

std::string RankingLine(const std::vector<Method>& methods, bool exact) {
  if (std::none_of(methods.begin(), methods.end(),
                   [](Method m) { return std::holds_alternative<QuotaMethod>(m); })) {
    return "";
  }
  return exact ? "\nRemainders ranked exactly, in votes (--exact).\n"
               : "\nRemainders ranked by their keys to 8 decimals, as the window ranks them.\n";
}

std::string PartyLabel(const District& district, std::size_t party_index) {
  const std::string& name = district.parties[party_index].name;
  return name.empty()
             ? std::string(CaptionOf(Caption::kParty)) + " " + std::to_string(party_index + 1)
             : name;
}

std::string DivisorNote() {
  return "Divisor methods have no quota and no preliminary seats: \"делител\" is the divisor\n"
         "by which the party won its last seat (its votes / divisor was the largest average).";
}

std::string IndicesTitle() { return "Disproportionality, in percentage points"; }

std::string SweepTitle(Method method) {
  return NameOf(method) + ": final seats per party (! fewer than at one seat fewer)";
}

std::string ParadoxSentence(std::string_view label, const AlabamaParadox& paradox) {
  return "Alabama paradox: " + std::string(label) + " gets " + std::to_string(paradox.before) +
         " of " + std::to_string(paradox.seat_count) + " seats but " +
         std::to_string(paradox.after) + " of " + std::to_string(paradox.seat_count + 1) + ".";
}

std::string NoParadoxSentence() { return "No Alabama paradox in this range."; }

}  // namespace mandati::format
