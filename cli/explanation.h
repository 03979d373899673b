#pragma once

#include <string>

#include "cli/calculation.h"

namespace mandati::cli {

// Why the seats under one quota went where they went, for the table format: the quota's
// formula with the district's numbers, each party's remainder, the remainder queue from
// largest to smallest, and the order of the leftover seats with the tie rule where equal
// remainders decided.
std::string ExplanationText(const District& district, const Calculation& outcome);

}  // namespace mandati::cli
