// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/machine_formats.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace mandati::format
