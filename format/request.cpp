// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/request.h"

#include <algorithm>
#include <string_view>

#include "core/quota_rules.h"
#include "format/errors.h"
#include "format/messages.h"
#include "format/option_rules.h"
#include "format/party_input.h"
#include "format/rule_values.h"
#include "format/text_table.h"
#include "format/utf8.h"

namespace mandati::format {

namespace {

// The window's quotas, the default.
std::vector<Method> WindowQuotas() {
  std::vector<Method> methods;
  for (int i = 0; WindowQuota(i); ++i) methods.emplace_back(*WindowQuota(i));
  return methods;
}

std::string Listed(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : ", ") + word;
  return text;
}

std::vector<std::string> WindowQuotaKeywords() {
  std::vector<std::string> words;
  for (const Method method : WindowQuotas()) words.emplace_back(KeywordOf(method));
  return words;
}

std::vector<std::string> MethodKeywords() {
  std::vector<std::string> words;
  for (const Method method : AllMethods()) words.emplace_back(KeywordOf(method));
  return words;
}

std::vector<std::string> FormatKeywords() {
  std::vector<std::string> words;
  for (const OutputFormatRule& name : kOutputFormats) words.emplace_back(name.keyword);
  return words;
}

// --method's keywords with what each means where the window does not show it.
std::string MethodMeanings() {
  std::vector<std::string> words = WindowQuotaKeywords();
  for (const QuotaRule& rule : kQuotaRules) {
    if (!rule.in_window) {
      words.push_back(std::string(rule.keyword) + " (" + QuotaRuleText(rule.method) + ")");
    }
  }
  for (const DivisorRule& rule : kDivisorRules) {
    words.push_back(std::string(rule.keyword) + " (divisors " + std::string(rule.divisors) + ")");
  }
  return Listed(words);
}

const OptionRule* OptionNamed(std::string_view name) {
  for (const OptionRule& rule : OptionRules()) {
    if (rule.name == name) return &rule;
  }
  return nullptr;
}

std::vector<Method> QuotasNamed(const std::string& name) {
  if (name == "all") return WindowQuotas();
  const std::optional<Method> method = MethodNamed(name);
  if (!method || !std::holds_alternative<QuotaMethod>(*method) ||
      !RuleOf(std::get<QuotaMethod>(*method)).in_window) {
    throw InputError("--quota: " + Quoted(name) + " is not one of " +
                     Listed(WindowQuotaKeywords()) + ", all");
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
    if (name == "quotas") {
      const std::vector<Method> quotas = WindowQuotas();
      methods.insert(methods.end(), quotas.begin(), quotas.end());
    } else if (name == "all") {
      const std::vector<Method> all = AllMethods();
      methods.insert(methods.end(), all.begin(), all.end());
    } else {
      const std::optional<Method> method = MethodNamed(name);
      if (!method) {
        throw InputError("--method: " + Quoted(name) + " is not one of " +
                         Listed(MethodKeywords()) + ", quotas, all");
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

// The formats that carry --explain: "table, json or html".
std::string ExplainingFormats() {
  std::vector<std::string> words;
  for (const OutputFormatRule& rule : kOutputFormats) {
    if (rule.explains) words.emplace_back(rule.keyword);
  }
  std::string text = words.back();
  if (words.size() > 1) {
    words.pop_back();
    text = Listed(words) + " or " + text;
  }
  return text;
}

const OutputFormatRule& FormatOf(OutputFormat format) {
  for (const OutputFormatRule& rule : kOutputFormats) {
    if (rule.format == format) return rule;
  }
  return kOutputFormats[0];
}

OutputFormat FormatNamed(const std::string& name) {
  for (const OutputFormatRule& format : kOutputFormats) {
    if (format.keyword == name) return format.format;
  }
  throw InputError("--format: " + Quoted(name) + " is not one of " + Listed(FormatKeywords()));
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
void ReadSeats(const std::string& text, Request& request) {
  const std::size_t dots = text.find("..");
  request.seats = SeatCountNamed(text.substr(0, dots), text);
  if (dots == std::string::npos) return;
  request.last_seats = SeatCountNamed(text.substr(dots + 2), text);
  if (request.last_seats <= request.seats ||
      request.last_seats - request.seats >= kMaxSweepCounts) {
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

// Reads one option into `request`; false when `arg` is no option this program knows.
bool ReadOption(ArgumentReader& reader, const std::string& arg, Request& request,
                std::vector<std::string>& seen) {
  for (const OptionRule& rule : OptionRules()) {
    const std::string name(rule.name);
    if (rule.value.empty() ? arg != name : !IsOption(arg, name)) continue;
    if (name != "--exempt") {
      Once(seen, name);
    } else if (std::find(seen.begin(), seen.end(), name) == seen.end()) {
      seen.push_back(name);
    }
    if (rule.value.empty()) {
      if (name == "--explain") request.explain = true;
      if (name == "--exact") request.exact = true;
      if (name == "--margins") request.margins = true;
      if (name == "--check") request.check = true;
      return true;
    }
    const std::string value = reader.ValueOf(name, arg);
    const bool both_choose = (name == "--quota" || name == "--method") &&
                             std::find(seen.begin(), seen.end(),
                                       name == "--quota" ? "--method" : "--quota") != seen.end();
    if (both_choose) throw InputError(name + ": --quota and --method both choose");
    if (name == "--quota") {
      request.methods = QuotasNamed(value);
    } else {
      ApplyOption(request, name, value);
    }
    return true;
  }
  return false;
}

// The checks of the command line alone: the seat count is left to an input's keys only where
// the input can give them.
void CheckArguments(const Request& request) {
  const bool keys_may_give_seats =
      request.votes.empty() && (request.input_path || request.election);
  if (!keys_may_give_seats) CheckComplete(request);
  if (request.input_path && !request.votes.empty()) {
    throw InputError("--input: the votes are already given as arguments");
  }
  if (request.election && (request.input_path || !request.votes.empty())) {
    throw InputError(Tr("--election: the parties are already given by {1}",
                        request.input_path ? "--input" : Tr("the votes arguments")));
  }
}

}  // namespace

void ApplyOption(Request& request, std::string_view option, const std::string& value) {
  if (option == "--seats") ReadSeats(value, request);
  if (option == "--method") request.methods = MethodsNamed(value);
  if (option == "--format") request.format = FormatNamed(value);
  if (option == "--input") request.input_path = value;
  if (option == "--threshold") request.threshold = ThresholdNamed(value);
  if (option == "--threshold-of") request.threshold_of = ThresholdTotalNamed(value);
  if (option == "--exempt") request.exempt.push_back(value);
  if (option == "--first-divisor") request.first_divisor = FirstDivisorNamed(value);
  if (option == "--ties") request.ties = TieRuleNamed(value);
  if (option == "--election") request.election = value;
}

void CheckOptionValue(std::string_view option, const std::string& value) {
  Request scratch;
  ApplyOption(scratch, option, value);
}

void CheckComplete(const Request& request) {
  if (request.seats == 0) {
    throw InputError("--seats is missing: give the number of seats, a whole number from 1 to " +
                     std::to_string(kMaxSeats));
  }
  const bool sainte_lague = std::find(request.methods.begin(), request.methods.end(),
                                      Method(DivisorMethod::SainteLague)) != request.methods.end();
  if (request.first_divisor && !sainte_lague) {
    throw InputError(Tr("--first-divisor: goes with the method sainte-lague"));
  }
  if (request.threshold_of && request.threshold.kind == ThresholdKind::kNone) {
    throw InputError(Tr("--threshold-of: goes with --threshold (a share or quota)"));
  }
  if (request.threshold_of && request.threshold.kind == ThresholdKind::kVotes) {
    throw InputError(Tr("--threshold-of: a threshold in votes is of no total"));
  }
  if (request.check && request.methods.size() != 1) {
    throw InputError(
        Tr("--check: compares one method with the official seats; choose it with "
           "--method"));
  }
  if (request.check && (request.format != OutputFormat::kTable || request.last_seats != 0)) {
    throw InputError(Tr("--check: goes with --format table and one seat count"));
  }
  if (request.explain && !FormatOf(request.format).explains) {
    throw InputError("--explain: goes with --format " + ExplainingFormats());
  }
  if (request.explain && request.last_seats != 0) {
    throw InputError("--explain: goes with one seat count, not a range");
  }
}

namespace {

// --help or -h where an option can stand: before "--" and not as another option's value.
bool AsksForHelp(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") return false;
    if (args[i] == "--help" || args[i] == "-h") return true;
    const OptionRule* rule = OptionNamed(args[i]);
    if (rule && !rule->value.empty()) ++i;
  }
  return false;
}

}  // namespace

Request ParseRequest(const std::vector<std::string>& args) {
  Request request;
  if (AsksForHelp(args)) {
    request.help = true;
    return request;
  }
  request.methods = QuotasNamed("all");
  ArgumentReader reader(args);
  std::vector<std::string> seen;
  bool options_ended = false;
  while (!reader.Done()) {
    const std::string& arg = reader.Take();
    if (options_ended || !LooksLikeOption(arg)) {
      request.votes.push_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (!ReadOption(reader, arg, request, seen)) {
      throw InputError(Shown(arg) + ": no such option (see --help)");
    }
  }
  request.given = seen;
  CheckArguments(request);
  return request;
}

const std::vector<OptionRule>& OptionRules() {
  static const std::vector<OptionRule> rules = {
      {"--seats", "S",
       "the number of seats, a whole number from 1 to " + std::to_string(kMaxSeats) +
           " (required), or a range A..B of at most " + std::to_string(kMaxSweepCounts) +
           " seat counts: each party's final seats for every count, with each Alabama paradox "
           "marked (a party with fewer seats at one seat more)"},
      {"--quota", "Q", Listed(WindowQuotaKeywords()) + " or all (default: all, side by side)"},
      {"--method", "LIST",
       "methods separated by commas: " + MethodMeanings() +
           ", quotas (the window's three, the default) or all"},
      {"--exact", "",
       "rank the quotas' remainders exactly (votes - full quotas x quota) instead of by their "
       "keys rounded to 8 decimals, as the window does"},
      {"--format", "F",
       "table (for people), csv or json (for programs), svg (a chart for a slide), html (a "
       "page to print: tables, notes and the chart); default: table"},
      {"--explain", "",
       "also show the quota's formula, each party's remainder, the remainder queue, the order "
       "in which the leftover seats went and every tie that a tie rule decided; for divisor "
       "methods the seats in the order they were won (table, json, html; one seat count)"},
      {"--input", "FILE", "read the parties from FILE; \"-\" is standard input"},
      {"--election", "NAME",
       Tr("a Bulgarian election built into the program, with its rules and official seats, "
          "calculated as its file says; list shows their names")},
      {"--threshold", "T",
       Tr("leave out of the seats every party under a bar: a share of the listed votes, 4% or "
          "3.5% (at most {1} decimals), a number of votes, or quota (the Hare quotient V / S); "
          "such a party keeps its votes and share, with 0 seats",
          std::to_string(kMaxThresholdShareDecimals))},
      {"--threshold-of", "N",
       Tr("take the share or quota bar of N votes instead of the listed votes: the valid votes, "
          "which count the ballots for no party too")},
      {"--exempt", "NAME",
       Tr("the party of that name takes part whatever its votes (may be given again)")},
      {"--first-divisor", "D",
       Tr("Sainte-Laguë's first divisor instead of 1, from {1} to {2} (1.4 in Norway)",
          std::to_string(kMinFirstDivisor), std::to_string(kMaxFirstDivisor))},
      {"--ties", "RULE",
       Tr("between equal remainders or averages: order (the higher party number first, the "
          "default) or votes (more votes first, then the lower party number)")},
      {"--margins", "",
       Tr("each party's fewest extra votes for one more seat and fewest lost votes for one "
          "less, under each method (election files show them anyway)")},
      {"--check", "",
       Tr("compare the one method's seats with the official seats of the input's third field: "
          "a line for each party that differs, then MATCH or MISMATCH (exit status 5)")},
  };
  return rules;
}

}  // namespace mandati::format
