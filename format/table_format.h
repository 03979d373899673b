// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "format/calculation.h"
#include "format/text_table.h"

namespace mandati::format {

// The aligned table for people: the seat count, the total of votes, then one row per party
// with the window's column headings. Under several methods each method's seats and ratio (or
// divisor) form a group of columns under the method's name, side by side, so differences
// show at once; then each method's disproportionality.
std::string TableText(const District& district, const std::vector<MethodOutcome>& outcomes,
                      WidthOf width);

}  // namespace mandati::format
