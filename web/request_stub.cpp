// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/request_stub.h"

#include "format/district.h"
#include "format/errors.h"
#include "format/explanation.h"
#include "format/machine_formats.h"
#include "format/svg_chart.h"
#include "format/sweep_format.h"
#include "format/table_format.h"

namespace mandati::format {

Request ParseRequest(const std::vector<std::string>& args) {
  Request request;
  std::vector<std::string> split;
  for (const std::string& a : args) {
    const auto eq = a.find('=');
    split.push_back(a.substr(0, eq));
    if (eq != std::string::npos) split.push_back(a.substr(eq + 1));
  }
  for (std::size_t i = 0; i < split.size(); ++i) {
    const std::string& arg = split[i];
    const std::string value = i + 1 < split.size() ? split[i + 1] : "";
    if (arg == "--exact") {
      request.exact = true;
    } else if (arg == "--explain") {
      request.explain = true;
    } else if (arg == "--seats") {
      const auto dots = value.find("..");
      request.seats = static_cast<std::int16_t>(std::stoi(value.substr(0, dots)));
      if (dots != std::string::npos) {
        request.last_seats = static_cast<std::int16_t>(std::stoi(value.substr(dots + 2)));
      }
      ++i;
    } else if (arg == "--method") {
      std::size_t from = 0;
      while (from <= value.size()) {
        const std::size_t comma = std::min(value.find(',', from), value.size());
        if (auto method = MethodNamed(value.substr(from, comma - from))) {
          request.methods.push_back(*method);
        } else {
          throw InputError("--method: \"" + value + "\" is not a method");
        }
        from = comma + 1;
      }
      ++i;
    } else if (arg == "--format") {
      if (value == "csv") request.format = OutputFormat::kCsv;
      if (value == "json") request.format = OutputFormat::kJson;
      if (value == "svg") request.format = OutputFormat::kSvg;
      ++i;
    }
  }
  if (request.methods.empty()) request.methods = AllMethods();
  return request;
}

int RunRequest(const Request& request, const std::vector<Party>& parties, std::ostream& out,
               std::ostream& err, WidthOf width, std::string_view prefix) {
  if (parties.empty()) {
    err << prefix << "no parties\n";
    return kUnusableInput;
  }
  const District district{request.seats, parties};
  const Ranking ranking = request.exact ? Ranking::kExact : Ranking::kKeys;
  if (request.last_seats != 0) {
    const SweepRequest sweep{request.methods, request.seats, request.last_seats, ranking};
    switch (request.format) {
      case OutputFormat::kCsv:
        WriteSweepCsv(out, district, sweep);
        break;
      case OutputFormat::kJson:
        WriteSweepJson(out, district, sweep);
        break;
      case OutputFormat::kSvg:
        WriteSweepSvg(out, district, sweep);
        break;
      case OutputFormat::kTable:
        WriteSweepTable(out, district, sweep, width);
    }
    return kSuccess;
  }
  std::vector<MethodOutcome> outcomes;
  for (const Method method : request.methods) {
    outcomes.push_back(CalculateMethod(method, VotesOf(district), request.seats, ranking));
  }
  switch (request.format) {
    case OutputFormat::kCsv:
      WriteCsv(out, district, outcomes);
      break;
    case OutputFormat::kJson:
      WriteJson(out, district, outcomes, request.explain);
      break;
    case OutputFormat::kSvg:
      WriteSharesSvg(out, district, outcomes);
      break;
    case OutputFormat::kTable:
      WriteTable(out, district, outcomes, width);
      if (request.explain) {
        for (const MethodOutcome& outcome : outcomes) {
          out << '\n' << ExplanationText(district, outcome);
        }
      }
  }
  return kSuccess;
}

}  // namespace mandati::format
