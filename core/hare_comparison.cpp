// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/hare_comparison.h"

namespace mandati {

HareComparison CompareHareQuotients(std::span<const std::int32_t> votes, std::int32_t seat_count,
                                    const MethodRules& rules) {
  HareComparison comparison{CalculateMethod(QuotaMethod::Hare, votes, seat_count, rules),
                            CalculateMethod(QuotaMethod::HareNiemeyer, votes, seat_count, rules),
                            {}};
  const std::vector<PartyOutcome>& floored = comparison.floored.quota->parties;
  const std::vector<PartyOutcome>& exact = comparison.exact.quota->parties;
  for (std::size_t i = 0; i < votes.size(); ++i) {
    if (floored[i].final_seats != exact[i].final_seats) {
      comparison.differences.push_back({static_cast<std::int32_t>(i + 1),
                                        floored[i].preliminary_seats, floored[i].final_seats,
                                        exact[i].preliminary_seats, exact[i].final_seats});
    }
  }
  return comparison;
}

}  // namespace mandati
