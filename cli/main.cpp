// SPDX-License-Identifier: GPL-3.0-or-later
// mandati-cli: the calculator's allocation pass and remainder pass for scripts and
// worksheets; see RunCli for what it reads, writes and returns.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/descriptor_input.h"
#include "cli/run_cli.h"
#include "cli/user_language.h"

int main(int argc, char** argv) {
  mandati::cli::UseUsersLanguage();
  const std::vector<std::string> args(argv + 1, argv + argc);
  mandati::cli::DescriptorInput standard_input(STDIN_FILENO);
  std::istream in(&standard_input);
  return mandati::cli::RunCli(args, in, std::cout, std::cerr);
}
