// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/request.h"

#include <algorithm>
#include <string_view>

#include "core/quota_rules.h"
#include "format/errors.h"
#include "format/limits.h"
#include "format/lists.h"
#include "format/messages.h"
#include "format/option_rules.h"
#include "format/party_input.h"
#include "format/rule_values.h"
#include "format/utf8.h"

namespace mandati::format {

namespace {

// The window's quotas, the default.
std::vector<Method> WindowQuotas() {
  std::vector<Method> methods;
  for (int i = 0; WindowQuota(i); ++i) methods.emplace_back(*WindowQuota(i));
  return methods;
}

std::vector<std::string> KeywordsOf(const std::vector<Method>& methods) {
  std::vector<std::string> words;
  words.reserve(methods.size());
  for (const Method method : methods) words.emplace_back(KeywordOf(method));
  return words;
}

// The words an option takes: the methods' keywords and the words for groups of them.
std::string ChoicesOf(std::vector<std::string> keywords, std::vector<std::string> groups) {
  keywords.insert(keywords.end(), groups.begin(), groups.end());
  return CommaList(keywords);
}

// --method's keywords with what each means where the window does not show it.
std::string MethodMeanings() {
  std::vector<std::string> words = KeywordsOf(WindowQuotas());
  for (const QuotaRule& rule : kQuotaRules) {
    if (!rule.in_window) {
      words.push_back(std::string(rule.keyword) + " (" + QuotaRuleText(rule.method) + ")");
    }
  }
  for (const DivisorRule& rule : kDivisorRules) {
    words.push_back(Tr("{1} (divisors {2})", rule.keyword, rule.divisors));
  }
  return CommaList(words);
}

// "<called>: "<value>" is not one of <choices>".
InputError NotOneOf(std::string_view called, std::string_view value, std::string_view choices) {
  return InputError(Tr("{1}: \"{2}\" is not one of {3}", called, Shown(value), choices));
}

void ApplyQuota(Request& request, const std::string& value, std::string_view called) {
  if (value == "all") {
    request.methods = WindowQuotas();
    return;
  }
  const std::optional<Method> method = MethodNamed(value);
  if (!method || !std::holds_alternative<QuotaMethod>(*method) ||
      !RuleOf(std::get<QuotaMethod>(*method)).in_window) {
    throw NotOneOf(called, value, ChoicesOf(KeywordsOf(WindowQuotas()), {"all"}));
  }
  request.methods = {*method};
}

// A comma-separated list of method keywords, "quotas" or "all".
void ApplyMethod(Request& request, const std::string& list, std::string_view called) {
  std::vector<Method> methods;
  for (std::size_t start = 0; start <= list.size();) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string name = list.substr(start, comma - start);
    start = comma + 1;
    const std::vector<Method> group = name == "quotas" ? WindowQuotas()
                                      : name == "all"  ? AllMethods()
                                                       : std::vector<Method>{};
    const std::optional<Method> method = MethodNamed(name);
    if (group.empty() && !method) {
      throw NotOneOf(called, name, ChoicesOf(KeywordsOf(AllMethods()), {"quotas", "all"}));
    }
    for (const Method chosen : group.empty() ? std::vector<Method>{*method} : group) {
      if (std::find(methods.begin(), methods.end(), chosen) != methods.end()) {
        throw InputError(Tr("{1}: {2} is named twice", called, KeywordOf(chosen)));
      }
      methods.push_back(chosen);
    }
  }
  request.methods = std::move(methods);
}

std::int16_t SeatCountOf(std::string_view text, std::string_view whole, std::string_view called,
                         const std::string& rule) {
  const auto seats = StrictWholeNumber(text, kMaxSeats);
  if (!seats) throw InputError(Tr("{1}: {2}", called, NotA(whole, rule)));
  return static_cast<std::int16_t>(*seats);
}

// "S", or "A..B" for a sweep of at most kMaxSweepCounts seat counts.
void ApplySeats(Request& request, const std::string& text, std::string_view called) {
  const std::size_t dots = text.find("..");
  if (dots == std::string::npos) {
    request.seats = SeatCountOf(text, text, called, SeatCountRule());
    return;
  }
  const std::string range = SeatRangeRule();
  request.seats = SeatCountOf(std::string_view(text).substr(0, dots), text, called, range);
  request.last_seats = SeatCountOf(std::string_view(text).substr(dots + 2), text, called, range);
  if (request.last_seats <= request.seats ||
      request.last_seats - request.seats >= kMaxSweepCounts) {
    throw InputError(Tr("{1}: {2}", called, NotA(text, range)));
  }
}

void ApplyExact(Request& request, const std::string&, std::string_view) { request.exact = true; }

void ApplyExplain(Request& request, const std::string&, std::string_view) {
  request.explain = true;
}

void ApplyFormat(Request& request, const std::string& value, std::string_view called) {
  const std::optional<OutputFormat> format = FormatNamed(value);
  if (!format) throw NotOneOf(called, value, FormatKeywords());
  request.format = *format;
}

void ApplyInput(Request& request, const std::string& value, std::string_view) {
  request.input_path = value;
}

void ApplyElection(Request& request, const std::string& value, std::string_view) {
  request.election = value;
}

void ApplyThreshold(Request& request, const std::string& value, std::string_view called) {
  request.threshold = ThresholdNamed(value, called);
}

void ApplyThresholdOf(Request& request, const std::string& value, std::string_view called) {
  request.threshold_of = ThresholdTotalNamed(value, called);
}

// Again for each more party; an election file's list is replaced whole by the command line's.
void ApplyExempt(Request& request, const std::string& value, std::string_view) {
  request.exempt.push_back(value);
}

void ApplyFirstDivisor(Request& request, const std::string& value, std::string_view called) {
  request.first_divisor = FirstDivisorNamed(value, called);
}

void ApplyTies(Request& request, const std::string& value, std::string_view called) {
  request.ties = TieRuleNamed(value, called);
}

void ApplyMargins(Request& request, const std::string&, std::string_view) {
  request.margins = true;
}

void ApplyCheck(Request& request, const std::string&, std::string_view) { request.check = true; }

// A negative number is a (bad) votes argument, not an option.
bool LooksLikeOption(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9');
}

// The option that `arg` gives, "--name" or "--name=value" (for an option with a value), and
// the value after "=" if there is one.
std::optional<OptionRule> OptionOf(const std::vector<OptionRule>& rules, std::string_view arg,
                                   std::optional<std::string>& inline_value) {
  const std::string_view name = arg.substr(0, arg.find('='));
  for (const OptionRule& rule : rules) {
    if (rule.name != name || (rule.value.empty() && name != arg)) continue;
    if (name != arg) inline_value = std::string(arg.substr(name.size() + 1));
    return rule;
  }
  return std::nullopt;
}

// Each option at most once (but for those that may come again), and not beside the option it
// excludes.
void CheckGivenOnce(const OptionRule& rule, std::vector<std::string_view>& given) {
  const auto was_given = [&](std::string_view name) {
    return std::find(given.begin(), given.end(), name) != given.end();
  };
  if (was_given(rule.name)) {
    if (rule.repeatable) return;
    throw InputError(Tr("{1}: given more than once", rule.name));
  }
  if (!rule.excludes.empty() && was_given(rule.excludes)) {
    throw InputError(Tr("{1}: {2} and {1} both choose", rule.name, rule.excludes));
  }
  given.push_back(rule.name);
}

// --help or -h where an option can stand: before "--" and not as another option's value.
bool AsksForHelp(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") return false;
    if (args[i] == "--help" || args[i] == "-h") return true;
    const std::optional<OptionRule> rule = OptionNamed(args[i]);
    if (rule && !rule->value.empty()) ++i;
  }
  return false;
}

