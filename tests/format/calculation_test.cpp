// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/calculation.h"

#include <gtest/gtest.h>

#include "format/errors.h"

namespace mandati::format {
namespace {

District DistrictOf(std::int16_t seats, const std::vector<std::int32_t>& votes) {
  District district;
  district.seats = seats;
  for (const std::int32_t v : votes) district.parties.push_back(Party{"", v});
  return district;
}

TEST(CalculateTest, CalculationsThatCannotBeDone) {
  const struct {
    District district;
    QuotaMethod method;
    const char* message;
  } cases[] = {
      {DistrictOf(7, {2, 2}), QuotaMethod::Hare,
       "Квота на Хеър = floor(4 / 7) = 0: too few votes for the seats, and no votes can be "
       "divided by a quota of 0"},
      {DistrictOf(7, {3, 4}), QuotaMethod::HagenbachBischoff,
       "Квота на Хагенбах-Бишоф = floor(7 / 8) = 0: too few votes for the seats, and no votes "
       "can be divided by a quota of 0"},
      {DistrictOf(7, {2147483647, 1}), QuotaMethod::Droop,
       "the total of votes is beyond 2147483647, the most the calculator can add up"},
      {DistrictOf(32767, {65000, 1}), QuotaMethod::Hare,
       "Квота на Хеър = 1: a party's preliminary seats are beyond 32767 (outside the 16-bit "
       "range)"},
  };
  for (const auto& c : cases) {
    try {
      Calculate(c.district, c.method);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const CalculationError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace mandati::format
