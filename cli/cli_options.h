#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/party_table.h"

namespace mandati::cli {

enum class OutputFormat { kTable, kCsv, kJson };

// What one run of mandati-cli was asked to do.
struct CliOptions {
  bool help = false;
  std::int16_t seats = 0;
  std::vector<QuotaMethod> quotas;  // the chosen quotas, in the window's order
  OutputFormat format = OutputFormat::kTable;
  bool explain = false;
  std::optional<std::string> input_path;  // "-" for standard input
  std::vector<std::string> votes;         // the votes arguments, one per party, unread
};

// Reads the arguments that follow the program name. Options take their value as the next
// argument or after "=" ("--seats 7", "--seats=7"); "--" ends the options. Raises UsageError
// naming the argument that cannot be used. With --help nothing else is checked.
CliOptions ParseArguments(const std::vector<std::string>& args);

std::string HelpText();

}  // namespace mandati::cli
