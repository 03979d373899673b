// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "format/district.h"
#include "format/sink.h"

namespace mandati::format {

// CSV for spreadsheets: a header line, then one line per method and party, method by method,
// with the same fields whatever the chosen methods:
//   quota_method,quota,total_votes,party,name,votes,preliminary_seats,final_seats,
//   quota_ratio,vote_share,last_divisor,gallagher,loosemore_hanby,ranking
// A divisor method leaves quota, preliminary_seats, quota_ratio and ranking empty and gives
// the divisor of the party's last seat; a quota method leaves last_divisor empty and says how
// its remainders were ranked (see RankingWord). The two indices of disproportionality are the
// method's, in percentage points. Full stop as decimal separator, no grouping; a name with a
// comma or a quote is quoted, and one a spreadsheet would run as a formula gets a leading '.
// Each line is written as it is made.
// With `margins`, two last fields give each party's seat margins, empty where none:
//   seats_gain_margin,seats_loss_margin
void WriteCsv(Sink& out, const District& district, const std::vector<MethodOutcome>& outcomes,
              const Margins& margins = {});

// JSON for programs: {"seats", "quotas": [{"method", "name", "total_votes", "quota",
// ["divisors",] ["ranking",] "gallagher", "loosemore_hanby", "parties": [{"party", "name",
// "votes", "preliminary_seats", "final_seats", "quota_ratio", ["last_divisor",] "vote_share"}]}]};
// "name" is null when the input gives none, and a divisor method has null for "quota",
// "preliminary_seats" and "quota_ratio". With `explain` a quota method also has "rule",
// "formula", "seats_left", "remainder_queue" (largest first, as {"party", "remainder"}),
// "leftover_seats" (party numbers in hand-out order) and, where the tie rule decided or the
// 8-decimal keys merged different remainders, "ties"; a divisor method has "seat_order"
// ({"seat", "party", "votes", "divisor"}) and "ties".
// With `margins`, each party also has "seats_gain_margin" and "seats_loss_margin" (null where
// none).
void WriteJson(Sink& out, const District& district, const std::vector<MethodOutcome>& outcomes,
               bool explain, const Margins& margins = {});

// A JSON string literal for UTF-8 text.
std::string JsonString(std::string_view text);

}  // namespace mandati::format
