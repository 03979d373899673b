// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
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

PartyFigures FiguresOf(const MethodOutcome& outcome, std::size_t party_index);

// The quota ("22764"), or "" for a divisor method.
std::string QuotaText(const MethodOutcome& outcome);

// "Квота на Хеър: 22764" or "Метод на Д'Онт: делители 1, 2, 3, …".
std::string TitleOf(const MethodOutcome& outcome);

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

// The party's name, or "Партия N" when the input gives none.
std::string PartyLabel(const District& district, std::size_t party_index);

// The note under a table with a divisor method: what its "делител" column means. Two lines,
// as the text table writes them.
std::string DivisorNote();

// The title of the indices of disproportionality: "Disproportionality, in percentage points".
std::string IndicesTitle();

// A sweep's title for one method: its name, then what its rows hold and what "!" marks.
std::string SweepTitle(Method method);

// "Alabama paradox: <label> gets 1 of 3 seats but 0 of 4.", with `label` naming the party.
std::string ParadoxSentence(std::string_view label, const AlabamaParadox& paradox);
// What a sweep says of a method without a paradox in its range.
std::string NoParadoxSentence();

}  // namespace mandati::format
