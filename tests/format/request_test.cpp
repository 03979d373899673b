// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/request.h"

#include <gtest/gtest.h>

#include "core/quota_rules.h"
#include "format/errors.h"
#include "format/option_rules.h"
#include "format/party_input.h"
#include "format/text_table.h"

namespace mandati::format {
namespace {

using Args = std::vector<std::string>;
using Methods = std::vector<Method>;

TEST(ParseRequestTest, DefaultsToAllQuotasAsATable) {
  const Request options = ParseRequest({"--seats", "7", "58125", "45871"});
  EXPECT_FALSE(options.help);
  EXPECT_EQ(options.seats, 7);
  EXPECT_EQ(options.methods,
            (Methods{QuotaMethod::Hare, QuotaMethod::Droop, QuotaMethod::HagenbachBischoff}));
  EXPECT_EQ(options.last_seats, 0);
  EXPECT_FALSE(options.exact);
  EXPECT_EQ(options.format, OutputFormat::kTable);
  EXPECT_FALSE(options.explain);
  EXPECT_FALSE(options.input_path.has_value());
  EXPECT_EQ(options.votes, (Args{"58125", "45871"}));
}

TEST(ParseRequestTest, OptionsInAnyOrderWithSpaceOrEquals) {
  const Request options = ParseRequest(
      {"100", "--quota=droop", "--format", "json", "200", "--explain", "--seats=32767"});
  EXPECT_EQ(options.seats, 32767);
  EXPECT_EQ(options.methods, Methods{QuotaMethod::Droop});
  EXPECT_EQ(options.format, OutputFormat::kJson);
  EXPECT_TRUE(options.explain);
  EXPECT_EQ(options.votes, (Args{"100", "200"}));
}

TEST(ParseRequestTest, QuotaAndMethodKeywords) {
  const Methods window = {QuotaMethod::Hare, QuotaMethod::Droop, QuotaMethod::HagenbachBischoff};
  Methods all = window;
  all.insert(all.end(),
             {QuotaMethod::Imperiali, DivisorMethod::DHondt, DivisorMethod::SainteLague});
  const struct {
    const char* option;
    const char* keyword;
    Methods methods;
  } cases[] = {
      {"--quota", "hare", {QuotaMethod::Hare}},
      {"--quota", "droop", {QuotaMethod::Droop}},
      {"--quota", "hagenbach-bischoff", {QuotaMethod::HagenbachBischoff}},
      {"--quota", "all", window},
      {"--method", "quotas", window},
      {"--method", "all", all},
      {"--method",
       "sainte-lague,imperiali,hare",
       {DivisorMethod::SainteLague, QuotaMethod::Imperiali, QuotaMethod::Hare}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseRequest({"--seats", "3", c.option, c.keyword}).methods, c.methods) << c.keyword;
  }
}

TEST(ParseRequestTest, SeatRangesAndExactTies) {
  const Request sweep = ParseRequest({"--seats", "1..1000", "--exact", "1"});
  EXPECT_EQ(sweep.seats, 1);
  EXPECT_EQ(sweep.last_seats, 1000);
  EXPECT_TRUE(sweep.exact);
  for (const Args& refused :
       {Args{"--seats", "1..1001"}, Args{"--seats", "5..5"}, Args{"--seats", "6..5"},
        Args{"--seats", "1..x"}, Args{"--seats", "3", "--quota", "imperiali"},
        Args{"--seats", "3", "--method", "hare,hare"}, Args{"--seats", "3", "--method", "dhont"},
        Args{"--seats", "3", "--quota", "hare", "--method", "dhondt"},
        Args{"--seats", "1..3", "--explain"}}) {
    EXPECT_THROW(ParseRequest(refused), InputError) << refused[1];
  }
}

TEST(ParseRequestTest, InputFileAndDoubleDash) {
  EXPECT_EQ(ParseRequest({"--seats", "3", "--input", "-"}).input_path, "-");
  EXPECT_EQ(ParseRequest({"--seats", "3", "--input=a b.csv"}).input_path, "a b.csv");
  EXPECT_EQ(ParseRequest({"--seats", "3", "--", "--explain"}).votes, Args{"--explain"});
  EXPECT_EQ(ParseRequest({"--seats", "3", "-5"}).votes, Args{"-5"});
}

// The parser knows options only from their table: each row is found by its name, with its
// value after a blank or "=", and refused when given twice.
TEST(ParseRequestTest, EveryOptionComesFromItsRow) {
  for (const OptionRule& rule : OptionRules()) {
    const std::string value = rule.name == "--seats"    ? "5"
                              : rule.name == "--format" ? "json"
                              : rule.name == "--input"  ? "-"
                                                        : "hare";
    Args once = {"--seats", "5", std::string(rule.name)};
    if (!rule.value.empty()) once.push_back(value);
    if (rule.name == "--seats") once.erase(once.begin(), once.begin() + 2);
    Request expected = NewRequest();
    rule.apply(expected, rule.value.empty() ? "" : value, rule.name);
    const Request parsed = ParseRequest(once);
    EXPECT_EQ(parsed.methods, expected.methods) << rule.name;
    EXPECT_EQ(parsed.format, expected.format) << rule.name;
    EXPECT_EQ(parsed.exact, expected.exact) << rule.name;
    EXPECT_EQ(parsed.input_path, expected.input_path) << rule.name;
    if (!rule.value.empty()) {
      Args with_equals = once;
      with_equals.pop_back();
      with_equals.back() += "=" + value;
      EXPECT_EQ(ParseRequest(with_equals).methods, parsed.methods) << rule.name;
    }
    Args twice = once;
    twice.insert(twice.end(), once.end() - (rule.value.empty() ? 1 : 2), once.end());
    try {
      ParseRequest(twice);
      ADD_FAILURE() << rule.name << " twice";
    } catch (const InputError& error) {
      EXPECT_EQ(error.what(), std::string(rule.name) + ": given more than once");
    }
  }
}

TEST(ParseRequestTest, HelpIsNeitherAVoteNorAnOptionsValue) {
  const Request after_dash = ParseRequest({"--seats", "2", "--", "--help", "-h"});
  EXPECT_FALSE(after_dash.help);
  EXPECT_EQ(after_dash.votes, (Args{"--help", "-h"}));
  const Request input = ParseRequest({"--seats", "2", "--input", "--help"});
  EXPECT_FALSE(input.help);
  EXPECT_EQ(input.input_path, "--help");
}

TEST(ParseRequestTest, HelpWinsOverEverythingElse) {
  EXPECT_TRUE(ParseRequest({"--bogus", "--help"}).help);
  EXPECT_TRUE(ParseRequest({"-h"}).help);
}

TEST(ParseRequestTest, UnusableArgumentsAreNamed) {
  const struct {
    Args args;
    const char* message;
  } cases[] = {
      {{"1", "2"}, "--seats is missing: give a whole number of seats from 1 to 32767"},
      {{"--seats", "0"}, "--seats: \"0\" is not a whole number of seats from 1 to 32767"},
      {{"--seats", "7.0"}, "--seats: \"7.0\" is not a whole number of seats from 1 to 32767"},
      {{"--seats", "32768"}, "--seats: \"32768\" is not a whole number of seats from 1 to 32767"},
      {{"--seats="}, "--seats: \"\" is not a whole number of seats from 1 to 32767"},
      {{"--seats"}, "--seats: the value is missing"},
      {{"--seats", "3", "--seats", "3"}, "--seats: given more than once"},
      {{"--seats", "3", "--explain", "--explain"}, "--explain: given more than once"},
      {{"--seats", "3", "--quota", "dhondt"},
       "--quota: \"dhondt\" is not one of hare, droop, hagenbach-bischoff, all"},
      {{"--seats", "3", "--quota", "Hare"},
       "--quota: \"Hare\" is not one of hare, droop, hagenbach-bischoff, all"},
      {{"--seats", "3", "--format", "xml"},
       "--format: \"xml\" is not one of table, csv, json, svg, html"},
      {{"--seats", "3", "--seat", "3"}, "--seat: no such option (see --help)"},
      {{"--seats", "3", "--seatsx"}, "--seatsx: no such option (see --help)"},
      {{"--seats", "3", "-x"}, "-x: no such option (see --help)"},
      {{"--seats", "3", "--explain=yes"}, "--explain=yes: no such option (see --help)"},
      {{"--seats", "3", "--input", "f.csv", "5"},
       "--input: the votes are already given as arguments"},
      {{"--seats", "3", "--format", "csv", "--explain"},
       "--explain: goes with --format table, json or html"},
      {{"--seats", "1..x"},
       "--seats: \"1..x\" is not a range A..B of whole numbers of seats from 1 to 32767, with "
       "A < B and at most 1000 seat counts"},
      {{"--seats", "3", "--method", "hare", "--quota", "all"},
       "--quota: --method and --quota both choose"},
  };
  for (const auto& c : cases) {
    try {
      ParseRequest(c.args);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const InputError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace mandati::format
