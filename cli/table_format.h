#pragma once

#include <string>
#include <vector>

#include "cli/calculation.h"

namespace mandati::cli {

// The aligned table for people: the seat count, the total of votes, then one row per party
// with the window's column headings. Under several quotas each quota's seats and ratio form
// a group of columns under the quota's name, side by side, so differences show at once.
std::string TableText(const District& district, const std::vector<Calculation>& outcomes);

}  // namespace mandati::cli
