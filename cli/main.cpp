// SPDX-License-Identifier: GPL-3.0-or-later
// mandati-cli: the calculator's allocation pass and remainder pass for scripts and
// worksheets; see RunCli for what it reads, writes and returns.
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/descriptors.h"
#include "cli/run_cli.h"
#include "cli/user_language.h"

int main(int argc, char** argv) {
  mandati::cli::UseUsersLanguage();
  const std::vector<std::string> args(argv + 1, argv + argc);
  mandati::cli::DescriptorSource in(STDIN_FILENO);
  mandati::cli::DescriptorSink out(STDOUT_FILENO);
  mandati::cli::DescriptorSink err(STDERR_FILENO, mandati::cli::DescriptorSink::Hand::kLineByLine);
  const int status = mandati::cli::RunCli(args, in, out, err);
  err.Flush();
  return status;
}
