// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The result columns as both windows, the desktop's and the page's, show them and tell them to
// assistive tools: which lists hold results, the row each marks, each result row named with its
// party ("Партия 1: 3", since a bare number says nothing heard apart from its party), a column's
// rows in one line, and what is told after every calculation.

#include <string>
#include <string_view>
#include <vector>

#include "core/party_table.h"

namespace mandati {

// List1(1) to List1(4): preliminary seats, final seats, votes per quota and vote share.
inline constexpr int kFirstResultColumn = PartyTable::kPreliminarySeats;
inline constexpr int kLastResultColumn = PartyTable::kVoteShare;

constexpr bool IsResultColumn(int column) {
  return column >= kFirstResultColumn && column <= kLastResultColumn;
}

// The row list `column` marks: its selected row, or for a result column the chosen party's
// row. A calculation leaves the result columns without a selected row; they mark the party all
// the same, so that every visible column shows one party.
int MarkedRow(const PartyTable& table, int column);

// Each row of a result column named with its party, "Партия 1: 3"; none for another column.
std::vector<std::string> ResultRowNames(const PartyTable& table, int column);

// A column's named rows in one line, "Партия 1: 3; Партия 2: 2", heard with the column's name.
std::string ResultColumnDescription(const std::vector<std::string>& names);

// What is told after a calculation: the total and each result column with its name,
// "Общо гл.: 159349. манд. предв.: Партия 1: 2; Партия 2: 2; …". Empty while there are no
// results.
std::string ResultsAnnouncement(const PartyTable& table, std::string_view total_text);

}  // namespace mandati
