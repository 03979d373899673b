// SPDX-License-Identifier: GPL-3.0-or-later
// The exact output of the sample district (7 seats; votes 58125 45871 27142 15947 12264) in
// every quota and format, and of the explanation, against files under tests/cli/data.
#include <gtest/gtest.h>

#include "format/machine_formats.h"
#include "tests/cli/cli_runs.h"

namespace mandati::cli {

using namespace mandati::format;  // NOLINT(google-build-using-namespace)
namespace {

const std::vector<std::string> kSampleVotes = {"58125", "45871", "27142", "15947", "12264"};

std::vector<std::string> SampleArgs(std::vector<std::string> options) {
  options.insert(options.begin(), {"--seats", "7"});
  options.insert(options.end(), kSampleVotes.begin(), kSampleVotes.end());
  return options;
}

TEST(SampleOutputTest, EveryQuotaInEveryFormat) {
  for (const char* quota : {"hare", "droop", "hagenbach-bischoff", "all"}) {
    for (const auto& [format, extension] :
         {std::pair{"table", "txt"}, std::pair{"csv", "csv"}, std::pair{"json", "json"}}) {
      const std::string expected_file = std::string("sample_") + quota + "." + extension;
      const CliRun run = RunWith(SampleArgs({"--quota", quota, "--format", format}));
      EXPECT_EQ(run.status, 0) << expected_file;
      EXPECT_EQ(run.err, "") << expected_file;
      EXPECT_EQ(run.out, DataFile(expected_file)) << expected_file;
    }
  }
}

TEST(SampleOutputTest, DefaultsAreAllQuotasAsATable) {
  EXPECT_EQ(RunWith(SampleArgs({})).out, DataFile("sample_all.txt"));
}

TEST(SampleOutputTest, FinalSeatsThreeTwoOneOneZeroUnderEachQuota) {
  const std::string table = RunWith(SampleArgs({})).out;
  // Each party row holds the three quotas' seats side by side: preliminary, final, ratio.
  EXPECT_NE(table.find("     1             2             3       2.553             2             "
                       "3       2.918             2             3       2.918    36.48      58125"),
            std::string::npos);
  EXPECT_NE(table.find("     5             0             0       0.539             0             "
                       "0       0.616             0             0       0.616     7.70      12264"),
            std::string::npos);
}

TEST(SampleOutputTest, ExplanationInTableAndJson) {
  EXPECT_EQ(RunWith(SampleArgs({"--explain"})).out, DataFile("sample_all_explain.txt"));
  EXPECT_EQ(RunWith(SampleArgs({"--explain", "--quota", "hare", "--format", "json"})).out,
            DataFile("sample_hare_explain.json"));
}

TEST(ExplanationTest, TieRuleAndRoundsOfTheQueue) {
  const std::vector<std::string> ten_equal = {"--seats", "3",   "--quota", "hare", "--explain",
                                              "100",     "100", "100",     "100",  "100",
                                              "100",     "100", "100",     "100",  "100"};
  EXPECT_EQ(RunWith(ten_equal).out, DataFile("ties_explain.txt"));
  EXPECT_EQ(RunWith({"--seats", "5", "--quota", "droop", "--explain", "1", "1"}).out,
            DataFile("rounds_explain.txt"));
  EXPECT_EQ(RunWith({"--seats", "3", "--quota", "hagenbach-bischoff", "--explain", "50", "50"}).out,
            DataFile("surplus_explain.txt"));
}

TEST(NamedInputTest, FileAndStandardInputGiveTheSameOutput) {
  const CliRun from_file = RunWith({"--seats", "7", "--input", DataPath("parties.csv")});
  EXPECT_EQ(from_file.status, 0);
  EXPECT_EQ(from_file.out, DataFile("parties_all.txt"));
  const CliRun from_stdin = RunWith({"--seats", "7"}, DataFile("parties.csv"));
  EXPECT_EQ(from_stdin.out, from_file.out);
  EXPECT_EQ(RunWith({"--seats", "7", "--input", "-"}, DataFile("parties.csv")).out, from_file.out);
}

TEST(NamedInputTest, NamesInCsvAndJson) {
  const std::string csv = RunWith({"--seats", "7", "--quota", "hare", "--format", "csv", "--input",
                                   DataPath("parties.csv")})
                              .out;
  EXPECT_NE(csv.find("hare,22764,159349,1,Народен съюз,58125,2,3,2.553,36.48,,"),
            std::string::npos);
  EXPECT_NE(csv.find("hare,22764,159349,2,\"Коалиция \"\"Напред, България\"\"\",45871,2,2,"),
            std::string::npos);
  EXPECT_NE(csv.find("hare,22764,159349,5,,12264,0,0,0.539,7.70,,"), std::string::npos);
  const std::string json =
      RunWith({"--seats", "7", "--quota", "droop", "--format", "json"}, DataFile("parties.csv"))
          .out;
  EXPECT_NE(json.find("\"name\": \"Коалиция \\\"Напред, България\\\"\""), std::string::npos);
  EXPECT_NE(json.find("{\"party\": 5, \"name\": null, \"votes\": 12264,"), std::string::npos);
}

TEST(JsonStringTest, EscapesQuotesBackslashesAndControls) {
  EXPECT_EQ(JsonString("ДПС"), "\"ДПС\"");
  EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(JsonString("a\tb\x01"), "\"a\\u0009b\\u0001\"");
}

}  // namespace
}  // namespace mandati::cli
