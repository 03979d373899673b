// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "format/district.h"
#include "format/sink.h"
#include "format/text_table.h"

namespace mandati::format {

// The aligned table for people: the seat count, the total of votes, then one row per party
// with the window's column headings. Under several methods each method's seats and ratio (or
// divisor) form a group of columns under the method's name, side by side, so differences
// show at once; then how remainders were ranked and each method's disproportionality. The
// total is the calculation's own; with no outcome there is no total, and nothing is written.
// With `margins`, a last table gives each party's seat margins under each method.
void WriteTable(Sink& out, const District& district, const std::vector<MethodOutcome>& outcomes,
                WidthOf width, const Margins& margins = {});

}  // namespace mandati::format
