// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/district.h"
#include "format/output_formats.h"
#include "format/sink.h"
#include "format/text_table.h"

namespace mandati::format {

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
  // Lines for the messages that refuse nothing: an option that changes nothing here.
  std::vector<std::string> notes;
};

// How messages name an option: mandati-cli by the option ("--seats"), the page's bench by the
// label of the field that gives its value.
using OptionCaller = std::function<std::string(std::string_view option)>;

// A request before any option: the window's quotas, as a table.
Request NewRequest();

// Reads mandati-cli's arguments, those that follow the program name, into a request: each
// option as its row of the option table (format/option_rules.h) says. Options take their value
// as the next argument or after "=" ("--seats 7", "--seats=7"); "--" ends the options. Raises
// InputError naming the argument that cannot be used. With --help nothing else is checked.
Request ParseRequest(const std::vector<std::string>& args);

// What the options of a request say together, once each is applied: raises InputError for
// options that cannot go together or a missing seat count, naming each option as `called`
// does, and adds the notes of options that change nothing. ParseRequest ends with it; the
// page's bench, which applies the option table's actions to its fields, too.
void CompleteRequest(Request& request, const OptionCaller& called);

// Runs a request other than --help over its parties (one or more): calculates each chosen
// method and writes the chosen format to `out` as it is made, with `width` giving the table's
// display widths. A method that cannot be calculated (or a sweep's seat counts that it cannot)
// is left out with a line "<prefix><why>" on `err`; the others are still written, and then the
// request's notes. Returns the exit status (see ExitStatus): kSuccess; kNoCalculation where a
// method could not be calculated; kWriteFailed with a line when `out` fails to take the output.
int RunRequest(const Request& request, const std::vector<Party>& parties, Sink& out, Sink& err,
               WidthOf width, std::string_view prefix);

}  // namespace mandati::format
