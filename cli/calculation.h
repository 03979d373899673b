#pragma once

#include <cstdint>
#include <vector>

#include "cli/party_input.h"
#include "core/passes.h"

namespace mandati::cli {

struct District {
  std::int16_t seats = 0;
  std::vector<Party> parties;  // party i at index i - 1
};

// Runs the allocation pass and the remainder pass over the district as the window sets it
// up (party numbers 1 to n, their votes, the party and seat counts, the quota method) and
// returns the core's record of the calculation. A core error becomes a CalculationError
// that says why the calculation cannot be done.
Calculation Calculate(const District& district, QuotaMethod method);

}  // namespace mandati::cli
