// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "format/district.h"
#include "format/sink.h"
#include "format/text_table.h"

namespace mandati::format {

// The seat-count sweep in each format. Each writer calculates the sweep method by method and
// writes every row as it is made, so that no format holds the sweep or its text whole; each
// method is written for the seat counts of its runs (SweptMethod), which it can calculate.

// For people: per method, one row per seat count with each party's final seats under the
// party's number, a "!" after a number that is smaller than at one seat fewer (an Alabama
// paradox), and the two indices of disproportionality; then the paradoxes in words.
void WriteSweepTable(Sink& out, const District& district, const SweepRequest& request,
                     WidthOf width);

// CSV: method,seats,party,final_seats,alabama_paradox,gallagher,loosemore_hanby,ranking, one
// line per method, seat count and party; alabama_paradox is 1 where the party has fewer seats
// than at one seat fewer; ranking as in RankingWord.
void WriteSweepCsv(Sink& out, const District& district, const SweepRequest& request);

// JSON: {"sweep": [{"method", "name", ["ranking",] "rows": [{"seats", "final_seats": [...],
// "gallagher", "loosemore_hanby"}], "paradoxes": [{"party", "seats", "before", "after"}]}]},
// with "ranking" for a quota method (see RankingWord), where a paradox has `before` seats at
// `seats` and fewer, `after`, at one seat more.
void WriteSweepJson(Sink& out, const District& district, const SweepRequest& request);

}  // namespace mandati::format
