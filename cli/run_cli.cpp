#include "cli/run_cli.h"

#include <fstream>
#include <istream>
#include <ostream>

#include "cli/calculation.h"
#include "cli/cli_errors.h"
#include "cli/cli_options.h"
#include "cli/explanation.h"
#include "cli/machine_formats.h"
#include "cli/table_format.h"
#include "core/errors.h"

namespace mandati::cli {

namespace {

constexpr const char* kProgram = "mandati-cli: ";

std::vector<Party> ReadInputParties(const CliOptions& options, std::istream& in) {
  if (!options.votes.empty()) return PartiesFromArguments(options.votes);
  if (!options.input_path || *options.input_path == "-") return ReadParties(in, "standard input");
  std::ifstream file(*options.input_path, std::ios::binary);
  if (!file) throw UsageError("--input: cannot open \"" + *options.input_path + "\"");
  return ReadParties(file, *options.input_path);
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
  if (district.parties.size() > static_cast<std::size_t>(kMaxParties)) {
    throw UsageError(std::to_string(district.parties.size()) + " parties: at most " +
                     std::to_string(kMaxParties) + " can be calculated");
  }
  return district;
}

std::string Output(const CliOptions& options, const District& district,
                   const std::vector<Calculation>& outcomes) {
  switch (options.format) {
    case OutputFormat::kCsv:
      return CsvText(district, outcomes);
    case OutputFormat::kJson:
      return JsonText(district, outcomes, options.explain);
    case OutputFormat::kTable:
      break;
  }
  std::string text = TableText(district, outcomes);
  if (options.explain) {
    for (const Calculation& outcome : outcomes) text += '\n' + ExplanationText(district, outcome);
  }
  return text;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  try {
    const CliOptions options = ParseArguments(args);
    if (options.help) {
      out << HelpText();
      return 0;
    }
    const District district = DistrictOf(options, in);
    std::vector<Calculation> outcomes;
    for (const QuotaMethod method : options.quotas) outcomes.push_back(Calculate(district, method));
    // Written only once everything has worked, so a failure leaves standard output empty.
    out << Output(options, district, outcomes);
    return 0;
  } catch (const UsageError& error) {
    err << kProgram << error.what() << '\n';
    return 2;
  } catch (const CalculationError& error) {
    err << kProgram << error.what() << '\n';
    return 3;
  } catch (const CoreError& error) {
    err << kProgram << "the calculation failed: " << error.what() << '\n';
    return 3;
  }
}

}  // namespace mandati::cli
