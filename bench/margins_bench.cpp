// SPDX-License-Identifier: GPL-3.0-or-later
// Every party's seat margins under all six methods: 99 parties for 240 seats with 2.5 million
// votes, as in a national election, and the largest district, 999 parties for 2 seats with two
// billion votes.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/margins.h"

namespace mandati {
namespace {

// A few large parties and a long tail of small ones, about `total` votes in all.
std::vector<std::int32_t> District(int parties, double total) {
  std::mt19937 random(20261208);
  std::lognormal_distribution<double> shape(0.0, 1.6);
  std::vector<double> weights(static_cast<std::size_t>(parties));
  double sum = 0;
  for (double& weight : weights) {
    weight = shape(random);
    sum += weight;
  }
  std::vector<std::int32_t> votes(weights.size());
  for (std::size_t i = 0; i < weights.size(); ++i) {
    votes[i] = 1 + static_cast<std::int32_t>(weights[i] / sum * (total - parties));
  }
  return votes;
}

void BM_SeatMarginsAllMethods(benchmark::State& state) {
  const auto parties = static_cast<int>(state.range(0));
  const auto seats = static_cast<std::int32_t>(state.range(1));
  const std::vector<std::int32_t> votes = District(parties, parties > 99 ? 2e9 : 2.5e6);
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
    for (const Method method : AllMethods()) {
      benchmark::DoNotOptimize(SeatMargins(method, votes, seats, MethodRules{}));
    }
  }
}
BENCHMARK(BM_SeatMarginsAllMethods)
    ->Args({99, 240})
    ->Args({999, 2})
    ->ArgNames({"parties", "seats"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mandati
