// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "core/method_choice.h"
#include "format/party_input.h"

namespace mandati::format {

// A district as the companion and the page read it: its seat count and its parties, names
// included.
struct District {
  std::int16_t seats = 0;
  std::vector<Party> parties;  // party i at index i - 1
  MethodRules rules;           // the rules it is calculated under
};

inline std::vector<std::int32_t> VotesOf(const District& district) {
  std::vector<std::int32_t> votes;
  votes.reserve(district.parties.size());
  for (const Party& party : district.parties) votes.push_back(party.votes);
  return votes;
}

// The core's rules of a calculation with this ranking, every other rule at its default.
inline MethodRules RulesWith(Ranking ranking) {
  MethodRules rules;
  rules.ranking = ranking;
  return rules;
}

// A seat-count sweep: each method's final seats for every seat count from `first` to `last`.
// The sweep writers calculate it row by row (see SweepMethod), so none holds it whole.
struct SweepRequest {
  std::vector<Method> methods;
  std::int32_t first = 1;
  std::int32_t last = 1;
  MethodRules rules;  // the ranking, and the law's options, of every seat count
};

}  // namespace mandati::format
