// SPDX-License-Identifier: GPL-3.0-or-later
// One request from reading to writing: each method calculated, the chosen format written as it
// is made, and a line for each method that cannot be calculated.
#include <algorithm>
#include <cstring>
#include <optional>
#include <span>

#include "core/errors.h"
#include "core/margins.h"
#include "core/quota_rules.h"
#include "format/district.h"
#include "format/errors.h"
#include "format/exit_status.h"
#include "format/explanation.h"
#include "format/figures.h"
#include "format/html_format.h"
#include "format/limits.h"
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

// The seat counts from `first` to `last` that a method cannot calculate, each for the same
// limit; `error` is the refusal of the first.
struct RefusedCounts {
  Method method;
  std::int32_t first;
  std::int32_t last;
  CalculationLimitError error;
};

std::string RefusalLine(const RefusedCounts& refused) {
  const std::string name = NameOf(refused.method);
  const std::string why = CalculationLimitReason(refused.method, refused.error);
  const std::string first = std::to_string(refused.first);
  if (refused.first == refused.last) {
    return TrN("{1}, {2} seat: {3}", "{1}, {2} seats: {3}", refused.first, name, first, why);
  }
  return Tr("{1}, {2} to {3} seats: {4} (at {2} seats; likewise to {3})", name, first,
            std::to_string(refused.last), why);
}

// What a request has calculated before anything is written, and a line for each method that
// cannot be calculated; the other methods are still shown. The outcomes of one seat count are
// calculated whole (they are small; their text need not be). A sweep only checks each seat
// count's limits (CheckMethod) and keeps, for each method, the runs of counts it can calculate;
// the writers calculate those as they write them.
struct Run {
  District district;
  SweepRequest sweep;
  std::vector<MethodOutcome> outcomes;
  Margins margins;  // with --margins and one seat count: each outcome's
  std::vector<std::string> refusals;
};

// Why the law's options do not suit the parties: the options' own limits are checked as they
// are read (format/rule_values.h), so what is left is a total below the listed votes.
std::string RuleRefusal(const Request& request, const RuleError& error) {
  if (error.Limit() == RuleLimit::kThresholdTotal && request.threshold_of) {
    return Tr("--threshold-of: {1} votes are fewer than the listed votes add up to",
              GroupedText(*request.threshold_of));
  }
  return error.what();
}

// Each method's runs of seat counts that it can calculate, and a line for each run that it
// cannot.
void PlanSweep(const Request& request, Run& run) {
  const std::vector<std::int32_t> votes = VotesOf(run.district);
  for (const Method method : request.methods) {
    SweptMethod swept{method, {}};
    std::optional<RefusedCounts> refused;
    for (std::int32_t seats = request.seats; seats <= request.last_seats; ++seats) {
      try {
        CheckMethod(method, votes, seats, run.district.rules);
        if (swept.runs.empty() || swept.runs.back().last != seats - 1) {
          swept.runs.push_back({seats, seats});
        }
        swept.runs.back().last = seats;
      } catch (const CalculationLimitError& error) {
        if (refused && refused->last == seats - 1 && refused->error.Limit() == error.Limit()) {
          refused->last = seats;
          continue;
        }
        if (refused) run.refusals.push_back(RefusalLine(*refused));
        refused.emplace(RefusedCounts{method, seats, seats, error});
      }
    }
    if (refused) run.refusals.push_back(RefusalLine(*refused));
    if (!swept.runs.empty()) run.sweep.methods.push_back(std::move(swept));
  }
}

Run Prepare(const Request& request, const std::vector<Party>& parties) {
  Run run{{request.seats, parties, RulesOf(request, parties)}, {}, {}, {}, {}};
  run.sweep = {{}, request.seats, request.last_seats, run.district.rules};
  try {
    if (request.last_seats != 0) {
      PlanSweep(request, run);
      return run;
    }
    const std::vector<std::int32_t> votes = VotesOf(run.district);
    for (const Method method : request.methods) {
      try {
        run.outcomes.push_back(CalculateMethod(method, votes, request.seats, run.district.rules));
        if (request.margins) {
          run.margins.push_back(SeatMargins(method, votes, request.seats, run.district.rules));
        }
      } catch (const CalculationLimitError& error) {
        run.refusals.push_back(RefusalLine({method, request.seats, request.seats, error}));
      }
    }
  } catch (const RuleError& error) {
    throw InputError(RuleRefusal(request, error));
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
      return WriteCsv(out, run.district, run.outcomes, run.margins);
    case OutputFormat::kJson:
      return WriteJson(out, run.district, run.outcomes, request.explain, run.margins);
    case OutputFormat::kSvg:
      return WriteSharesSvg(out, run.district, run.outcomes);
    case OutputFormat::kHtml:
      return WriteHtml(out, run.district, run.outcomes, request.explain, run.margins);
    case OutputFormat::kTable:
      break;
  }
  WriteTable(out, run.district, run.outcomes, width, run.margins);
  if (request.explain) {
    for (std::size_t m = 0; m < run.outcomes.size(); ++m) {
      out << '\n'
          << ExplanationText(run.district, run.outcomes[m],
                             run.margins.empty() ? std::span<const SeatMargin>() : run.margins[m]);
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
    err << prefix << Tr("the calculation failed: {1}", error.what()) << '\n';
    return kNoCalculation;
  }
  int status = kSuccess;
  if (!run.outcomes.empty() || !run.sweep.methods.empty()) {
    status =
        WrittenTo(out, err, prefix, [&](Sink& stream) { WriteRun(stream, request, run, width); });
  }
  for (const std::string& note : request.notes) err << prefix << note << '\n';
  for (const std::string& refusal : run.refusals) err << prefix << refusal << '\n';
  if (outcomes != nullptr) *outcomes = std::move(run.outcomes);
  return run.refusals.empty() || status != kSuccess ? status : kNoCalculation;
}

}  // namespace mandati::format
