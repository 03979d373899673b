#include "cli/cli_options.h"

#include <algorithm>
#include <string_view>

#include "cli/cli_errors.h"
#include "cli/party_input.h"
#include "cli/utf8.h"

namespace mandati::cli {

namespace {

constexpr const char* kOptionsWithValues[] = {"--seats", "--quota", "--format", "--input"};

constexpr QuotaMethod kAllQuotas[] = {QuotaMethod::Hare, QuotaMethod::Droop,
                                      QuotaMethod::HagenbachBischoff};

std::vector<QuotaMethod> QuotasNamed(const std::string& name) {
  if (name == "hare") return {QuotaMethod::Hare};
  if (name == "droop") return {QuotaMethod::Droop};
  if (name == "hagenbach-bischoff") return {QuotaMethod::HagenbachBischoff};
  if (name == "all") return {std::begin(kAllQuotas), std::end(kAllQuotas)};
  throw UsageError("--quota: " + Quoted(name) +
                   " is not one of hare, droop, hagenbach-bischoff, all");
}

OutputFormat FormatNamed(const std::string& name) {
  if (name == "table") return OutputFormat::kTable;
  if (name == "csv") return OutputFormat::kCsv;
  if (name == "json") return OutputFormat::kJson;
  throw UsageError("--format: " + Quoted(name) + " is not one of table, csv, json");
}

std::int16_t SeatsNamed(const std::string& text) {
  const auto seats = StrictWholeNumber(text, kMaxSeats);
  if (!seats) {
    throw UsageError("--seats: " + Quoted(text) + " is not a whole number of seats from 1 to " +
                     std::to_string(kMaxSeats));
  }
  return static_cast<std::int16_t>(*seats);
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
    if (Done()) throw UsageError(name + ": the value is missing");
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
    throw UsageError(name + ": given more than once");
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
    if (option == "--seats") options.seats = SeatsNamed(value);
    if (option == "--quota") options.quotas = QuotasNamed(value);
    if (option == "--format") options.format = FormatNamed(value);
    if (option == "--input") options.input_path = value;
    return true;
  }
  if (arg == "--explain") {
    Once(seen, arg);
    options.explain = true;
    return true;
  }
  return false;
}

void CheckComplete(const CliOptions& options) {
  if (options.seats == 0) {
    throw UsageError("--seats is missing: give the number of seats, a whole number from 1 to " +
                     std::to_string(kMaxSeats));
  }
  if (options.input_path && !options.votes.empty()) {
    throw UsageError("--input: the votes are already given as arguments");
  }
  if (options.explain && options.format == OutputFormat::kCsv) {
    throw UsageError("--explain: goes with --format table or json, not csv");
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
  options.quotas = QuotasNamed("all");
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
      throw UsageError(Shown(arg) + ": no such option (see --help)");
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
the largest remainders, equal remainders to the higher party number first.

The parties' votes come as arguments, one whole number per party in party order, or, when
there are none, one party a line from --input FILE or standard input, as "votes" or
"name,votes" (UTF-8, no control characters, at most 1024 bytes a line; blank lines are
skipped). Votes are whole numbers from 1 to 2147483647; at most 999 parties. In csv, a
name that begins with =, +, - or @ gets a leading ' so that spreadsheets show it as text.

Options:
  --seats S       the number of seats, a whole number from 1 to 32767 (required)
  --quota Q       hare, droop, hagenbach-bischoff or all (default: all, side by side)
  --format F      table (for people), csv or json (for programs); default: table
  --explain       also show the quota's formula, each party's remainder, the remainder
                  queue and the order in which the leftover seats went (table, json)
  --input FILE    read the parties from FILE; "-" is standard input
  -h, --help      show this help

Exit status: 0 when the seats are shown, 2 for an argument or input line that cannot be
used or input that cannot be read, 3 for a calculation that cannot be done (a quota of 0,
too many votes in total), 4 when the output cannot be written (a full disk, a closed
standard output).

Example:
  mandati-cli --seats 7 58125 45871 27142 15947 12264
)";
}

}  // namespace mandati::cli
