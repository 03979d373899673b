// SPDX-License-Identifier: GPL-3.0-or-later
// One click of "Изчисли" for 99 parties without the window: the votes read from the party
// table, the calculation under the chosen quota and the window's texts written from it.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "commands/form_commands.h"

namespace mandati {
namespace {

// Votes shaped like a real district: a few large parties and a long tail of small ones.
FormState NinetyNineParties() {
  FormState state;
  std::mt19937 random(20261208);
  std::lognormal_distribution<double> votes(8.0, 1.6);
  for (int i = 1; i <= 99; ++i) {
    state.table.PartyNumberColumn().Append(std::to_string(i));
    state.table.VotesColumn().Append(std::to_string(1 + static_cast<int>(votes(random))));
  }
  state.values.party_count = 99;
  state.values.seat_count = 40;
  return state;
}

void BM_Calculation(benchmark::State& state) {
  FormState form = NinetyNineParties();
  form.values.quota_method = static_cast<QuotaMethod>(state.range(0));
  const NumberSettings settings;
  for (auto _ : state) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the benchmark loop
    CalculateSeats(form, settings);
    benchmark::DoNotOptimize(form);
  }
}
BENCHMARK(BM_Calculation)->Arg(0)->Arg(1)->Arg(2)->ArgName("quota_method");

}  // namespace
}  // namespace mandati
