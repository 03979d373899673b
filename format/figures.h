// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/district.h"

namespace mandati::format {

// The texts that every format shows of one party under one method. A divisor method has no
// quota and no preliminary seats: its third figure is the divisor by which the party won its
// last seat ("" with no seat) instead of the votes-to-quota ratio.
struct PartyFigures {
  std::string preliminary_seats;  // "" under a divisor method
  std::string final_seats;
  std::string quota_ratio;   // "" under a divisor method
  std::string last_divisor;  // "" under a quota method
};

// The table's word in the ratio's (or divisor's) place for a party under the threshold.
std::string UnderThresholdMark();

PartyFigures FiguresOf(const MethodOutcome& outcome, std::size_t party_index);

// The quota ("22764"; Hare-Niemeyer's exact V / S as the fraction it is, "159349/7"), or ""
// for a divisor method.
std::string QuotaText(const MethodOutcome& outcome);

// A number of votes as an exact fraction over `denominator`, in lowest terms: "12596" or
// "88177/7".
std::string VotesFractionText(std::int64_t numerator, std::int64_t denominator);

// The divisor of an average as written: "3", "1.4".
std::string DivisorText(const Average& average);

// Whether party `party_index` (from 0) is under the outcome's threshold: 0 seats, whatever its
// votes.
bool UnderThreshold(const MethodOutcome& outcome, std::size_t party_index);

// The bar of a threshold, stated exactly: "4 % of 2,505,272 = 100,210.88: a list needs at
// least 100,211 votes", with the base named when it is a given total.
std::string ThresholdText(const ThresholdOutcome& threshold, const Threshold& rule);

// A threshold's rule without a district's numbers: "4 % of the listed votes", "4 % of
// 2,731,670 votes", "100,211 votes", "the Hare quotient of the listed votes".
std::string ThresholdRuleText(const Threshold& threshold);

// A sweep's sentence on its threshold, whose bar can change with the seat count; "" without one.
std::string SweepThresholdSentence(const Threshold& threshold);

// The sentences on a threshold that every format for people shows: its bar, who fell under it
// (with 0 seats) and who is under it but exempt; none without a threshold.
std::vector<std::string> ThresholdSentences(const District& district, const MethodOutcome& outcome);

// Whether the floored quotas among `outcomes` ranked their remainders exactly (--exact);
// Hare-Niemeyer's exact quotient always does, and is not counted.
bool FlooredRankedExactly(const std::vector<MethodOutcome>& outcomes);

// The table's and the explanation's line on the tie rule, "" for the default (the higher party
// number first), which every output already states.
std::string TieRuleLine(TieRule rule);

// "Квота на Хеър: 22764" or "Метод на Д'Онт: делители 1, 2, 3, …".
// Sainte-Laguë's divisors start at `first_divisor`.
std::string TitleOf(const MethodOutcome& outcome, const Decimal& first_divisor);

// The divisors in letters, "1, 3, 5, …" or "1.4, 3, 5, …".
std::string DivisorsText(DivisorMethod method, const Decimal& first_divisor);

// An index of disproportionality in percentage points, to 2 decimals; "" when undefined.
std::string IndexText(const std::optional<Disproportionality>& indices,
                      double Disproportionality::*index);

// Each party's share of the votes in per cent, to 2 decimals, as the window shows it.
std::vector<std::string> VoteShareTexts(const District& district);

// How the quotas' remainders were ranked: "keys" (rounded to 8 decimals, as the window ranks
// them) or "exact"; for a divisor method, which ranks no remainders, "".
std::string RankingWord(bool exact);
std::string RankingWord(Method method, bool exact);

// The table's line that says how remainders were ranked, "" when no method has remainders.
std::string RankingLine(const std::vector<Method>& methods, bool exact);

// Names one after another, "; " between them (a name may hold commas).
std::string NamesText(const std::vector<std::string>& names);

// The labels of parties (numbers from 1), as NamesText writes them.
std::string PartyLabels(const District& district, const std::vector<std::int32_t>& parties);

// A seat margin as the tables show it: its votes, or "—" where no vote count does it.
std::string MarginText(const std::optional<std::int64_t>& votes);

// The party's name, or "Партия N" when the input gives none.
std::string PartyLabel(const District& district, std::size_t party_index);

// The note under a table with a divisor method: what its "делител" column means. Two lines,
// as the text table writes them.
std::string DivisorNote();

// The names of the two indices of disproportionality, as column headings.
std::string GallagherName();
std::string LoosemoreHanbyName();

// A number of votes as written ("12596", "88177/7", "3 and 5") with the word for votes in its
// plural form: "1 vote", "12596 votes".
std::string VotesText(std::string_view number);

// The title of the indices of disproportionality: "Disproportionality, in percentage points".
std::string IndicesTitle();

// A sweep's title for one method: its name, then what its rows hold and what "!" marks.
std::string SweepTitle(Method method);

// "Alabama paradox: <label> gets 1 of 3 seats but 0 of 4.", with `label` naming the party.
std::string ParadoxSentence(std::string_view label, const AlabamaParadox& paradox);
// What a sweep says of a method without a paradox in its range.
std::string NoParadoxSentence();

}  // namespace mandati::format
