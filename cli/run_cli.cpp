// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_cli.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

#include "cli/cli_errors.h"
#include "cli/cli_options.h"
#include "cli/district.h"
#include "cli/explanation.h"
#include "cli/figures.h"
#include "cli/machine_formats.h"
#include "cli/svg_chart.h"
#include "cli/sweep_format.h"
#include "cli/table_format.h"
#include "cli/utf8.h"
#include "core/errors.h"
#include "core/quota_rules.h"

namespace mandati::cli {

namespace {

constexpr const char* kProgram = "mandati-cli: ";
constexpr std::size_t kShownPathCharacters = 256;

std::vector<Party> ReadInputParties(const CliOptions& options, std::istream& in) {
  if (!options.votes.empty()) return PartiesFromArguments(options.votes);
  if (!options.input_path || *options.input_path == "-") return ReadParties(in, "standard input");
  std::ifstream file(*options.input_path, std::ios::binary);
  if (!file) throw UsageError("--input: cannot open " + Quoted(*options.input_path));
  return ReadParties(file, Shown(*options.input_path, kShownPathCharacters));
}

District DistrictOf(const CliOptions& options, std::istream& in) {
  District district;
  district.seats = options.seats;
  district.parties = ReadInputParties(options, in);
  if (district.parties.empty()) {
    throw UsageError(
        "no parties: give their votes as arguments, with --input FILE or on "
        "standard input");
  }
  return district;
}

std::vector<std::string> PartyLabels(const District& district) {
  std::vector<std::string> labels;
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    labels.push_back(PartyLabel(district, i));
  }
  return labels;
}

std::string Output(const CliOptions& options, const District& district,
                   const std::vector<MethodOutcome>& outcomes) {
  switch (options.format) {
    case OutputFormat::kCsv:
      return CsvText(district, outcomes);
    case OutputFormat::kJson:
      return JsonText(district, outcomes, options.explain);
    case OutputFormat::kSvg: {
      std::vector<ShareSeries> series;
      series.reserve(outcomes.size());
      for (const MethodOutcome& outcome : outcomes) {
        series.push_back({NameOf(outcome.method), SharesInPercent(outcome.final_seats)});
      }
      return SharesSvg(PartyLabels(district), SharesInPercent(VotesOf(district)), series,
                       district.seats);
    }
    case OutputFormat::kTable:
      break;
  }
  std::string text = TableText(district, outcomes);
  if (options.explain) {
    for (const MethodOutcome& outcome : outcomes) {
      text += '\n' + ExplanationText(district, outcome);
    }
  }
  return text;
}

std::string SweepOutput(const CliOptions& options, const District& district,
                        const std::vector<MethodSweep>& sweeps) {
  switch (options.format) {
    case OutputFormat::kCsv:
      return SweepCsvText(district, sweeps);
    case OutputFormat::kJson:
      return SweepJsonText(district, sweeps);
    case OutputFormat::kSvg:
      return SweepSvg(PartyLabels(district), sweeps);
    case OutputFormat::kTable:
      break;
  }
  return SweepTableText(district, sweeps);
}

Ranking RankingOf(const CliOptions& options) {
  return options.exact ? Ranking::kExact : Ranking::kKeys;
}

// Why `method` cannot be calculated for the district, from the limit the core names.
std::string Refusal(Method method, const District& district, const CalculationLimitError& error) {
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
                              static_cast<std::int32_t>(TotalOf(VotesOf(district))),
                              error.SeatCount()) +
             " = 0: too few votes for the seats, and no votes can be divided by a quota of 0";
    case CalculationLimit::kPreliminarySeats:
      return name + "a party's full quotas, " + value + ", are beyond " +
             std::to_string(kMaxSeats) + ", the most seats the calculator counts";
    case CalculationLimit::kPartyCount:
    case CalculationLimit::kVotes:
    case CalculationLimit::kSeatCount:
      break;
  }
  return name + error.what();
}

// The chosen format of the calculated district (or of its sweep), and a line for each method
// that cannot be calculated; the other methods are still shown.
struct Results {
  std::string text;
  std::vector<std::string> refusals;
};

Results ResultsOf(const CliOptions& options, const District& district) {
  Results results;
  const std::vector<std::int32_t> votes = VotesOf(district);
  std::vector<MethodSweep> sweeps;
  std::vector<MethodOutcome> outcomes;
  for (const Method method : options.methods) {
    try {
      if (options.last_seats != 0) {
        sweeps.push_back({method, SweepMethod(method, votes, options.seats, options.last_seats,
                                              RankingOf(options))});
      } else {
        outcomes.push_back(CalculateMethod(method, votes, options.seats, RankingOf(options)));
      }
    } catch (const CalculationLimitError& error) {
      results.refusals.push_back(Refusal(method, district, error));
    }
  }
  if (!sweeps.empty()) results.text = SweepOutput(options, district, sweeps);
  if (!outcomes.empty()) results.text = Output(options, district, outcomes);
  return results;
}

// Written only once everything has worked, so a failure leaves standard output empty.
Results OutputOf(const std::vector<std::string>& args, std::istream& in) {
  const CliOptions options = ParseArguments(args);
  if (options.help) return {HelpText(), {}};
  return ResultsOf(options, DistrictOf(options, in));
}

// Writes and flushes `text`, then checks that it arrived: a full disk or a closed output
// shows only here.
int Written(const std::string& text, std::ostream& out, std::ostream& err) {
  errno = 0;
  out << text << std::flush;
  if (out) return kSuccess;
  const int error = errno;
  err << kProgram << "writing the output failed";
  if (error != 0) err << ": " << std::strerror(error);
  err << '\n';
  return kWriteFailed;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  Results results;
  try {
    results = OutputOf(args, in);
  } catch (const UsageError& error) {
    err << kProgram << error.what() << '\n';
    return kUnusableInput;
  } catch (const CoreError& error) {
    err << kProgram << "the calculation failed: " << error.what() << '\n';
    return kNoCalculation;
  }
  const int written = results.text.empty() ? kSuccess : Written(results.text, out, err);
  for (const std::string& refusal : results.refusals) err << kProgram << refusal << '\n';
  return results.refusals.empty() || written != kSuccess ? written : kNoCalculation;
}

}  // namespace mandati::cli
