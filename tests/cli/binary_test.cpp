// SPDX-License-Identifier: GPL-3.0-or-later
// The built mandati-cli program run as a separate process: its output streams and exit
// status as a shell sees them.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct ProcessRun {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Slurp(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// Runs the program with `arguments` (already quoted for the shell) and `stdin_text`.
ProcessRun RunProgram(const std::string& arguments, const std::string& stdin_text = "") {
  const auto dir =
      std::filesystem::temp_directory_path() / ("mandati_cli_test_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "in") << stdin_text;
  const std::string command = std::string("'") + MANDATI_CLI_EXE + "' " + arguments + " <'" +
                              (dir / "in").string() + "' >'" + (dir / "out").string() + "' 2>'" +
                              (dir / "err").string() + "'";
  const int raw = std::system(command.c_str());
  ProcessRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = Slurp(dir / "out");
  run.err = Slurp(dir / "err");
  std::filesystem::remove_all(dir);
  return run;
}

TEST(ProgramTest, SampleDistrictShowsTheFinalSeatsUnderAllThreeQuotas) {
  const ProcessRun run = RunProgram("--seats 7 58125 45871 27142 15947 12264");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find("Квота на Хеър: 22764"), std::string::npos);
  EXPECT_NE(run.out.find("Квота на Друп: 19919"), std::string::npos);
  EXPECT_NE(run.out.find("Квота на Хагенбах-Бишоф: 19918"), std::string::npos);
}

TEST(ProgramTest, ExitStatusesAsAShellSeesThem) {
  const struct {
    const char* arguments;
    const char* stdin_text;
    int status;
    const char* err;
  } cases[] = {
      {"--help", "", 0, ""},
      {"--seats 3 --format csv", "А,10\nБ,20\n", 0, ""},
      {"--seats 0 5", "", 2,
       "mandati-cli: --seats: \"0\" is not a whole number of seats from 1 to 32767\n"},
      {"--seats 3", "10\n2x\n", 2,
       "mandati-cli: standard input, line 2: \"2x\" is not a whole number of votes from 1 to "
       "2147483647\n"},
      {"--seats 9 --quota hare 1 1", "", 3,
       "mandati-cli: Квота на Хеър, 9 seats: the quota floor(2 / 9) = 0: too few votes for the "
       "seats, and no votes can be divided by a quota of 0\n"},
  };
  for (const auto& c : cases) {
    const ProcessRun run = RunProgram(c.arguments, c.stdin_text);
    EXPECT_EQ(run.status, c.status) << c.arguments;
    EXPECT_EQ(run.err, c.err) << c.arguments;
    EXPECT_EQ(run.out.empty(), c.status != 0) << c.arguments;
  }
}

// Runs a shell command line; its exit status and standard error.
ProcessRun RunShell(const std::string& command_line) {
  const auto err =
      std::filesystem::temp_directory_path() / ("mandati_cli_err_" + std::to_string(::getpid()));
  const std::string command = "(" + command_line + ") 2>'" + err.string() + "'";
  const int raw = std::system(command.c_str());
  ProcessRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.err = Slurp(err);
  std::filesystem::remove(err);
  return run;
}

// Output that cannot be written and input that cannot be read are reported, never taken for
// success or for the end of the input.
TEST(ProgramTest, FailedWritesAndReads) {
  const std::string program = std::string("'") + MANDATI_CLI_EXE + "'";
  const struct {
    std::string command_line;
    int status;
    const char* err_start;
  } cases[] = {
      {program + " --seats 7 58125 45871 >/dev/full", 4,
       "mandati-cli: writing the output failed: No space left on device\n"},
      {program + " --seats 7 --format json 5 9 >/dev/full", 4,
       "mandati-cli: writing the output failed: No space left on device\n"},
      {program + " --help >/dev/full", 4,
       "mandati-cli: writing the output failed: No space left on device\n"},
      {program + " --seats 7 58125 45871 >&-", 4, "mandati-cli: writing the output failed"},
      {program + " --seats 7 </", 2,
       "mandati-cli: standard input: reading failed: Is a directory\n"},
      {program + " --seats 7 --input / </dev/null", 2,
       "mandati-cli: /: reading failed: Is a directory\n"},
  };
  for (const auto& c : cases) {
    const ProcessRun run = RunShell(c.command_line);
    EXPECT_EQ(run.status, c.status) << c.command_line;
    EXPECT_TRUE(run.err.starts_with(c.err_start)) << c.command_line << ": " << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << c.command_line;
  }
}

}  // namespace
