// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "cli/party_input.h"
#include "core/method_choice.h"

namespace mandati::cli {

// A district as the companion reads it: its seat count and its parties, names included.
struct District {
  std::int16_t seats = 0;
  std::vector<Party> parties;  // party i at index i - 1
};

inline std::vector<std::int32_t> VotesOf(const District& district) {
  std::vector<std::int32_t> votes;
  votes.reserve(district.parties.size());
  for (const Party& party : district.parties) votes.push_back(party.votes);
  return votes;
}

}  // namespace mandati::cli
