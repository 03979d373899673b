// SPDX-License-Identifier: GPL-3.0-or-later
// The seat-count sweep under a divisor method: 99 parties, every seat count from 1 to 1000.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "core/seat_methods.h"

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

void BM_DivisorSweep(benchmark::State& state) {
  const std::vector<std::int32_t> votes = NinetyNineParties();
  const auto method = static_cast<DivisorMethod>(state.range(0));
  const FinalSeatsFor seats = [&](std::int32_t s) {
    return AllocateByDivisors(method, votes, s).seats;
  };
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
    benchmark::DoNotOptimize(SweepSeatCounts(seats, 1, 1000));
  }
}
BENCHMARK(BM_DivisorSweep)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("divisor_method")
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mandati
