// SPDX-License-Identifier: GPL-3.0-or-later
// One request from reading to writing: each method calculated, the chosen format written as it
// is made, and a line for each method that cannot be calculated.
#include <cstring>

#include "core/errors.h"
#include "core/quota_rules.h"
#include "format/district.h"
#include "format/errors.h"
#include "format/exit_status.h"
#include "format/explanation.h"
#include "format/figures.h"
#include "format/html_format.h"
#include "format/machine_formats.h"
#include "format/messages.h"
#include "format/request.h"
#include "format/rule_values.h"
#include "format/sink.h"
#include "format/svg_chart.h"
#include "format/sweep_format.h"
#include "format/table_format.h"
#include "format/utf8.h"

namespace mandati::format {

namespace {

Ranking RankingOf(const Request& request) {
  return request.exact ? Ranking::kExact : Ranking::kKeys;
}

// Why `method` cannot be calculated, from the limit and the value the core names.
std::string Refusal(Method method, const CalculationLimitError& error) {
  const std::string seats = std::to_string(error.SeatCount());
  const std::string name = NameOf(method) + ", " + seats + " seats: ";
  const std::string value = std::to_string(error.Value());
  switch (error.Limit()) {
    case CalculationLimit::kTotalVotes:
      return name + "the total of votes, " + value + ", is beyond " + std::to_string(kMaxVotes) +
             ", the most the calculator can add up";
    case CalculationLimit::kNoQuotaDivisor:
      return name + "the quota " + QuotaRuleText(std::get<QuotaMethod>(method)) +
             " divides by 0, so there is no quota";
    case CalculationLimit::kQuotaZero:
      return name + "the quota " +
             QuotaFormulaText(std::get<QuotaMethod>(method),
                              static_cast<std::int32_t>(error.Value()), error.SeatCount()) +
             " = 0: too few votes for the seats, and no votes can be divided by a quota of 0";
    case CalculationLimit::kPreliminarySeats:
      return name + "a party's full quotas, " + value + ", are beyond " +
             std::to_string(kMaxSeats) + ", the most seats the calculator counts";
    case CalculationLimit::kThreshold:
      return name + Tr("no party reaches the threshold of {1} votes, so none takes part",
                       GroupedText(error.Value()));
    case CalculationLimit::kPartyCount:
    case CalculationLimit::kVotes:
    case CalculationLimit::kSeatCount:
      break;
  }
  return name + error.what();
}

// Why the law's options do not suit the parties: the options' own limits are checked as they
// are read (format/rule_values.h), so what is left is a total below the listed votes.
std::string RuleRefusal(const Request& request, const RuleError& error) {
  if (error.Limit() == RuleLimit::kThresholdTotal && request.threshold_of) {
    return Tr("--threshold-of: {1} votes are fewer than the listed votes add up to",
              GroupedText(*request.threshold_of));
  }
  return error.what();
}

// What a request has calculated before anything is written, and a line for each method that
// cannot be calculated; the other methods are still shown. The outcomes of one seat count are
// calculated whole (they are small; their text need not be); a sweep is only tried at its last
// seat count: a quota only falls as the seats rise, and with it every way a quota method fails
// (a quota of 0, full quotas beyond the limit) only grows, so a method that fails anywhere in
// the range fails there, and the rest of the sweep is calculated as it is written.
struct Run {
  District district;
  SweepRequest sweep;
  std::vector<MethodOutcome> outcomes;
  std::vector<std::string> refusals;
};

Run Prepare(const Request& request, const std::vector<Party>& parties) {
  if (parties.empty()) {
    throw InputError(
        "no parties: give their votes as arguments, with --input FILE or on "
        "standard input");
  }
  Run run{{request.seats, parties, RulesOf(request, parties)}, {}, {}, {}};
  const std::vector<std::int32_t> votes = VotesOf(run.district);
  const bool sweep = request.last_seats != 0;
  run.sweep = {{}, request.seats, request.last_seats, run.district.rules};
  for (const Method method : request.methods) {
    try {
      MethodOutcome outcome = CalculateMethod(
          method, votes, sweep ? request.last_seats : request.seats, run.district.rules);
      if (sweep) {
        run.sweep.methods.push_back(method);
      } else {
        run.outcomes.push_back(std::move(outcome));
      }
    } catch (const CalculationLimitError& error) {
      run.refusals.push_back(Refusal(method, error));
    } catch (const RuleError& error) {
      throw InputError(RuleRefusal(request, error));
    }
  }
  return run;
}

void WriteSweep(Sink& out, const Request& request, const Run& run, WidthOf width) {
  switch (request.format) {
    case OutputFormat::kCsv:
      return WriteSweepCsv(out, run.district, run.sweep);
    case OutputFormat::kJson:
      return WriteSweepJson(out, run.district, run.sweep);
    case OutputFormat::kSvg:
      return WriteSweepSvg(out, run.district, run.sweep);
    case OutputFormat::kHtml:
      return WriteSweepHtml(out, run.district, run.sweep);
    case OutputFormat::kTable:
      return WriteSweepTable(out, run.district, run.sweep, width);
  }
}

// Writes the chosen format of the run to `out` as it is made.
void WriteRun(Sink& out, const Request& request, const Run& run, WidthOf width) {
  if (request.last_seats != 0) return WriteSweep(out, request, run, width);
  switch (request.format) {
    case OutputFormat::kCsv:
      return WriteCsv(out, run.district, run.outcomes);
    case OutputFormat::kJson:
      return WriteJson(out, run.district, run.outcomes, request.explain);
    case OutputFormat::kSvg:
      return WriteSharesSvg(out, run.district, run.outcomes);
    case OutputFormat::kHtml:
      return WriteHtml(out, run.district, run.outcomes, request.explain);
    case OutputFormat::kTable:
      break;
  }
  WriteTable(out, run.district, run.outcomes, width);
  if (request.explain) {
    for (const MethodOutcome& outcome : run.outcomes) {
      out << '\n' << ExplanationText(run.district, outcome);
    }
  }
}

}  // namespace

MethodRules RulesOf(const Request& request, const std::vector<Party>& parties) {
  MethodRules rules;
  rules.ranking = RankingOf(request);
  rules.tie_rule = request.ties;
  rules.first_divisor = request.first_divisor.value_or(kPlainFirstDivisor);
  rules.threshold = request.threshold;
  rules.threshold.total = request.threshold_of;
  for (const std::string& name : request.exempt) {
    bool found = false;
    for (std::size_t i = 0; i < parties.size(); ++i) {
      if (parties[i].name != name) continue;
      rules.threshold.exempt.push_back(static_cast<std::int32_t>(i + 1));
      found = true;
    }
    if (!found) throw InputError(Tr("--exempt: {1} is not the name of a party", Quoted(name)));
  }
  return rules;
}

int WrittenTo(Sink& out, Sink& err, std::string_view prefix,
              const std::function<void(Sink&)>& write) {
  write(out);
  if (out.Flush()) return kSuccess;
  err << prefix << "writing the output failed";
  if (out.Error() != 0) err << ": " << std::strerror(out.Error());
  err << '\n';
  return kWriteFailed;
}

int RunRequest(const Request& request, const std::vector<Party>& parties, Sink& out, Sink& err,
               WidthOf width, std::string_view prefix, std::vector<MethodOutcome>* outcomes) {
  Run run;
  try {
    // Everything that can refuse the input happens before the first byte is written, so a
    // refusal of the input leaves the output empty.
    run = Prepare(request, parties);
  } catch (const InputError& error) {
    err << prefix << error.what() << '\n';
    return kUnusableInput;
  } catch (const CoreError& error) {
    err << prefix << "the calculation failed: " << error.what() << '\n';
    return kNoCalculation;
  }
  int status = kSuccess;
  if (!run.outcomes.empty() || !run.sweep.methods.empty()) {
    status =
        WrittenTo(out, err, prefix, [&](Sink& stream) { WriteRun(stream, request, run, width); });
  }
  for (const std::string& refusal : run.refusals) err << prefix << refusal << '\n';
  if (outcomes != nullptr) *outcomes = std::move(run.outcomes);
  return run.refusals.empty() || status != kSuccess ? status : kNoCalculation;
}

}  // namespace mandati::format
