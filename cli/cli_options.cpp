// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_options.h"

#include <algorithm>
#include <string_view>

#include "cli/cli_errors.h"
#include "format/errors.h"
#include "format/party_input.h"
#include "format/utf8.h"

namespace mandati::cli {

using namespace mandati::format;  // NOLINT(google-build-using-namespace): the library this program shows

namespace {

constexpr const char* kOptionsWithValues[] = {"--seats", "--quota", "--method", "--format",
                                              "--input"};

// The window's three quotas, the default.
constexpr Method kWindowQuotas[] = {QuotaMethod::Hare, QuotaMethod::Droop,
                                    QuotaMethod::HagenbachBischoff};

std::vector<Method> QuotasNamed(const std::string& name) {
  if (name == "all") return {std::begin(kWindowQuotas), std::end(kWindowQuotas)};
  const std::optional<Method> method = MethodNamed(name);
  if (!method || !std::holds_alternative<QuotaMethod>(*method) ||
      std::get<QuotaMethod>(*method) == QuotaMethod::Imperiali) {
    throw InputError("--quota: " + Quoted(name) +
                     " is not one of hare, droop, hagenbach-bischoff, all");
  }
  return {*method};
}

// A comma-separated list of method keywords, "quotas" or "all".
std::vector<Method> MethodsNamed(const std::string& list) {
  std::vector<Method> methods;
  std::size_t start = 0;
  while (start <= list.size()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string name = list.substr(start, comma - start);
    if (name == "quotas" || name == "all") {
      methods.insert(methods.end(), std::begin(kWindowQuotas), std::end(kWindowQuotas));
    }
    if (name == "all") {
      methods.emplace_back(QuotaMethod::Imperiali);
      for (const DivisorRule& rule : kDivisorRules) methods.emplace_back(rule.method);
    } else if (name != "quotas") {
      const std::optional<Method> method = MethodNamed(name);
      if (!method) {
        throw InputError("--method: " + Quoted(name) +
                         " is not one of hare, droop, hagenbach-bischoff, imperiali, dhondt, "
                         "sainte-lague, quotas, all");
      }
      methods.push_back(*method);
    }
    start = comma + 1;
  }
  for (std::size_t i = 0; i < methods.size(); ++i) {
    if (std::find(methods.begin(), methods.begin() + static_cast<std::ptrdiff_t>(i), methods[i]) !=
        methods.begin() + static_cast<std::ptrdiff_t>(i)) {
      throw InputError("--method: " + std::string(KeywordOf(methods[i])) + " is named twice");
    }
  }
  return methods;
}

OutputFormat FormatNamed(const std::string& name) {
  if (name == "table") return OutputFormat::kTable;
  if (name == "csv") return OutputFormat::kCsv;
  if (name == "json") return OutputFormat::kJson;
  if (name == "svg") return OutputFormat::kSvg;
  throw InputError("--format: " + Quoted(name) + " is not one of table, csv, json, svg");
}

std::int16_t SeatCountNamed(const std::string& text, const std::string& shown) {
  const auto seats = StrictWholeNumber(text, kMaxSeats);
  if (!seats) {
    throw InputError("--seats: " + Quoted(shown) +
                     (text == shown ? " is not a whole number of seats from 1 to "
                                    : " is no range A..B of whole numbers of seats from 1 to ") +
                     std::to_string(kMaxSeats));
  }
  return static_cast<std::int16_t>(*seats);
}

// "S", or "A..B" for a sweep of at most kMaxSweepCounts seat counts.
void ReadSeats(const std::string& text, CliOptions& options) {
  const std::size_t dots = text.find("..");
  options.seats = SeatCountNamed(text.substr(0, dots), text);
  if (dots == std::string::npos) return;
  options.last_seats = SeatCountNamed(text.substr(dots + 2), text);
  if (options.last_seats <= options.seats ||
      options.last_seats - options.seats >= kMaxSweepCounts) {
    throw InputError("--seats: " + Quoted(text) + " is no range A..B with A < B and at most " +
                     std::to_string(kMaxSweepCounts) + " seat counts");
  }
}

// A negative number is a (bad) votes argument, not an option.
bool LooksLikeOption(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9');
}

// Walks the arguments, handing each option its value.
class ArgumentReader {
 public:
  explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

  bool Done() const { return next_ >= args_.size(); }
  const std::string& Take() { return args_[next_++]; }

  // The value of option `name`: after "=" in `arg`, or the next argument.
  std::string ValueOf(const std::string& name, const std::string& arg) {
    if (arg.size() > name.size()) return arg.substr(name.size() + 1);
    if (Done()) throw InputError(name + ": the value is missing");
    return Take();
  }

