// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "format/calculation.h"
#include "format/text_table.h"

namespace mandati::format {

// The seat-count sweep for people: per method, one row per seat count with each party's
// final seats under the party's number, a "!" after a number that is smaller than at one seat fewer (an Alabama
// paradox), and the two indices of disproportionality; then the paradoxes in words.
std::string SweepTableText(const District& district, const std::vector<MethodSweep>& sweeps,
                           WidthOf width);

// CSV: method,seats,party,final_seats,alabama_paradox,gallagher,loosemore_hanby, one line per
// method, seat count and party; alabama_paradox is 1 where the party has fewer seats than at
// one seat fewer.
std::string SweepCsvText(const District& district, const std::vector<MethodSweep>& sweeps);

// JSON: {"sweep": [{"method", "name", "rows": [{"seats", "final_seats": [...], "gallagher",
// "loosemore_hanby"}], "paradoxes": [{"party", "seats", "before", "after"}]}]}, where a paradox
// has `before` seats at `seats` and fewer, `after`, at one seat more.
std::string SweepJsonText(const District& district, const std::vector<MethodSweep>& sweeps);

}  // namespace mandati::format
