// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/election_rules.h"
#include "core/threshold.h"
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
  // The law's options; an election file's keys give them too (format/election_file.h).
  Threshold threshold;                       // its kind and bar; kNone without one
  std::optional<std::int64_t> threshold_of;  // the total a share or quota bar is of
  std::vector<std::string> exempt;           // party names, matched once the parties are read
  std::optional<Decimal> first_divisor;      // Sainte-Laguë's
  TieRule ties = TieRule::kOrder;
  bool margins = false;                 // each party's seat margins
  bool check = false;                   // compare with the input's official seats
  std::optional<std::string> election;  // a built-in election by name; "list" lists them
  std::vector<std::string> given;       // the options given, which a file's keys do not change
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
// does, and sets the notes of options that change nothing. ParseRequest ends with it, unless
// the input's keys may still give the seat count (--input, --election; see RunElection, which
// completes each district's request); the page's bench, which applies the option table's
// actions to its fields, too.
void CompleteRequest(Request& request, const OptionCaller& called);

// Applies one option with its value to `request`, as the command line does: an election file's
// key stands for its option this way. Raises InputError as the command line would.
void ApplyOption(Request& request, std::string_view option, const std::string& value);

// Only checks the value: an OptionCheck for ReadElection (format/election_file.h).
void CheckOptionValue(std::string_view option, const std::string& value);

// How mandati-cli's messages call an option: by its name.
std::string AsOption(std::string_view option);

// The core's rules of a request over its parties: the ranking, the tie rule, Sainte-Laguë's
// first divisor and the threshold, its exempt names as party numbers. Raises InputError for an
// exempt name that is no party's.
MethodRules RulesOf(const Request& request, const std::vector<Party>& parties);

// Runs a request other than --help over its parties (one or more): calculates each chosen
// method and writes the chosen format to `out` as it is made, with `width` giving the table's
// display widths. A method that cannot be calculated (or a sweep's seat counts that it cannot)
// is left out with a line "<prefix><why>" on `err`; the others are still written, and then the
// request's notes. Returns the exit status (see ExitStatus): kSuccess; kNoCalculation where a
// method could not be calculated; kWriteFailed with a line when `out` fails to take the output.
// `outcomes`, where given, gets the outcomes of one seat count as they were written.
int RunRequest(const Request& request, const std::vector<Party>& parties, Sink& out, Sink& err,
               WidthOf width, std::string_view prefix,
               std::vector<MethodOutcome>* outcomes = nullptr);

}  // namespace mandati::format
