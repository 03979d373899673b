// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/svg_chart.h"

#include <gtest/gtest.h>

#include "format/sink.h"

namespace mandati::format {
namespace {

District DistrictOf(std::int16_t seats, const std::vector<std::int32_t>& votes) {
  District district;
  district.seats = seats;
  for (const std::int32_t v : votes) district.parties.push_back(Party{"", v});
  return district;
}

TEST(ChartPartiesTest, AllUpToTheLimitElseTheLargestInPartyOrder) {
  EXPECT_EQ(ChartParties(DistrictOf(3, {5, 9, 1})), (std::vector<std::size_t>{0, 1, 2}));
  std::vector<std::int32_t> votes(300, 10);
  votes[299] = 50;  // the last party, and 15 in the middle, have more votes than the rest
  for (std::size_t i = 100; i < 115; ++i) votes[i] = 20;
  std::vector<std::size_t> expected;
  for (std::size_t i = 100; i < 115; ++i) expected.push_back(i);
  expected.push_back(299);
  EXPECT_EQ(ChartParties(DistrictOf(3, votes)), expected);
}

TEST(SharesSvgTest, AnEmptyBarSaysZeroAndLeftOutPartiesAreCounted) {
  const District district = DistrictOf(1, std::vector<std::int32_t>(20, 7));
  StringSink out;
  WriteSharesSvg(out, district,
                 {CalculateMethod(DivisorMethod::DHondt, VotesOf(district), 1, MethodRules{})});
  EXPECT_NE(out.Text().find(">0</text>"), std::string::npos);
  EXPECT_NE(out.Text().find("Показани са 16-те партии с най-много гласове от 20."),
            std::string::npos);
}

// Over a long range the axis labels a readable step, and still each paradox's count.
TEST(SweepSvgTest, TicksAtAReadableStepAndAtEveryParadox) {
  const District district = DistrictOf(1, {1800, 1700, 600});
  const SweepRequest request{{{QuotaMethod::Hare, {{1, 100}}}}, 1, 100, Ranking::kKeys};
  StringSink out;
  WriteSweepSvg(out, district, request);
  const auto labelled = [&](int count) {
    return out.Text().find("text-anchor=\"middle\">" + std::to_string(count) + "</text>") !=
           std::string::npos;
  };
  EXPECT_TRUE(labelled(1) && labelled(5) && labelled(50) && labelled(100));
  EXPECT_TRUE(labelled(4));  // party 3 loses its seat at 4 seats
  EXPECT_FALSE(labelled(7));
}

// A chart of more parties than it draws still draws each party that loses a seat: party 12,
// the smallest of 17, has 1 of 27 seats but 0 of 28.
TEST(SweepSvgTest, DrawsThePartiesWithAParadoxFirst) {
  const District district = DistrictOf(
      1, {983, 631, 362, 938, 568, 855, 501, 677, 682, 502, 451, 194, 307, 839, 661, 420, 727});
  StringSink out;
  WriteSweepSvg(out, district, {{{QuotaMethod::Hare, {{1, 30}}}}, 1, 30, Ranking::kKeys});
  EXPECT_NE(out.Text().find("<title>Партия 12: 1 → 0</title></circle>"), std::string::npos);
  // The smallest of the others, party 13 (307 votes), makes room.
  EXPECT_EQ(out.Text().find(">Партия 13</text>"), std::string::npos);
  EXPECT_NE(out.Text().find("16 of 17 parties are shown: those with an Alabama paradox, then those "
                            "with the most votes."),
            std::string::npos);
}

}  // namespace
}  // namespace mandati::format
