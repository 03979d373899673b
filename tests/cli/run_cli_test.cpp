// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_cli.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "format/messages.h"
#include "tests/cli/cli_runs.h"

namespace mandati::cli {
namespace {

TEST(RunCliTest, HelpGoesToStandardOutput) {
  const CliRun run = RunWith({"--help"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out.starts_with("Usage: mandati-cli --seats S"));
}

TEST(RunCliTest, VotesFromStandardInputOnlyWithoutVotesArguments) {
  const CliRun run = RunWith({"--seats", "7", "--quota", "hare", "--format", "csv"},
                             "58125\n45871\n27142\n15947\n12264\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.out.find("hare,22764,159349,4,,15947,0,1,0.701,10.01,,"), std::string::npos);
  // Arguments win; standard input is not read.
  const CliRun args = RunWith({"--seats", "1", "--format", "csv", "5"}, "not votes\n");
  EXPECT_EQ(args.status, 0);
  EXPECT_NE(args.out.find("hare,5,5,1,,5,1,1,1.000,100.00,,"), std::string::npos);
}

TEST(RunCliTest, MostPartiesTheQueueCanNumber) {
  std::string many;
  for (int i = 0; i < 999; ++i) many += "10\n";
  const CliRun run = RunWith({"--seats", "2", "--quota", "hare", "--format", "csv"}, many);
  EXPECT_EQ(run.status, 0);
  // Equal remainders: the two highest party numbers take the two seats.
  EXPECT_NE(run.out.find("hare,4995,9990,999,,10,0,1,0.002,0.10,,"), std::string::npos);
  EXPECT_NE(run.out.find("hare,4995,9990,998,,10,0,1,"), std::string::npos);
  EXPECT_NE(run.out.find("hare,4995,9990,997,,10,0,0,"), std::string::npos);
  const CliRun too_many = RunWith({"--seats", "2"}, many + "10\n");
  EXPECT_EQ(too_many.status, 2);
  EXPECT_EQ(too_many.err,
            "mandati-cli: standard input, line 1000: more than 999 parties, the most that can "
            "be calculated\n");
  std::vector<std::string> args(1002, "2");
  args[0] = "--seats";
  const CliRun too_many_arguments = RunWith(args);
  EXPECT_EQ(too_many_arguments.err,
            "mandati-cli: votes of party 1000: more than 999 parties, the most that can be "
            "calculated\n");
}

// A sink whose every write fails, as on a full disk.
class FullDisk : public format::Sink {
 protected:
  void Put(std::string_view) override { Fail(ENOSPC); }
};

TEST(RunCliTest, AFailedWriteHasAStatusOfItsOwn) {
  for (const auto& args : {std::vector<std::string>{"--seats", "7", "58125", "45871"},
                           std::vector<std::string>{"--seats", "7", "--format", "json", "5", "9"},
                           std::vector<std::string>{"--help"}}) {
    FullDisk out;
    format::StringSource in("");
    format::StringSink err;
    EXPECT_EQ(RunCli(args, in, out, err), 4) << args[0];
    EXPECT_EQ(err.Text(), "mandati-cli: writing the output failed: No space left on device\n");
  }
}

// Untrusted text in a message: escaped and cut short, so it neither drives the terminal nor
// floods it, and a NUL does not end the message early.
TEST(RunCliTest, MessagesQuoteBadValuesSafelyAndShort) {
  const struct {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{"--seats", "7", std::string("12\0x", 4)},
       "votes of party 1: \"12\\x00x\" is not a whole number of votes from 1 to 2147483647"},
      {{"--seats", "\x1B]0;x\x07"},
       "--seats: \"\\x1B]0;x\\x07\" is not a whole number of seats from 1 to 32767"},
      {{"--seats", "7", "--format", std::string(100'000, 'x')},
       "--format: \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\" is not one of table, csv, json, svg, "
       "html"},
      {{"--seats", "7", "--", "--help"},
       "votes of party 1: \"--help\" is not a whole number of votes from 1 to 2147483647"},
      {{"--seats", "7", "--input", "--help"},
       "--input: cannot open \"--help\": No such file or directory"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunWith(c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, std::string("mandati-cli: ") + c.message + "\n");
    EXPECT_EQ(run.out, "");
  }
}

// A name that a spreadsheet would run as a formula reaches the CSV as text.
TEST(RunCliTest, CsvKeepsFormulasInNamesAsText) {
  const CliRun run =
      RunWith({"--seats", "1", "--quota", "hare", "--format", "csv"},
              "=1+2,5\n+A1,5\n-3,5\n@SUM(A1),5\n\"=HYPERLINK(\"\"x\"\")\",5\nБ=1,5\n"
              "\" =1\",5\n\xC2\xA0+1,5\n\u3000-1,5\n\uFF1D1,5\n\uFF0B1,5\n\uFF0D1,5\n\uFF20A,5\n");
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* field :
       {",\"'=1+2\",", ",\"'+A1\",", ",\"'-3\",", ",\"'@SUM(A1)\",", ",\"'=HYPERLINK(\"\"x\"\")\",",
        ",Б=1,", ",\"' =1\",", ",\"'\xC2\xA0+1\",", ",\"'\u3000-1\",", ",\"'\uFF1D1\",",
        ",\"'\uFF0B1\",", ",\"'\uFF0D1\",", ",\"'\uFF20A\","}) {
    EXPECT_NE(run.out.find(field), std::string::npos) << field;
  }
}

// Every unusable argument or input line, and every calculation that cannot be done: one
// line on standard error, the exit status, and nothing on standard output.
TEST(RunCliTest, ErrorsGiveOneLineAndAStatus) {
  const struct {
    std::vector<std::string> args;
    const char* stdin_text;
    int status;
    const char* message;
  } cases[] = {
      {{"58125"}, "", 2, "--seats is missing: give a whole number of seats from 1 to 32767"},
      {{"--seats", "-7", "1"},
       "",
       2,
       "--seats: \"-7\" is not a whole number of seats from 1 to 32767"},
      {{"--seats", "seven", "1"},
       "",
       2,
       "--seats: \"seven\" is not a whole number of seats from 1 to 32767"},
      {{"--seats", "7", "1", "0"},
       "",
       2,
       "votes of party 2: \"0\" is not a whole number of votes from 1 to 2147483647"},
      {{"--seats", "7", "-1"},
       "",
       2,
       "votes of party 1: \"-1\" is not a whole number of votes from 1 to 2147483647"},
      {{"--seats", "7", "1,5"},
       "",
       2,
       "votes of party 1: \"1,5\" is not a whole number of votes from 1 to 2147483647"},
      {{"--seats", "7"},
       "",
       2,
       "no parties: give their votes as arguments, with --input FILE or on standard input"},
      {{"--seats", "7"},
       "12\nabc\n",
       2,
       "standard input, line 2: \"abc\" is not a whole number of votes from 1 to 2147483647"},
      {{"--seats", "7"},
       "А,1\nБ,2.5\n",
       2,
       "standard input, line 2: \"2.5\" is not a whole number of votes from 1 to 2147483647"},
      {{"--seats", "7", "--input", "/no/such/file.csv"},
       "",
       2,
       "--input: cannot open \"/no/such/file.csv\": No such file or directory"},
      {{"--seats", "7", "--quota", "hare", "3", "3"},
       "",
       3,
       "Квота на Хеър, 7 seats: the quota floor(6 / 7) = 0: too few votes for the seats, and no "
       "votes can be divided by a quota of 0"},
      {{"--seats", "7", "--method", "droop", "2147483647", "1"},
       "",
       3,
       "Квота на Друп, 7 seats: the total of votes, 2147483648, is beyond 2147483647, the most "
       "the calculator can add up"},
      {{"--seats", "32767", "--method", "hare", "65000", "1"},
       "",
       3,
       "Квота на Хеър, 32767 seats: a party's full quotas, 65000, are beyond 32767, the most "
       "seats the calculator counts"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunWith(c.args, c.stdin_text);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_EQ(run.err, std::string("mandati-cli: ") + c.message + "\n");
    EXPECT_EQ(run.out, "") << c.message;
  }
}

// A quota that breaks refuses only its own method; the others are still shown.
TEST(RunCliTest, EachMethodStandsOrFallsOnItsOwn) {
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"--seats", "7", "--method", "all", "3", "3"},
       "mandati-cli: Квота на Хеър, 7 seats: the quota floor(6 / 7) = 0: too few votes for the "
       "seats, and no votes can be divided by a quota of 0\n"
       "mandati-cli: Квота на Хагенбах-Бишоф, 7 seats: the quota floor(6 / 8) = 0: too few "
       "votes for the seats, and no votes can be divided by a quota of 0\n"
       "mandati-cli: Квота на Империали, 7 seats: the quota floor(6 / 9) = 0: too few "
       "votes for the seats, and no votes can be divided by a quota of 0\n"},
      {{"--seats", "7", "--method", "hare,dhondt", "--format", "json", "2000000000", "200000000"},
       "mandati-cli: Квота на Хеър, 7 seats: the total of votes, 2200000000, is beyond "
       "2147483647, the most the calculator can add up\n"},
      {{"--seats", "6..7", "--method", "hare,sainte-lague", "2000000000", "200000000"},
       "mandati-cli: Квота на Хеър, 6 to 7 seats: the total of votes, 2200000000, is beyond "
       "2147483647, the most the calculator can add up (at 6 seats; likewise to 7)\n"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunWith(c.args, "");
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, c.err);
    EXPECT_NE(run.out.find("Метод на"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("Квота на Хеър"), std::string::npos) << run.out;
  }
}

// A sweep leaves out only the seat counts a method cannot calculate, and names them.
TEST(RunCliTest, ASweepRefusesOnlyTheSeatCountsThatFail) {
  // 41 votes: the Hare quota floor(41 / 42) is 0 at 42 seats only; Hagenbach-Bischoff's
  // floor(41 / (S + 1)) from 41 seats.
  const CliRun run = RunWith({"--seats", "1..42", "--method", "hare,hagenbach-bischoff,dhondt",
                              "--format", "csv", "18", "17", "6"});
  EXPECT_EQ(run.status, 3);
  EXPECT_EQ(run.err,
            "mandati-cli: Квота на Хеър, 42 seats: the quota floor(41 / 42) = 0: too few votes "
            "for the seats, and no votes can be divided by a quota of 0\n"
            "mandati-cli: Квота на Хагенбах-Бишоф, 41 to 42 seats: the quota floor(41 / 42) = 0: "
            "too few votes for the seats, and no votes can be divided by a quota of 0 (at 41 "
            "seats; likewise to 42)\n");
  for (const char* row : {"\nhare,41,3,6,0,", "\nhagenbach-bischoff,40,3,6,0,", "\ndhondt,42,3,"}) {
    EXPECT_NE(run.out.find(row), std::string::npos) << row;
  }
  for (const char* row : {"\nhare,42,", "\nhagenbach-bischoff,41,"}) {
    EXPECT_EQ(run.out.find(row), std::string::npos) << row;
  }
}

// --exact ranks quotas' remainders; with divisor methods alone a note says it changes nothing.
TEST(RunCliTest, ExactWithDivisorMethodsAloneIsNoted) {
  const CliRun run =
      RunWith({"--seats", "3", "--method", "dhondt,sainte-lague", "--exact", "5", "4"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, RunWith({"--seats", "3", "--method", "dhondt,sainte-lague", "5", "4"}).out);
  EXPECT_EQ(run.err,
            "mandati-cli: --exact: changes nothing here: none of the chosen methods ranks "
            "remainders by keys (divisor methods compare averages exactly)\n");
  EXPECT_EQ(RunWith({"--seats", "3", "--method", "dhondt,hare", "--exact", "5", "4"}).err, "");
}

// A file that cannot be read is named whole, escaped, with the system's reason.
TEST(RunCliTest, InputThatCannotBeReadIsNamedWithTheReason) {
  const std::string folder = "/no/such/folder/" + std::string(300, 'x') + "\x1B";
  const std::string shown = "/no/such/folder/" + std::string(300, 'x') + "\\x1B";
  const struct {
    std::string path;
    const char* message;
  } cases[] = {
      {folder, "--input: cannot open \"{1}\": No such file or directory"},
      {MANDATI_CLI_DATA, "{1}: reading failed: Is a directory"},
  };
  for (const auto& c : cases) {
    const CliRun run = RunWith({"--seats", "7", "--input", c.path});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "mandati-cli: " +
                           format::Filled(c.message, {c.path == folder ? shown : c.path}) + "\n");
  }
}

TEST(RunCliTest, ABadLineInAFileNamesTheFile) {
  const std::string path = DataPath("bad_votes.csv");
  const CliRun run = RunWith({"--seats", "7", "--input", path});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "mandati-cli: " + path +
                         ", line 3: \"12 264\" is not a whole number of votes from 1 to "
                         "2147483647\n");
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace mandati::cli
