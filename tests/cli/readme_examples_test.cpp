// SPDX-License-Identifier: GPL-3.0-or-later
// The README's examples are the program's output, character for character. Every fenced block
// whose first line is a command ("$ ...") and that runs mandati-cli is replayed: each "$ " line
// is a command and the lines up to the next one its output (standard output, then standard
// error). The commands a block may hold: "mandati-cli ARGS" (with "; echo $?" after it),
// "printf 'TEXT' | mandati-cli ARGS", "echo $?" and "cat FILE"; files are read from
// tests/cli/data.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "format/exit_status.h"
#include "tests/cli/cli_runs.h"

namespace mandati::cli {
namespace {

struct Block {
  int line = 0;  // of the opening fence, for messages
  std::vector<std::string> lines;
};

std::vector<Block> CommandBlocks(const std::string& readme) {
  std::vector<Block> blocks;
  std::istringstream in(readme);
  std::optional<Block> open;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.starts_with("```")) {
      if (open) {
        if (!open->lines.empty() && open->lines.front().starts_with("$ ")) {
          blocks.push_back(std::move(*open));
        }
        open.reset();
      } else {
        open = Block{number, {}};
      }
    } else if (open) {
      open->lines.push_back(line);
    }
  }
  return blocks;
}

// A command line split into words as a shell would for these simple commands: blanks
// separate words, single quotes keep everything, double quotes keep all but backslashes.
std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ') {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else if (c == '\'' || c == '"') {
      const std::size_t end = line.find(c, i + 1);
      word += line.substr(i + 1, end - i - 1);
      i = end;
      in_word = true;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

// printf's text: \n as a line feed.
std::string Printed(const std::string& format) {
  std::string text;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '\\' && i + 1 < format.size() && format[i + 1] == 'n') {
      text += '\n';
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}

// Runs one "$ " command of a block and returns what it prints.
std::string Replay(std::string command, int& status) {
  if (command == "echo $?") return std::to_string(status) + "\n";
  if (command.starts_with("cat ")) return DataFile(command.substr(4));
  std::string stdin_text;
  if (command.starts_with("printf ")) {
    const std::size_t pipe = command.find(" | ");
    stdin_text = Printed(Words(command.substr(0, pipe))[1]);
    command = command.substr(pipe + 3);
  }
  const bool echo_status = command.ends_with("; echo $?");
  if (echo_status) command.resize(command.size() - 9);
  std::vector<std::string> args = Words(command);
  EXPECT_EQ(args.front(), "mandati-cli") << command;
  args.erase(args.begin());
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == "--input") args[i + 1] = DataPath(args[i + 1]);
  }
  const CliRun run = RunWith(args, stdin_text);
  status = run.status;
  return run.out + run.err + (echo_status ? std::to_string(status) + "\n" : "");
}

std::string Readme() {
  std::ifstream file(MANDATI_README, std::ios::binary);
  std::ostringstream readme;
  readme << file.rdbuf();
  return readme.str();
}

TEST(ReadmeExamplesTest, OutputMatchesCharacterForCharacter) {
  const std::vector<Block> blocks = CommandBlocks(Readme());
  int replayed = 0;
  for (const Block& block : blocks) {
    bool runs_the_companion = false;
    for (const std::string& line : block.lines) {
      runs_the_companion = runs_the_companion || line.find("mandati-cli ") != std::string::npos;
    }
    if (!runs_the_companion) continue;
    ++replayed;
    // The block as the commands print it, against the block as the README writes it.
    std::string as_written, as_run;
    int status = 0;
    for (const std::string& line : block.lines) {
      as_written += line + "\n";
      if (line.starts_with("$ ")) as_run += line + "\n" + Replay(line.substr(2), status);
    }
    EXPECT_EQ(as_run, as_written) << "README.md, the block at line " << block.line;
  }
  EXPECT_GE(replayed, 5);
}

// The README's table of exit statuses is the program's: each row a status and its meaning, as
// --help says it (the README marks options as code).
TEST(ReadmeExamplesTest, ExitStatusesAreTheProgramsTable) {
  std::string readme = Readme();
  std::erase(readme, '`');
  for (const format::ExitStatusRule& rule : format::kExitStatuses) {
    const std::string row =
        "\n| " + std::to_string(rule.status) + " | " + format::MeaningOf(rule) + " |\n";
    EXPECT_NE(readme.find(row), std::string::npos) << row;
  }
}

}  // namespace
}  // namespace mandati::cli
