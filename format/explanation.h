// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "format/calculation.h"

namespace mandati::format {

// Why the seats under one method went where they went, for the table format. A quota: its
// formula with the district's numbers, each party's remainder, the remainder queue from
// largest to smallest, the order of the leftover seats, the tie rule where equal remainders
// decided and where the 8-decimal keys made different remainders equal. A divisor method:
// the seats in the order they were won, with their averages, and the tie rule.
std::string ExplanationText(const District& district, const MethodOutcome& outcome);

}  // namespace mandati::format
