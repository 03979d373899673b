// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/machine_formats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/margins.h"
#include "format/sink.h"
#include "format/table_format.h"

namespace mandati::format {
namespace {

// Every format shows the total that the calculation counted, not one of its own: a record
// whose total differs from the district's votes shows the record's.
TEST(FormatsTest, ShowTheTotalFromTheCalculation) {
  const District district{5, {{"", 600}, {"", 300}, {"", 100}}, {}};
  std::vector<MethodOutcome> outcomes;
  for (const Method method : {Method{QuotaMethod::Hare}, Method{DivisorMethod::DHondt}}) {
    outcomes.push_back(CalculateMethod(method, VotesOf(district), district.seats, MethodRules{}));
    outcomes.back().total_votes = 4321;
  }
  StringSink csv;
  StringSink json;
  StringSink table;
  WriteCsv(csv, district, outcomes);
  WriteJson(json, district, outcomes, false);
  WriteTable(table, district, outcomes, CharacterCount);
  for (const std::string& text : {csv.Text(), json.Text(), table.Text()}) {
    EXPECT_NE(text.find("4321"), std::string::npos) << text;
    EXPECT_EQ(text.find("1000"), std::string::npos) << text;
  }
}

// D'Hondt, 2 seats, 60 40 1: A keeps its seat down to 20 votes (equal averages go to the higher
// party number), wins a second above 80; B wins a second at 120 and loses its seat below 30; C
// wins a seat at 40 and has none to lose. Each format shows those margins, "—", empty or null
// where there is none.
TEST(FormatsTest, ShowEachPartysSeatMargins) {
  const District district{2, {{"A", 60}, {"B", 40}, {"C", 1}}, {}};
  const Method method = DivisorMethod::DHondt;
  const std::vector<MethodOutcome> outcomes = {
      CalculateMethod(method, VotesOf(district), district.seats, MethodRules{})};
  const Margins margins = {SeatMargins(method, VotesOf(district), district.seats, MethodRules{})};
  StringSink csv;
  StringSink json;
  StringSink table;
  WriteCsv(csv, district, outcomes, margins);
  WriteJson(json, district, outcomes, false, margins);
  WriteTable(table, district, outcomes, CharacterCount, margins);
  EXPECT_NE(csv.Text().find(",seats_gain_margin,seats_loss_margin\n"), std::string::npos);
  for (const char* margins_end : {",21,40\n", ",80,11\n", ",39,\n"}) {
    EXPECT_NE(csv.Text().find(margins_end), std::string::npos) << margins_end;
  }
  for (const char* member : {"\"seats_gain_margin\": 21, \"seats_loss_margin\": 40}",
                             "\"seats_gain_margin\": 80, \"seats_loss_margin\": 11}",
                             "\"seats_gain_margin\": 39, \"seats_loss_margin\": null}"}) {
    EXPECT_NE(json.Text().find(member), std::string::npos) << member;
  }
  EXPECT_TRUE(
      table.Text().ends_with("Партия  Име  Метод на Д'Онт +  Метод на Д'Онт −\n"
                             "     1  A                  21                40\n"
                             "     2  B                  80                11\n"
                             "     3  C                  39                 —\n"))
      << table.Text();
}

}  // namespace
}  // namespace mandati::format
