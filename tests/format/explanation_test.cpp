// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/explanation.h"

#include <gtest/gtest.h>

#include "core/margins.h"

namespace mandati::format {
namespace {

District DistrictOf(std::int16_t seats, const std::vector<std::int32_t>& votes) {
  District district{seats, {}, {}};
  for (const std::int32_t v : votes) district.parties.push_back(Party{"", v});
  return district;
}

// A tie names what each party has: equal averages as each party's own fraction, and remainders
// that only their 8-decimal keys made equal as the key and each party's own remainder.
TEST(ExplanationTextTest, TiesNameEachPartysOwnFigures) {
  const struct {
    Method method;
    std::int16_t seats;
    std::vector<std::int32_t> votes;
    std::vector<std::string> lines;
  } cases[] = {
      // D'Hondt: 6 / 1, 4 / 1, 6 / 2, then 2 / 1 = 4 / 2 = 6 / 3 for the fourth seat.
      {DivisorMethod::DHondt,
       4,
       {6, 4, 2},
       {"  Tie rule: parties 3, 2 and 1 have equal averages (2 / 1, 4 / 2 and 6 / 3);\n"
        "  the higher party number goes first, so 3 got the last seat; 2 and 1 did not.\n"}},
      // 20 / 1, then 10 / 1, 10 / 1 and 20 / 2 for the last two seats.
      {DivisorMethod::DHondt,
       3,
       {20, 10, 10},
       {"  Tie rule: parties 3, 2 and 1 have equal averages (10 / 1, 10 / 1 and 20 / 2);\n"
        "  the higher party number goes first, so 3 and 2 got the last 2 seats; 1 did not.\n"}},
      // Quota floor(1500000000 / 3) = 500000000: the remainders 499999999, 499999998 and
      // 499999999 all round up to the key 1.00000000.
      {QuotaMethod::HagenbachBischoff,
       2,
       {499999999, 499999998, 499999999, 4},
       {"    2. party 2  1.00000000, rounded up from 499999998 of 500000000 votes  (equal keys)\n",
        "  Tie rule: parties 3, 2 and 1 have the equal key 1.00000000 (remainders of 499999999, "
        "499999998 and 499999999 votes);\n"
        "  the higher party number goes first, so 3 and 2 got a leftover seat and 1 did not.\n"}},
  };
  for (const auto& c : cases) {
    const District district = DistrictOf(c.seats, c.votes);
    const std::string text = ExplanationText(
        district, CalculateMethod(c.method, VotesOf(district), c.seats, MethodRules{}));
    for (const std::string& line : c.lines) {
      EXPECT_NE(text.find(line), std::string::npos) << line << "in\n" << text;
    }
  }
}

// The margins end the explanation with the closest seat to win and the closest to lose, in the
// catalogue's words (D'Hondt, 2 seats, 60 40 1: party 1 wins a second seat with 21 more votes,
// party 2 loses its seat with 11 less).
TEST(ExplanationTextTest, MarginsNameTheClosestSeats) {
  const District district = DistrictOf(2, {60, 40, 1});
  const Method method = DivisorMethod::DHondt;
  const std::string text =
      ExplanationText(district, CalculateMethod(method, VotesOf(district), 2, MethodRules{}),
                      SeatMargins(method, VotesOf(district), 2, MethodRules{}));
  EXPECT_TRUE(
      text.ends_with("  Партия 1 would have won one more seat with 21 more votes.\n"
                     "  Партия 2 would have lost a seat with 11 votes less.\n"))
      << text;
}

}  // namespace
}  // namespace mandati::format
