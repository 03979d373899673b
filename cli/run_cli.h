// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace mandati::cli {

// mandati-cli from end to end: reads the options and the parties, runs the allocation
// pass and the remainder pass under each chosen quota, and writes the chosen format to
// `out`. `args` are the arguments after the program name; `in` is read only when the votes
// come from standard input. Returns the exit status (see ExitStatus): 0 with the output
// written; 2 for an argument or input line that cannot be used or input that cannot be read,
// 3 for a calculation that cannot be done, each with a one-line message on `err` and
// nothing on `out`; 4 with a one-line message when `out` fails to take the output.
int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

}  // namespace mandati::cli
