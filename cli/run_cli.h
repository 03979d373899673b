// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "format/sink.h"

namespace mandati::cli {

// mandati-cli from end to end: reads the options, writes the help or reads the parties (from
// the arguments, --input FILE or `in`, standard input), and hands both to RunRequest
// (format/request.h), which calculates and writes. `args` are the arguments after the program
// name. Returns the exit status (see ExitStatus): 0 with the output written; 2 for an argument
// or input line that cannot be used or input that cannot be read, with a one-line message on
// `err` and nothing on `out`; 3 with a line for each method that cannot be calculated, the
// others written; 4 with a one-line message when `out` fails to take the output.
int RunCli(const std::vector<std::string>& args, format::Source& in, format::Sink& out,
           format::Sink& err);

}  // namespace mandati::cli