 private:
  const std::vector<std::string>& args_;
  std::size_t next_ = 0;
};

bool IsOption(const std::string& arg, const std::string& name) {
  return arg == name ||
         (arg.starts_with(name) && arg.size() > name.size() && arg[name.size()] == '=');
}

void Once(std::vector<std::string>& seen, const std::string& name) {
  if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
    throw InputError(name + ": given more than once");
  }
  seen.push_back(name);
}

// Reads one option into `options`; false when `arg` is no option this program knows.
bool ReadOption(ArgumentReader& reader, const std::string& arg, CliOptions& options,
                std::vector<std::string>& seen) {
  for (const char* name : kOptionsWithValues) {
    if (!IsOption(arg, name)) continue;
    Once(seen, name);
    const std::string value = reader.ValueOf(name, arg);
    const std::string_view option = name;
    const bool both_choose = (option == "--quota" || option == "--method") &&
                             std::find(seen.begin(), seen.end(),
                                       option == "--quota" ? "--method" : "--quota") != seen.end();
    if (both_choose) throw InputError(std::string(option) + ": --quota and --method both choose");
    if (option == "--seats") ReadSeats(value, options);
    if (option == "--quota") options.methods = QuotasNamed(value);
    if (option == "--method") options.methods = MethodsNamed(value);
    if (option == "--format") options.format = FormatNamed(value);
    if (option == "--input") options.input_path = value;
    return true;
  }
  if (arg == "--explain" || arg == "--exact") {
    Once(seen, arg);
    (arg == "--explain" ? options.explain : options.exact) = true;
    return true;
  }
  return false;
}

void CheckComplete(const CliOptions& options) {
  if (options.seats == 0) {
    throw InputError("--seats is missing: give the number of seats, a whole number from 1 to " +
                     std::to_string(kMaxSeats));
  }
  if (options.input_path && !options.votes.empty()) {
    throw InputError("--input: the votes are already given as arguments");
  }
  if (options.explain && options.format != OutputFormat::kTable &&
      options.format != OutputFormat::kJson) {
    throw InputError("--explain: goes with --format table or json");
  }
  if (options.explain && options.last_seats != 0) {
    throw InputError("--explain: goes with one seat count, not a range");
  }
}

// --help or -h where an option can stand: before "--" and not as another option's value.
bool AsksForHelp(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") return false;
    if (args[i] == "--help" || args[i] == "-h") return true;
    if (std::find(std::begin(kOptionsWithValues), std::end(kOptionsWithValues), args[i]) !=
        std::end(kOptionsWithValues)) {
      ++i;
    }
  }
  return false;
}

}  // namespace

CliOptions ParseArguments(const std::vector<std::string>& args) {
  CliOptions options;
  if (AsksForHelp(args)) {
    options.help = true;
    return options;
  }
  options.methods = QuotasNamed("all");
  ArgumentReader reader(args);
  std::vector<std::string> seen;
  bool options_ended = false;
  while (!reader.Done()) {
    const std::string& arg = reader.Take();
    if (options_ended || !LooksLikeOption(arg)) {
      options.votes.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (!ReadOption(reader, arg, options, seen)) {
      throw InputError(Shown(arg) + ": no such option (see --help)");
    }
  }
  CheckComplete(options);
  return options;
}

std::string HelpText() {
  return R"(Usage: mandati-cli --seats S [OPTIONS] [VOTES...]

Shares S seats among parties by an electoral quota and the largest remainders, with the
same rules as the mandati window: first the allocation pass gives each party one seat per
full quota (the preliminary seats), then the remainder pass hands the seats still left to
the largest remainders, equal remainders to the higher party number first. Beside the
window's three quotas it knows the Imperiali quota and two divisor methods (highest
averages), so that one district can be compared under all of them.

The parties' votes come as arguments, one whole number per party in party order, or, when
there are none, one party a line from --input FILE or standard input, as "votes" or
"name,votes" (UTF-8, no control characters, at most 1024 bytes a line; blank lines are
skipped). Votes are whole numbers from 1 to 2147483647; at most 999 parties. In csv, a
name that begins with =, +, - or @ gets a leading ' so that spreadsheets show it as text.

Options:
  --seats S       the number of seats, a whole number from 1 to 32767 (required), or a
                  range A..B of at most 1000 seat counts: each party's final seats for
                  every count, with each Alabama paradox marked (a party with fewer
                  seats at one seat more)
  --quota Q       hare, droop, hagenbach-bischoff or all (default: all, side by side)
  --method LIST   methods separated by commas: hare, droop, hagenbach-bischoff,
                  imperiali (floor(V / (S + 2))), dhondt (divisors 1, 2, 3, ...),
                  sainte-lague (divisors 1, 3, 5, ...), quotas (the window's three, the
                  default) or all
  --exact         rank the quotas' remainders exactly (votes - full quotas x quota)
                  instead of by their keys rounded to 8 decimals, as the window does
  --format F      table (for people), csv or json (for programs), svg (a chart for a
                  slide); default: table
  --explain       also show the quota's formula, each party's remainder, the remainder
                  queue, the order in which the leftover seats went and every tie that a
                  tie rule decided; for divisor methods the seats in the order they were
                  won (table, json; one seat count)
  --input FILE    read the parties from FILE; "-" is standard input
  -h, --help      show this help

Every method shows the Gallagher and Loosemore-Hanby indices of disproportionality, in
percentage points. A quota can give more preliminary seats than seats (Imperiali with few
parties): as in the window, they are kept and no seat is handed out.

Exit status: 0 when the seats are shown, 2 for an argument or input line that cannot be
used or input that cannot be read, 3 for a calculation that cannot be done (a quota of 0,
too many votes in total), 4 when the output cannot be written (a full disk, a closed
standard output).

Examples:
  mandati-cli --seats 7 58125 45871 27142 15947 12264
  mandati-cli --seats 7 --method all --explain 58125 45871 27142 15947 12264
  mandati-cli --seats 1..8 --method hare --format svg 18 17 6 > alabama.svg
)";
}

}  // namespace mandati::cli
