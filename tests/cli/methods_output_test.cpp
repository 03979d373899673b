// SPDX-License-Identifier: GPL-3.0-or-later
// The exact output of the methods beside the window's quotas, of exact and merged ties, and
// of the seat-count sweep, against files under tests/cli/data.
#include <gtest/gtest.h>

#include "tests/cli/cli_runs.h"

namespace mandati::cli {
namespace {

using Args = std::vector<std::string>;

const Args kSampleVotes = {"58125", "45871", "27142", "15947", "12264"};
const Args kPublishedVotes = {"100000", "80000", "30000", "20000"};
const Args kAlabamaVotes = {"18", "17", "6"};

Args With(Args options, const Args& votes) {
  options.insert(options.end(), votes.begin(), votes.end());
  return options;
}

TEST(MethodsOutputTest, GoldenFiles) {
  const struct {
    Args args;
    const char* file;
  } cases[] = {
      {With({"--seats", "7", "--method", "all"}, kSampleVotes), "sample_methods_all.txt"},
      {With({"--seats", "7", "--method", "all", "--format", "csv"}, kSampleVotes),
       "sample_methods_all.csv"},
      {With({"--seats", "7", "--method", "all", "--format", "svg"}, kSampleVotes),
       "sample_methods_all.svg"},
      {With({"--seats", "8", "--method", "dhondt,sainte-lague", "--explain", "--format", "json"},
            kPublishedVotes),
       "divisors_explain.json"},
      {With({"--seats", "6", "--method", "sainte-lague", "--explain"}, kPublishedVotes),
       "divisor_tie_explain.txt"},
      {{"--seats", "1", "--quota", "hare", "--explain", "700000001", "700000000"},
       "key_merge_explain.txt"},
      // Exact ranking explains in votes, and calls no unequal remainders equal.
      {{"--seats", "1", "--quota", "hare", "--exact", "--explain", "700000001", "700000000"},
       "exact_explain.txt"},
      // A key that rounds up to 1 shows the remainder below one quota beside it.
      {{"--seats", "2", "--quota", "hare", "--explain", "599999999", "1"},
       "key_rounds_up_explain.txt"},
      {With({"--seats", "1..8", "--method", "hare,dhondt"}, kAlabamaVotes), "sweep_alabama.txt"},
      {With({"--seats", "1..8", "--method", "hare,dhondt", "--format", "csv"}, kAlabamaVotes),
       "sweep_alabama.csv"},
      {With({"--seats", "1..8", "--method", "hare,dhondt", "--format", "json"}, kAlabamaVotes),
       "sweep_alabama.json"},
      {With({"--seats", "1..8", "--method", "hare,dhondt", "--format", "svg"}, kAlabamaVotes),
       "sweep_alabama.svg"},
      {With({"--seats", "7", "--method", "all", "--explain", "--format", "html"}, kSampleVotes),
       "sample_methods_all_explain.html"},
      // Names that are markup, hold quotes and ampersands, or run right to left, in a sweep
      // with a paradox of the right-to-left name.
      {{"--seats", "1..8", "--method", "hare,dhondt", "--format", "html", "--input",
        DataPath("hostile_names.csv")},
       "sweep_hostile_names.html"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunWith(c.args);
    EXPECT_EQ(run.status, 0) << c.file;
    EXPECT_EQ(run.err, "") << c.file;
    EXPECT_EQ(run.out, DataFile(c.file)) << c.file;
  }
}

// Every format says how the remainders were ranked, so that outputs with different seats never
// look alike.
TEST(MethodsOutputTest, EveryFormatSaysHowRemaindersWereRanked) {
  const struct {
    Args options;
    const char* keys;
    const char* exact;
  } cases[] = {
      {{"--seats", "1"}, "ranked by their keys to 8 decimals", "ranked exactly"},
      {{"--seats", "1", "--format", "csv"}, ",keys\n", ",exact\n"},
      {{"--seats", "1", "--format", "json"}, "\"ranking\": \"keys\"", "\"ranking\": \"exact\""},
      {{"--seats", "1", "--format", "svg"}, "по ключове с 8 десетични знака", "подредени точно"},
      {{"--seats", "1..3"}, "ranked by their keys to 8 decimals", "ranked exactly"},
      {{"--seats", "1..3", "--format", "csv"}, ",keys\n", ",exact\n"},
      {{"--seats", "1..3", "--format", "json"}, "\"ranking\": \"keys\"", "\"ranking\": \"exact\""},
      {{"--seats", "1..3", "--format", "svg"}, "по ключове с 8 десетични знака", "подредени точно"},
  };
  const Args votes = {"--quota", "hare", "700000001", "700000000"};
  for (const auto& c : cases) {
    Args exact = With(c.options, votes);
    exact.push_back("--exact");
    const std::string by_keys = RunWith(With(c.options, votes)).out;
    const std::string by_exact = RunWith(exact).out;
    EXPECT_NE(by_keys.find(c.keys), std::string::npos) << c.options.back() << by_keys;
    EXPECT_EQ(by_keys.find(c.exact), std::string::npos) << c.options.back();
    EXPECT_NE(by_exact.find(c.exact), std::string::npos) << c.options.back();
  }
}

// Exact ranking gives the seat to the larger remainder that the 8-decimal key merged.
TEST(MethodsOutputTest, ExactTiesChangeTheSeat) {
  const Args args = {"--seats",  "1",   "--quota",   "hare",
                     "--format", "csv", "700000001", "700000000"};
  Args exact = args;
  exact.push_back("--exact");
  EXPECT_NE(RunWith(args).out.find("hare,1400000001,1400000001,2,,700000000,0,1,"),
            std::string::npos);
  EXPECT_NE(RunWith(exact).out.find("hare,1400000001,1400000001,1,,700000001,0,1,"),
            std::string::npos);
}

}  // namespace
}  // namespace mandati::cli
