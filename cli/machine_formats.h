#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/calculation.h"

namespace mandati::cli {

// CSV for spreadsheets: a header line, then one line per quota and party, quota by quota,
// with the same fields whatever the chosen quotas:
//   quota_method,quota,total_votes,party,name,votes,preliminary_seats,final_seats,
//   quota_ratio,vote_share
// Full stop as decimal separator, no grouping; a name with a comma or a quote is quoted.
std::string CsvText(const District& district, const std::vector<Calculation>& outcomes);

// JSON for programs: {"seats", "quotas": [{"method", "name", "total_votes", "quota",
// "parties": [{"party", "name", "votes", "preliminary_seats", "final_seats", "quota_ratio",
// "vote_share"}]}]}; "name" is null when the input gives none. With `explain` each quota
// also has "rule", "formula", "seats_left", "remainder_queue" (largest first, as
// {"party", "remainder"}) and "leftover_seats" (party numbers in hand-out order).
std::string JsonText(const District& district, const std::vector<Calculation>& outcomes,
                     bool explain);

// A JSON string literal for UTF-8 text.
std::string JsonString(std::string_view text);

}  // namespace mandati::cli
