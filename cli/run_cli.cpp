// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_cli.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <ostream>

#include "format/calculation.h"
#include "cli/cli_errors.h"
#include "format/errors.h"
#include "cli/cli_options.h"
#include "format/explanation.h"
#include "format/figures.h"
#include "format/machine_formats.h"
#include "format/svg_chart.h"
#include "format/sweep_format.h"
#include "format/table_format.h"
#include "cli/terminal_width.h"
#include "format/utf8.h"
#include "core/errors.h"

namespace mandati::cli {

using namespace mandati::format;  // NOLINT(google-build-using-namespace): the library this program shows

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
  std::string text = TableText(district, outcomes, TerminalWidth);
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
  return SweepTableText(district, sweeps, TerminalWidth);
}

// The text mandati-cli writes: the help, or the chosen format of the calculated district.
std::string OutputOf(const std::vector<std::string>& args, std::istream& in) {
  const CliOptions options = ParseArguments(args);
  if (options.help) return HelpText();
  const District district = DistrictOf(options, in);
  if (options.last_seats != 0) {
    std::vector<MethodSweep> sweeps;
    for (const Method method : options.methods) {
      sweeps.push_back({method, SweepMethod(district, method, options.seats, options.last_seats,
                                            options.exact)});
    }
    return SweepOutput(options, district, sweeps);
  }
  std::vector<MethodOutcome> outcomes;
  for (const Method method : options.methods) {
    outcomes.push_back(CalculateMethod(district, method, options.exact));
  }
  return Output(options, district, outcomes);
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
  std::string text;
  try {
    // Written only once everything has worked, so a failure leaves standard output empty.
    text = OutputOf(args, in);
  } catch (const InputError& error) {
    err << kProgram << error.what() << '\n';
    return kUnusableInput;
  } catch (const CalculationError& error) {
    err << kProgram << error.what() << '\n';
    return kNoCalculation;
  } catch (const CoreError& error) {
    err << kProgram << "the calculation failed: " << error.what() << '\n';
    return kNoCalculation;
  }
  return Written(text, out, err);
}

}  // namespace mandati::cli
