// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/margins.h"
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

// Each outcome's seat margins (core/margins.h), party by party, in the outcomes' order; empty
// unless they are asked for (--margins).
using Margins = std::vector<std::vector<SeatMargin>>;

// The core's rules of a calculation with this ranking, every other rule at its default.
inline MethodRules RulesWith(Ranking ranking) {
  MethodRules rules;
  rules.ranking = ranking;
  return rules;
}

// The seat counts from `first` to `last`.
struct SeatRange {
  std::int32_t first = 1;
  std::int32_t last = 1;
};

// One method of a sweep and the runs of seat counts it is calculated for, in order: those of
// the sweep's range that the method can calculate (CheckMethod). A count it cannot calculate
// is left out and refused on its own.
struct SweptMethod {
  Method method;
  std::vector<SeatRange> runs;
};

// A seat-count sweep: each method's final seats for every seat count from `first` to `last`
// that it can calculate. The sweep writers calculate it row by row (see SweepMethod); only the
// page, which reads it for its tables and its chart, holds it whole (see WriteSweepHtml).
struct SweepRequest {
  std::vector<SweptMethod> methods;
  std::int32_t first = 1;
  std::int32_t last = 1;
  MethodRules rules;  // the ranking, and the law's options, of every seat count
};

inline std::vector<Method> MethodsOf(const SweepRequest& request) {
  std::vector<Method> methods;
  for (const SweptMethod& swept : request.methods) methods.push_back(swept.method);
  return methods;
}

// Each row of `swept`, run by run, with the paradoxes it completes. A paradox is found only
// between neighbouring seat counts of one run: a count left out has no seats to compare.
inline void SweepRuns(const District& district, const SweptMethod& swept, const MethodRules& rules,
                      const SweepRowSink& on_row) {
  const std::vector<std::int32_t> votes = VotesOf(district);
  for (const SeatRange& run : swept.runs) {
    SweepMethod(swept.method, votes, run.first, run.last, rules, on_row);
  }
}

// Where a writer reads a sweep's rows from: `rows(m, on_row)` gives each row of the request's
// method m with the paradoxes it completes, as SweepRuns does, whether calculated as they are
// read or read back from a sweep calculated once.
using SweepRowsOf = std::function<void(std::size_t m, const SweepRowSink& on_row)>;

}  // namespace mandati::format
