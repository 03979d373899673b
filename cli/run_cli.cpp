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
#include "format/calculation.h"
#include "format/errors.h"
#include "format/explanation.h"
#include "format/figures.h"
#include "format/machine_formats.h"
#include "format/svg_chart.h"
#include "format/sweep_format.h"
#include "format/table_format.h"
#include "format/utf8.h"

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

// What a run has read and calculated before it writes anything: a sweep is checked, the
// outcomes of one seat count are calculated whole (they are small; their text need not be).
struct Run {
  CliOptions options;
  District district;
  SweepRequest sweep;
  std::vector<MethodOutcome> outcomes;
};

Run Prepare(const std::vector<std::string>& args, std::istream& in) {
  Run run{ParseArguments(args), {}, {}, {}};
  if (run.options.help) return run;
  run.district = DistrictOf(run.options, in);
  if (run.options.last_seats != 0) {
    run.sweep = {run.options.methods, run.options.seats, run.options.last_seats,
                 run.options.exact};
    CheckSweep(run.district, run.sweep);
    return run;
  }
  for (const Method method : run.options.methods) {
    run.outcomes.push_back(CalculateMethod(run.district, method, run.options.exact));
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

// Writes the run and flushes, then checks that it arrived: a full disk or a closed output
// shows only here.
int Written(const Run& run, std::ostream& out, std::ostream& err) {
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
    // refusal leaves standard output empty.
    run = Prepare(args, in);
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
  return Written(run, out, err);
}

}  // namespace mandati::cli
