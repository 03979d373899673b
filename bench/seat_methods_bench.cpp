// SPDX-License-Identifier: GPL-3.0-or-later
// The seat-count sweep under each method: 99 parties, every seat count from 1 to 1000.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/method_choice.h"

namespace mandati {
namespace {

// Votes shaped like a real district: a few large parties and a long tail of small ones.
std::vector<std::int32_t> NinetyNineParties() {
  std::mt19937 random(20261208);
  std::lognormal_distribution<double> votes(8.0, 1.6);
  std::vector<std::int32_t> result;
  for (int i = 1; i <= 99; ++i) result.push_back(1 + static_cast<std::int32_t>(votes(random)));
  return result;
}

// The methods in the order AllMethods lists them: the four quotas, then D'Hondt and
// Sainte-Laguë.
void BM_Sweep(benchmark::State& state) {
  const std::vector<std::int32_t> votes = NinetyNineParties();
  const Method method = AllMethods()[static_cast<std::size_t>(state.range(0))];
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
    benchmark::DoNotOptimize(SweepMethod(method, votes, 1, 1000, MethodRules{}));
  }
}
BENCHMARK(BM_Sweep)->DenseRange(0, 5)->ArgName("method")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mandati