// Whether --exact changes the method: a quota rounded down, whose remainder queue is ranked
// by 8-decimal keys unless it is ranked exactly.
bool RanksByKeys(Method method) {
  const auto* quota = std::get_if<QuotaMethod>(&method);
  return quota && !RuleOf(*quota).exact;
}

// Whether the input's keys may still give the seat count: a file or a built-in election, and
// no votes arguments.
bool KeysMayGiveSeats(const Request& request) {
  return request.votes.empty() && (request.input_path || request.election);
}

}  // namespace

std::string AsOption(std::string_view option) { return std::string(option); }

void ApplyOption(Request& request, std::string_view option, const std::string& value) {
  const std::optional<OptionRule> rule = OptionNamed(option);
  if (rule) rule->apply(request, value, rule->name);
}

void CheckOptionValue(std::string_view option, const std::string& value) {
  Request scratch = NewRequest();
  ApplyOption(scratch, option, value);
}

namespace {

// The law's options together: a first divisor with Sainte-Laguë, a total with a threshold that
// has one, --check with one method, a table and one seat count.
void CompleteLawsOptions(const Request& request, const OptionCaller& called) {
  const bool sainte_lague = std::find(request.methods.begin(), request.methods.end(),
                                      Method(DivisorMethod::SainteLague)) != request.methods.end();
  if (request.first_divisor && !sainte_lague) {
    throw InputError(Tr("{1}: goes with the method sainte-lague", called("--first-divisor")));
  }
  if (request.threshold_of && request.threshold.kind == ThresholdKind::kNone) {
    throw InputError(Tr("{1}: goes with {2} (a share or quota)", called("--threshold-of"),
                        called("--threshold")));
  }
  if (request.threshold_of && request.threshold.kind == ThresholdKind::kVotes) {
    throw InputError(Tr("{1}: a threshold in votes is of no total", called("--threshold-of")));
  }
  if (request.check && request.methods.size() != 1) {
    throw InputError(Tr("{1}: compares one method with the official seats; choose it with {2}",
                        called("--check"), called("--method")));
  }
  if (request.check && (request.format != OutputFormat::kTable || request.last_seats != 0)) {
    throw InputError(
        Tr("{1}: goes with {2} table and one seat count", called("--check"), called("--format")));
  }
}

}  // namespace

