// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/run_election.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/exit_status.h"

namespace mandati::format {
namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

// mandati-cli's run over `file` as standard input (--input -), with the other arguments.
Result Calculated(std::vector<std::string> args, const std::string& file) {
  args.insert(args.begin(), {"--input", "-"});
  const Request request = ParseRequest(args);
  StringSource in(file);
  const Election election = ReadElection(in, "e.csv", CheckOptionValue);
  StringSink out, err;
  Result result;
  result.status = RunElection(request, election, out, err, CharacterCount, "");
  result.out = out.Text();
  result.err = err.Text();
  return result;
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

const char kDistrict[] = "А,60\nБ,30\nВ,10\n";

TEST(RunElectionTest, TheFilesKeysUnlessTheCommandLineGivesTheOption) {
  const std::string file = std::string("# title: Т\n# seats: 3\n# method: dhondt\n") + kDistrict;
  const Result keys = Calculated({}, file);
  EXPECT_TRUE(keys.out.starts_with("Т\n\nБрой мандати: 3\n")) << keys.out;
  EXPECT_TRUE(Has(keys.out, "Метод на Д'Онт")) << keys.out;
  const Result options = Calculated({"--seats", "5", "--method", "hare"}, file);
  EXPECT_TRUE(Has(options.out, "Брой мандати: 5\n")) << options.out;
  EXPECT_TRUE(Has(options.out, "Квота на Хеър: 20")) << options.out;
}

TEST(RunElectionTest, CheckComparesWithTheOfficialSeats) {
  const Result match =
      Calculated({"--check"}, "# seats: 3\n# method: dhondt\nА,60,2\nБ,30,1\nВ,10,0\n");
  EXPECT_EQ(match.status, kSuccess);
  EXPECT_TRUE(match.out.ends_with("\nMATCH\n")) << match.out;
  const Result mismatch =
      Calculated({"--check"}, "# seats: 3\n# method: dhondt\nА,60,1\nБ,30,2\nВ,10,0\n");
  EXPECT_EQ(mismatch.status, kMismatch);
  EXPECT_TRUE(
      mismatch.out.ends_with("\nА: 2 seats, officially 1\nБ: 1 seat, officially 2\n"
                             "MISMATCH\n"))
      << mismatch.out;
  EXPECT_EQ(Calculated({"--check"}, "# seats: 3\n# method: dhondt\nА,60,2\nБ,30,2\nВ,10,0\n").err,
            "e.csv: the official seats add up to 4, not the 3 seats calculated\n");
}

// Север: 60 and 30 for 2 seats, the second a tie of averages 30 that party Б, the higher
// number, wins; Юг: Б 50, В 40, then Б's 25. So А 1, Б 1 + 2, В 1.
TEST(RunElectionTest, SeveralDistrictsThenTheTotalsByName) {
  const Result run = Calculated({},
                                "# method: dhondt\n# district: Север\n# seats: 2\nА,60\nБ,30\n"
                                "# district: Юг\n# seats: 3\nБ,50\nВ,40\nА,10\n");
  EXPECT_EQ(run.status, kSuccess) << run.err;
  EXPECT_TRUE(run.out.starts_with("District Север\n\nБрой мандати: 2\n")) << run.out;
  EXPECT_TRUE(Has(run.out, "\nDistrict Юг\n\nБрой мандати: 3\n")) << run.out;
  EXPECT_TRUE(Has(run.out,
                  "Final seats across the districts, each party matched by its name:\n"
                  "Име  Метод на Д'Онт  Гласували\n"
                  "А                 1         70\n"
                  "Б                 3         80\n"
                  "В                 1         40\n"))
      << run.out;
}

// The bar of each kind, its base, a bar met exactly, and a party exempt from it.
TEST(RunElectionTest, TheThresholdsBarAndWhoFellUnderIt) {
  const struct {
    std::vector<std::string> args;
    const char* lines;
  } cases[] = {
      {{"--threshold", "10%"},
       "Threshold: 10 % of 100 (the listed votes) = 10: a list needs at least 10 votes.\n\n"},
      {{"--threshold", "10%", "--threshold-of", "200"},
       "Threshold: 10 % of 200 (the total given) = 20: a list needs at least 20 votes.\n"
       "Under it, with 0 seats: В.\n"},
      {{"--threshold", "31"},
       "Threshold: a list needs at least 31 votes.\n"
       "Under it, with 0 seats: Б; В.\n"},
      {{"--threshold", "quota"},
       "Threshold: the Hare quotient of 100 (the listed votes) for the seats, 33.33…: a list "
       "needs at least 34 votes.\nUnder it, with 0 seats: Б; В.\n"},
      {{"--threshold", "31", "--exempt", "В"},
       "Under it, with 0 seats: Б.\nUnder it but exempt, taking part: В.\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--seats", "3", "--method", "dhondt"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result run = Calculated(args, kDistrict);
    EXPECT_EQ(run.status, kSuccess) << run.err;
    EXPECT_TRUE(Has(run.out, c.lines)) << c.args.back() << '\n' << run.out;
  }
  const Result nobody =
      Calculated({"--seats", "3", "--method", "dhondt", "--threshold", "70%"}, kDistrict);
  EXPECT_EQ(nobody.status, kNoCalculation);
  EXPECT_EQ(nobody.err,
            "Метод на Д'Онт, 3 seats: no party reaches the threshold of 70 votes, so none takes "
            "part\n");
}

TEST(RunElectionTest, ATieRuleByVotesIsStatedInEveryFormat) {
  const std::vector<std::string> votes = {"--seats", "3", "--method", "hare", "--ties", "votes"};
  const auto in = [&](const char* format) {
    std::vector<std::string> args = votes;
    args.insert(args.end(), {"--format", format});
    return Calculated(args, kDistrict).out;
  };
  EXPECT_TRUE(Has(in("table"),
                  "more votes first, between equal votes to the lower party number "
                  "(--ties votes).\n"));
  EXPECT_TRUE(Has(in("csv"), "ranking,tie_rule\nhare,33,100,1,А,60,1,2,1.818,60.00,,"));
  EXPECT_TRUE(Has(in("json"), "\"tie_rule\": \"votes\""));
}

// Hare-Niemeyer's quota is V / S as it is: 64/5, and remainders in fifths of a vote; the
// floored Hare quota, 12, gives other seats here.
TEST(RunElectionTest, HareNiemeyerIsShownExactly) {
  const std::vector<std::string> args = {"--seats", "5", "--method", "hare-niemeyer"};
  const auto in = [&](std::vector<std::string> more) {
    more.insert(more.begin(), args.begin(), args.end());
    return Calculated(more, "6\n56\n2\n").out;
  };
  const std::string explained = in({"--explain"});
  EXPECT_TRUE(Has(explained, "Метод на Хеър-Нимайер: 64/5\n")) << explained;
  EXPECT_TRUE(Has(explained, "  Quota = V / S = 64 / 5 = 12.8   (V votes in total, S seats)\n"));
  EXPECT_TRUE(Has(explained, "    party 2: 56 - 4 x 64/5 = 24/5 votes\n")) << explained;
  EXPECT_TRUE(Has(explained,
                  "The Hare quota floor(V / S) = 12, rounded down, gives other seats: "
                  "party 1: 0 instead of 1; party 2: 5 instead of 4.\n"));
  EXPECT_TRUE(Has(in({"--format", "csv"}), "hare-niemeyer,64/5,64,2,,56,4,4,"));
  EXPECT_TRUE(Has(in({"--format", "json"}), "\"quota\": \"64/5\""));
}

TEST(RunElectionTest, OptionsThatDoNotSuitTheParties) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--threshold", "4%", "--threshold-of", "99"},
       "--threshold-of: 99 votes are fewer than the listed votes add up to\n"},
      {{"--threshold", "4%", "--exempt", "Г"}, "--exempt: \"Г\" is not the name of a party\n"},
      {{"--first-divisor", "1.4"}, "e.csv: --first-divisor: goes with the method sainte-lague\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--seats", "3"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Result run = Calculated(args, kDistrict);
    EXPECT_EQ(run.status, kUnusableInput);
    EXPECT_EQ(run.err, c.message);
  }
}

}  // namespace
}  // namespace mandati::format
