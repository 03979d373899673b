// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "format/calculation.h"

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

// The party's name, or "Партия N" when the input gives none.
std::string PartyLabel(const District& district, std::size_t party_index);

}  // namespace mandati::format
