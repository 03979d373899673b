// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/calculation.h"

namespace mandati::cli {

enum class OutputFormat { kTable, kCsv, kJson, kSvg };

// What one run of mandati-cli was asked to do.
struct CliOptions {
  bool help = false;
  std::int16_t seats = 0;
  std::int16_t last_seats = 0;  // above `seats` for a sweep of the seat counts seats..last_seats
  std::vector<format::Method> methods;  // the chosen methods, in the order of --method
  bool exact = false;           // quotas rank remainders exactly, not by 8-decimal keys
  OutputFormat format = OutputFormat::kTable;
  bool explain = false;
  std::optional<std::string> input_path;  // "-" for standard input
  std::vector<std::string> votes;         // the votes arguments, one per party, unread
};

// Reads the arguments that follow the program name. Options take their value as the next
// argument or after "=" ("--seats 7", "--seats=7"); "--" ends the options. Raises InputError
// naming the argument that cannot be used. With --help nothing else is checked.
CliOptions ParseArguments(const std::vector<std::string>& args);

std::string HelpText();

}  // namespace mandati::cli
