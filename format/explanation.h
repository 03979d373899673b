// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "format/district.h"

namespace mandati::format {

// Why the seats under one method went where they went, for the table format. A quota: its
// formula with the district's numbers, each party's remainder, the remainder queue from
// largest to smallest, the order of the leftover seats, the tie rule where equal remainders
// decided and where the 8-decimal keys made different remainders equal. A divisor method:
// the seats in the order they were won, with their averages, and the tie rule.
// With the method's seat margins (`margins`, party by party, or none), it ends with the party
// closest to one more seat and the party whose last seat was closest to being lost.
std::string ExplanationText(const District& district, const MethodOutcome& outcome,
                            std::span<const SeatMargin> margins = {});

}  // namespace mandati::format
