// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/district.h"
#include "format/sink.h"
#include "format/text_table.h"

namespace mandati::format {

enum class OutputFormat { kTable, kCsv, kJson, kSvg, kHtml };

// The formats by their --format keyword, and whether --explain can go with each.
struct OutputFormatRule {
  std::string_view keyword;
  OutputFormat format;
  bool explains;
};
inline constexpr OutputFormatRule kOutputFormats[] = {{"table", OutputFormat::kTable, true},
                                                      {"csv", OutputFormat::kCsv, false},
                                                      {"json", OutputFormat::kJson, true},
                                                      {"svg", OutputFormat::kSvg, false},
                                                      {"html", OutputFormat::kHtml, true}};

// What one run of the companion, or one calculation of the page's bench, is asked to do.
struct Request {
  bool help = false;
  std::int16_t seats = 0;
  std::int16_t last_seats = 0;  // above `seats` for a sweep of the seat counts seats..last_seats
  std::vector<Method> methods;  // the chosen methods, in the order of --method
  bool exact = false;           // quotas rank remainders exactly, not by 8-decimal keys
  OutputFormat format = OutputFormat::kTable;
  bool explain = false;
  std::optional<std::string> input_path;  // "-" for standard input
  std::vector<std::string> votes;         // the votes arguments, one per party, unread
};

// Reads mandati-cli's arguments, those that follow the program name, into a request. Options
// take their value as the next argument or after "=" ("--seats 7", "--seats=7"); "--" ends
// the options. Raises InputError naming the argument that cannot be used. With --help nothing
// else is checked. The page's bench makes its request from the same arguments, so that it
// has the companion's limits and messages.
Request ParseRequest(const std::vector<std::string>& args);

// Runs a request other than --help over its parties: calculates each chosen method and writes
// the chosen format to `out` as it is made, with `width` giving the table's display widths.
// A method that cannot be calculated is left out with a line "<prefix><why>" on `err`; the
// others are still written. Returns the exit status (see ExitStatus): kSuccess; kUnusableInput
// for no parties, kNoCalculation where a method could not be calculated, each with its line on
// `err` and, for no parties, nothing on `out`; kWriteFailed with a line when `out` fails to
// take the output.
int RunRequest(const Request& request, const std::vector<Party>& parties, Sink& out, Sink& err,
               WidthOf width, std::string_view prefix);

}  // namespace mandati::format
