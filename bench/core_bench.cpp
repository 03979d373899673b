// SPDX-License-Identifier: GPL-3.0-or-later
// One full calculation (the allocation pass, then the remainder pass) for 99 parties.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "core/passes.h"

namespace mandati {
namespace {

// Votes shaped like a real district: a few large parties and a long tail of small ones.
PartyTable NinetyNineParties() {
  PartyTable table;
  std::mt19937 random(20261208);
  std::lognormal_distribution<double> votes(8.0, 1.6);
  for (int i = 1; i <= 99; ++i) {
    table.PartyNumberColumn().Append(std::to_string(i));
    table.VotesColumn().Append(std::to_string(1 + static_cast<int>(votes(random))));
  }
  return table;
}

void BM_Calculation(benchmark::State& state) {
  PartyTable table = NinetyNineParties();
  FormValues values;
  values.party_count = 99;
  values.seat_count = 40;
  values.quota_method = static_cast<QuotaMethod>(state.range(0));
  const NumberSettings settings;
  std::string total_text;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
    Calculation calculation = AllocateQuotaSeats(table, values, total_text, settings);
    DistributeRemainders(table, values, settings, calculation);
    benchmark::DoNotOptimize(table);
    benchmark::DoNotOptimize(calculation);
  }
}
BENCHMARK(BM_Calculation)->Arg(0)->Arg(1)->Arg(2)->ArgName("quota_method");

}  // namespace
}  // namespace mandati