Request NewRequest() {
  Request request;
  request.methods = WindowQuotas();
  return request;
}

Request ParseRequest(const std::vector<std::string>& args) {
  Request request = NewRequest();
  if (AsksForHelp(args)) {
    request.help = true;
    return request;
  }
  const std::vector<OptionRule> rules = OptionRules();
  std::vector<std::string_view> given;
  bool options_ended = false;
  for (std::size_t next = 0; next < args.size();) {
    const std::string& arg = args[next++];
    if (options_ended || !LooksLikeOption(arg)) {
      request.votes.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    std::optional<std::string> value;
    const std::optional<OptionRule> rule = OptionOf(rules, arg, value);
    if (!rule) throw InputError(Tr("{1}: no such option (see --help)", Shown(arg)));
    CheckGivenOnce(*rule, given);
    if (!rule->value.empty() && !value) {
      if (next == args.size()) throw InputError(Tr("{1}: the value is missing", rule->name));
      value = args[next++];
    }
    rule->apply(request, value.value_or(""), rule->name);
  }
  request.given.assign(given.begin(), given.end());
  if (request.election && (request.input_path || !request.votes.empty())) {
    throw InputError(Tr("--election: the parties are already given by {1}",
                        request.input_path ? "--input" : Tr("the votes arguments")));
  }
  if (KeysMayGiveSeats(request)) {
    if (request.input_path && !request.votes.empty()) {
      throw InputError(Tr("{1}: the votes are already given as arguments", "--input"));
    }
  } else {
    CompleteRequest(request, AsOption);
  }
  return request;
}

void CompleteRequest(Request& request, const OptionCaller& called) {
  request.notes.clear();
  if (request.seats == 0) {
    throw InputError(Tr("{1} is missing: give {2}", called("--seats"), SeatCountRule()));
  }
  if (request.input_path && !request.votes.empty()) {
    throw InputError(Tr("{1}: the votes are already given as arguments", "--input"));
  }
  if (request.explain && !FormatRuleOf(request.format).explains) {
    throw InputError(Tr("{1}: goes with {2} {3}", called("--explain"), called("--format"),
                        ExplainingFormatKeywords()));
  }
  if (request.explain && request.last_seats != 0) {
    throw InputError(Tr("{1}: goes with one seat count, not a range", called("--explain")));
  }
  if (request.margins && request.last_seats != 0) {
    throw InputError(Tr("{1}: goes with one seat count, not a range", called("--margins")));
  }
  CompleteLawsOptions(request, called);
  if (request.exact && std::none_of(request.methods.begin(), request.methods.end(), RanksByKeys)) {
    request.notes.push_back(
        Tr("{1}: changes nothing here: none of the chosen methods ranks remainders by keys "
           "(divisor methods compare averages exactly)",
           called("--exact")));
  }
}

std::vector<OptionRule> OptionRules() {
  return {
      {"--seats", "S",
       Tr("the number of seats, {1} (required), or {2}: each party's final seats for every "
          "count, with each Alabama paradox marked (a party with fewer seats at one seat more)",
          SeatCountRule(), SeatRangeRule()),
       ApplySeats},
      {"--quota", "Q",
       Tr("{1} or all (default: all, side by side)", CommaList(KeywordsOf(WindowQuotas()))),
       ApplyQuota, "--method"},
      {"--method", "LIST",
       Tr("methods separated by commas: {1}, quotas (the window's three, the default) or all",
          MethodMeanings()),
       ApplyMethod, "--quota"},
      {"--exact", "",
       Tr("rank the quotas' remainders exactly (votes - full quotas x quota) instead of by their "
          "keys rounded to 8 decimals, as the window does"),
       ApplyExact},
      {"--format", "F", Tr("{1}; default: {2}", FormatPurposes(), kOutputFormats[0].keyword),
       ApplyFormat},
      {"--explain", "",
       Tr("also show the quota's formula, each party's remainder, the remainder queue, the order "
          "in which the leftover seats went and every tie that a tie rule decided; for divisor "
          "methods the seats in the order they were won ({1}; one seat count)",
          ExplainingFormatKeywords()),
       ApplyExplain},
      {"--input", "FILE", Tr("read the parties from FILE; \"-\" is standard input"), ApplyInput},
      {"--election", "NAME",
       Tr("a Bulgarian election built into the program, with its rules and official seats, "
          "calculated as its file says; list shows their names"),
       ApplyElection},
      {"--threshold", "T",
       Tr("leave out of the seats every party under a bar: a share of the listed votes, 4% or "
          "3.5% (at most {1} decimals), a number of votes, or quota (the Hare quotient V / S); "
          "such a party keeps its votes and share, with 0 seats",
          std::to_string(kMaxThresholdShareDecimals)),
       ApplyThreshold},
      {"--threshold-of", "N",
       Tr("take the share or quota bar of N votes instead of the listed votes: the valid votes, "
          "which count the ballots for no party too"),
       ApplyThresholdOf},
      {"--exempt",
       "NAME",
       Tr("the party of that name takes part whatever its votes (may be given again)"),
       ApplyExempt,
       {},
       /*repeatable=*/true},
      {"--first-divisor", "D",
       Tr("Sainte-Laguë's first divisor instead of 1, from {1} to {2} (1.4 in Norway)",
          std::to_string(kMinFirstDivisor), std::to_string(kMaxFirstDivisor)),
       ApplyFirstDivisor},
      {"--ties", "RULE",
       Tr("between equal remainders or averages: order (the higher party number first, the "
          "default) or votes (more votes first, then the lower party number)"),
       ApplyTies},
      {"--margins", "",
       Tr("also show each party's seat margins under each method: the fewest extra votes that "
          "win one more seat and the fewest lost votes that cost one (one seat count)"),
       ApplyMargins},
      {"--check", "",
       Tr("compare the one method's seats with the official seats of the input's third field: "
          "a line for each party that differs, then MATCH or MISMATCH (exit status 5)"),
       ApplyCheck},
  };
}

std::optional<OptionRule> OptionNamed(std::string_view name) {
  for (const OptionRule& rule : OptionRules()) {
    if (rule.name == name) return rule;
  }
  return std::nullopt;
}

}  // namespace mandati::format
