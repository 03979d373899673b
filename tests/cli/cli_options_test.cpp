#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include "cli/cli_errors.h"

namespace mandati::cli {
namespace {

using Args = std::vector<std::string>;
using Quotas = std::vector<QuotaMethod>;

TEST(ParseArgumentsTest, DefaultsToAllQuotasAsATable) {
  const CliOptions options = ParseArguments({"--seats", "7", "58125", "45871"});
  EXPECT_FALSE(options.help);
  EXPECT_EQ(options.seats, 7);
  EXPECT_EQ(options.quotas,
            (Quotas{QuotaMethod::Hare, QuotaMethod::Droop, QuotaMethod::HagenbachBischoff}));
  EXPECT_EQ(options.format, OutputFormat::kTable);
  EXPECT_FALSE(options.explain);
  EXPECT_FALSE(options.input_path.has_value());
  EXPECT_EQ(options.votes, (Args{"58125", "45871"}));
}

TEST(ParseArgumentsTest, OptionsInAnyOrderWithSpaceOrEquals) {
  const CliOptions options = ParseArguments(
      {"100", "--quota=droop", "--format", "json", "200", "--explain", "--seats=32767"});
  EXPECT_EQ(options.seats, 32767);
  EXPECT_EQ(options.quotas, Quotas{QuotaMethod::Droop});
  EXPECT_EQ(options.format, OutputFormat::kJson);
  EXPECT_TRUE(options.explain);
  EXPECT_EQ(options.votes, (Args{"100", "200"}));
}

TEST(ParseArgumentsTest, EachQuotaKeyword) {
  const struct {
    const char* keyword;
    Quotas quotas;
  } cases[] = {
      {"hare", {QuotaMethod::Hare}},
      {"droop", {QuotaMethod::Droop}},
      {"hagenbach-bischoff", {QuotaMethod::HagenbachBischoff}},
      {"all", {QuotaMethod::Hare, QuotaMethod::Droop, QuotaMethod::HagenbachBischoff}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseArguments({"--seats", "3", "--quota", c.keyword}).quotas, c.quotas);
  }
}

TEST(ParseArgumentsTest, InputFileAndDoubleDash) {
  EXPECT_EQ(ParseArguments({"--seats", "3", "--input", "-"}).input_path, "-");
  EXPECT_EQ(ParseArguments({"--seats", "3", "--input=a b.csv"}).input_path, "a b.csv");
  EXPECT_EQ(ParseArguments({"--seats", "3", "--", "--explain"}).votes, Args{"--explain"});
  EXPECT_EQ(ParseArguments({"--seats", "3", "-5"}).votes, Args{"-5"});
}

TEST(ParseArgumentsTest, HelpIsNeitherAVoteNorAnOptionsValue) {
  const CliOptions after_dash = ParseArguments({"--seats", "2", "--", "--help", "-h"});
  EXPECT_FALSE(after_dash.help);
  EXPECT_EQ(after_dash.votes, (Args{"--help", "-h"}));
  const CliOptions input = ParseArguments({"--seats", "2", "--input", "--help"});
  EXPECT_FALSE(input.help);
  EXPECT_EQ(input.input_path, "--help");
}

TEST(ParseArgumentsTest, HelpWinsOverEverythingElse) {
  EXPECT_TRUE(ParseArguments({"--bogus", "--help"}).help);
  EXPECT_TRUE(ParseArguments({"-h"}).help);
  EXPECT_NE(HelpText().find("--seats S"), std::string::npos);
}

TEST(ParseArgumentsTest, UnusableArgumentsAreNamed) {
  const struct {
    Args args;
    const char* message;
  } cases[] = {
      {{"1", "2"}, "--seats is missing: give the number of seats, a whole number from 1 to 32767"},
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
      {{"--seats", "3", "--format", "xml"}, "--format: \"xml\" is not one of table, csv, json"},
      {{"--seats", "3", "--seat", "3"}, "--seat: no such option (see --help)"},
      {{"--seats", "3", "--seatsx"}, "--seatsx: no such option (see --help)"},
      {{"--seats", "3", "-x"}, "-x: no such option (see --help)"},
      {{"--seats", "3", "--explain=yes"}, "--explain=yes: no such option (see --help)"},
      {{"--seats", "3", "--input", "f.csv", "5"},
       "--input: the votes are already given as arguments"},
      {{"--seats", "3", "--format", "csv", "--explain"},
       "--explain: goes with --format table or json, not csv"},
  };
  for (const auto& c : cases) {
    try {
      ParseArguments(c.args);
      ADD_FAILURE() << "no error for " << c.message;
    } catch (const UsageError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace mandati::cli
