// mandati-cli: the calculator's allocation pass and remainder pass for scripts and
// worksheets; see RunCli for what it reads, writes and returns.
#include <iostream>
#include <string>
#include <vector>

#include "cli/run_cli.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return mandati::cli::RunCli(args, std::cin, std::cout, std::cerr);
}
