// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/bench_request.h"

#include <gtest/gtest.h>

#include "format/exit_status.h"
#include "format/party_input.h"
#include "format/request.h"
#include "format/sink.h"
#include "format/text_table.h"

namespace mandati::format {
namespace {

const BenchNames kNames = {"Parties", "Seats", "Methods", "Exact", "Explain", "Show"};

BenchFields Fields(std::string parties, std::string seats, std::vector<std::string> methods,
                   std::string format = "table", bool exact = false, bool explain = false) {
  return {std::move(parties),
          std::move(seats),
          std::move(methods),
          exact,
          explain,
          std::move(format),
          {}};
}

// The fields reach the request that mandati-cli's arguments make; --explain only where the
// format carries it; and the answer names its file and media type from what was read.
TEST(RunBenchTest, FieldsMakeTheCommandLinesRequest) {
  const BenchOutcome sweep = RunBench(
      Fields("18\n17\n6\n", "1..8", {"hare", "dhondt"}, "csv", true, true), kNames, 1 << 20);
  StringSource in("18\n17\n6\n");
  StringSink out, err;
  RunRequest(ParseRequest({"--seats=1..8", "--method=hare,dhondt", "--format=csv", "--exact"}),
             ReadParties(in, "standard input"), out, err, CharacterCount, "");
  EXPECT_EQ(sweep.status, 0);
  EXPECT_EQ(sweep.out, out.Text());
  EXPECT_EQ(sweep.err, "");
  EXPECT_EQ(sweep.media_type, "text/csv; charset=utf-8");
  EXPECT_EQ(sweep.file_name, "mandati-1-8-seats-hare-dhondt-exact.csv");
  EXPECT_EQ(sweep.summary, "Calculated: 2 methods, 1 to 8 seats.");
  const BenchOutcome one = RunBench(Fields("5\n9\n", "7", {"hare"}, "svg"), kNames, 1 << 20);
  EXPECT_EQ(one.file_name, "mandati-7-seats-hare.svg");
  EXPECT_EQ(one.media_type, "image/svg+xml");
  EXPECT_EQ(one.summary, "Calculated: 1 method, 7 seats.");
}

// Messages call the fields by their names, never by options, arguments or standard input.
TEST(RunBenchTest, MessagesCallTheFieldsByTheirNames) {
  const struct {
    BenchFields fields;
    int status;
    const char* err;
  } cases[] = {
      {Fields("5\n", "0", {"hare"}), 2,
       "Seats: \"0\" is not a whole number of seats from 1 to 32767\n"},
      {Fields("5\n", "7", {}), 2, "Methods: none is chosen\n"},
      {Fields("5\n", "7", {"hare"}, "xml"), 2,
       "Show: \"xml\" is not one of table, csv, json, svg, html\n"},
      {Fields("5\n", "1..3", {"hare"}, "table", false, true), 2,
       "Explain: goes with one seat count, not a range\n"},
      {Fields("\n\n", "7", {"hare"}), 2, "Parties: no party is given, one a line\n"},
      {Fields("5\nx,abc\n", "7", {"hare"}), 2,
       "Parties, line 2: \"abc\" is not a whole number of votes from 1 to 2147483647\n"},
      {Fields("5\n9\n", "7", {"dhondt"}, "table", true), 0,
       "Exact: changes nothing here: none of the chosen methods ranks remainders by keys "
       "(divisor methods compare averages exactly)\n"},
  };
  for (const auto& c : cases) {
    const BenchOutcome outcome = RunBench(c.fields, kNames, 1 << 20);
    EXPECT_EQ(outcome.status, c.status) << c.err;
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out.empty(), c.status != 0) << c.err;
  }
  EXPECT_EQ(RunBench(Fields("5\n", "0", {"hare"}), kNames, 1 << 20).summary,
            "Not calculated: see the message.");
}

// A built-in election is calculated with its own seats, method and rules, and its table ends
// with --check's comparison, which the summary states in every format; its file is named
// after it.
TEST(RunBenchTest, BuiltInElectionIsCheckedAgainstItsOfficialSeats) {
  BenchFields fields = Fields("", "", {});
  fields.election = "bg-2021-07-na46";
  const BenchOutcome outcome = RunBench(fields, kNames, 1 << 20);
  EXPECT_EQ(outcome.status, kSuccess) << outcome.err;
  EXPECT_TRUE(outcome.out.ends_with("\nMATCH\n")) << outcome.out;
  EXPECT_EQ(outcome.file_name, "mandati-bg-2021-07-na46.txt");
  fields.format = "html";  // the page's tables carry no comparison: the summary says it
  EXPECT_EQ(RunBench(fields, kNames, 1 << 20).summary,
            "Calculated: 46-о Народно събрание, 11 юли 2021. The seats are the official seats: "
            "MATCH.");
}

TEST(RunBenchTest, RefusalsAndTooLargeAnOutputAreSummed) {
  const BenchOutcome part = RunBench(Fields("3\n3\n", "7", {"hare", "dhondt"}), kNames, 1 << 20);
  EXPECT_EQ(part.status, 3);
  EXPECT_EQ(part.summary,
            "Calculated in part: 2 methods, 7 seats; the messages say what is left out.");
  std::string parties;
  for (int i = 1; i <= 60; ++i) parties += std::to_string(1000 + i) + "\n";
  const BenchOutcome large = RunBench(Fields(parties, "1..1000", {"hare"}, "csv"), kNames, 1 << 20);
  EXPECT_EQ(large.status, 4);
  EXPECT_EQ(large.out, "");
  EXPECT_EQ(large.err,
            "the output is larger than 1 MB, the most the page holds: choose fewer seat counts, "
            "methods or parties, or use mandati-cli\n");
  EXPECT_EQ(large.summary, "Not shown: see the message.");
}

}  // namespace
}  // namespace mandati::format
