// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_cli.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

#include "cli/cli_errors.h"
#include "cli/cli_options.h"
#include "cli/terminal_width.h"
#include "core/errors.h"
#include "core/quota_rules.h"
#include "format/district.h"
#include "format/errors.h"
#include "format/explanation.h"
#include "format/figures.h"
#include "format/machine_formats.h"
#include "format/svg_chart.h"
#include "format/sweep_format.h"
#include "format/table_format.h"
#include "format/utf8.h"

namespace mandati::cli {

using namespace mandati::format;  // NOLINT(google-build-using-namespace): the library this program
                                  // shows

namespace {

constexpr const char* kProgram = "mandati-cli: ";
constexpr std::size_t kShownPathCharacters = 256;

std::vector<Party> ReadInputParties(const CliOptions& options, std::istream& in) {
  if (!options.votes.empty()) return PartiesFromArguments(options.votes);
  if (!options.input_path || *options.input_path == "-") return ReadParties(in, "standard input");
  std::ifstream file(*options.input_path, std::ios::binary);
  if (!file) throw InputError("--input: cannot open " + Quoted(*options.input_path));
  return ReadParties(file, Shown(*options.input_path, kShownPathCharacters));
}

District DistrictOf(const CliOptions& options, std::istream& in) {
  District district;
  district.seats = options.seats;
  district.parties = ReadInputParties(options, in);
  if (district.parties.empty()) {
    throw InputError(
        "no parties: give their votes as arguments, with --input FILE or on "
        "standard input");
  }
  return district;
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

// What a run has read and calculated before it writes anything, and a line for each method
// that cannot be calculated; the other methods are still shown. The outcomes of one seat
// count are calculated whole (they are small; their text need not be); a sweep is only tried
// at its last seat count: a quota only falls as the seats rise, and with it every way a quota
// method fails (a quota of 0, full quotas beyond the limit) only grows, so a method that
// fails anywhere in the range fails there, and the rest of the sweep is calculated as it is
// written.
struct Run {
  CliOptions options;
  District district;
  SweepRequest sweep;
  std::vector<MethodOutcome> outcomes;
  std::vector<std::string> refusals;
};

Run Prepare(const std::vector<std::string>& args, std::istream& in) {
  Run run{ParseArguments(args), {}, {}, {}, {}};
  if (run.options.help) return run;
  run.district = DistrictOf(run.options, in);
  const std::vector<std::int32_t> votes = VotesOf(run.district);
  const bool sweep = run.options.last_seats != 0;
  run.sweep = {{}, run.options.seats, run.options.last_seats, RankingOf(run.options)};
  for (const Method method : run.options.methods) {
    try {
      MethodOutcome outcome =
          CalculateMethod(method, votes, sweep ? run.options.last_seats : run.options.seats,
                          RankingOf(run.options));
      if (sweep) {
        run.sweep.methods.push_back(method);
      } else {
        run.outcomes.push_back(std::move(outcome));
      }
    } catch (const CalculationLimitError& error) {
      run.refusals.push_back(Refusal(method, run.district, error));
    }
  }
  return run;
}

void WriteSweep(std::ostream& out, const Run& run) {
  switch (run.options.format) {
    case OutputFormat::kCsv:
      return WriteSweepCsv(out, run.district, run.sweep);
    case OutputFormat::kJson:
      return WriteSweepJson(out, run.district, run.sweep);
    case OutputFormat::kSvg:
      return WriteSweepSvg(out, run.district, run.sweep);
    case OutputFormat::kTable:
      return WriteSweepTable(out, run.district, run.sweep, TerminalWidth);
  }
}

// Writes the chosen format of the run to `out` as it is made.
void WriteRun(std::ostream& out, const Run& run) {
  if (run.options.help) {
    out << HelpText();
    return;
  }
  if (run.options.last_seats != 0) return WriteSweep(out, run);
  switch (run.options.format) {
    case OutputFormat::kCsv:
      return WriteCsv(out, run.district, run.outcomes);
    case OutputFormat::kJson:
      return WriteJson(out, run.district, run.outcomes, run.options.explain);
    case OutputFormat::kSvg:
      return WriteSharesSvg(out, run.district, run.outcomes);
    case OutputFormat::kTable:
      break;
  }
  WriteTable(out, run.district, run.outcomes, TerminalWidth);
  if (run.options.explain) {
    for (const MethodOutcome& outcome : run.outcomes) {
      out << '\n' << ExplanationText(run.district, outcome);
    }
  }
}

bool Empty(const Run& run) {
  return !run.options.help && run.outcomes.empty() && run.sweep.methods.empty();
}

// Writes the run and flushes, then checks that it arrived: a full disk or a closed output
// shows only here.
int Written(const Run& run, std::ostream& out, std::ostream& err) {
  if (Empty(run)) return kSuccess;
  errno = 0;
  WriteRun(out, run);
  out << std::flush;
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
  Run run;
  try {
    // Everything that can refuse the input happens before the first byte is written, so a
    // refusal of the input leaves standard output empty.
    run = Prepare(args, in);
  } catch (const InputError& error) {
    err << kProgram << error.what() << '\n';
    return kUnusableInput;
  } catch (const CoreError& error) {
    err << kProgram << "the calculation failed: " << error.what() << '\n';
    return kNoCalculation;
  }
  const int written = Written(run, out, err);
  for (const std::string& refusal : run.refusals) err << kProgram << refusal << '\n';
  return run.refusals.empty() || written != kSuccess ? written : kNoCalculation;
}

}  // namespace mandati::cli
