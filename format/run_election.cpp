// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/run_election.h"

#include <algorithm>

#include "format/built_in_elections.h"
#include "format/errors.h"
#include "format/exit_status.h"
#include "format/messages.h"
#include "format/utf8.h"

namespace mandati::format {

namespace {

// One district's request: the file's keys fill in what the command line left open.
Request DistrictRequest(const Request& request, const ElectionDistrict& district,
                        const OptionCaller& called) {
  Request own = request;
  for (const FileOption& option : district.options) {
    if (std::find(request.given.begin(), request.given.end(), option.option) !=
        request.given.end()) {
      continue;
    }
    ApplyOption(own, option.option, option.value);
  }
  // A file's base waits for a threshold of a share or a quota, given there or on the command
  // line; without one it has nothing to be the base of.
  const bool base_given = std::find(request.given.begin(), request.given.end(), "--threshold-of") !=
                          request.given.end();
  if (!base_given &&
      (own.threshold.kind == ThresholdKind::kNone || own.threshold.kind == ThresholdKind::kVotes)) {
    own.threshold_of.reset();
  }
  CompleteRequest(own, called);
  if (own.check && district.official_seats.empty()) {
    throw InputError(Tr("--check: the input gives no official seats (a third field)"));
  }
  std::int64_t official = 0;
  for (const std::int32_t seats : district.official_seats) official += seats;
  if (!district.official_seats.empty() && own.last_seats == 0 && official != own.seats) {
    throw InputError(Tr("the official seats add up to {1}, not the {2} seats calculated",
                        std::to_string(official), std::to_string(own.seats)));
  }
  return own;
}

// Where a district's messages come from: the file, and the district's name.
std::string DistrictPlace(const Election& election, const ElectionDistrict& district) {
  std::string place = election.source_name;
  if (!district.name.empty()) place += ", " + Tr("district {1}", Shown(district.name));
  return place + ": ";
}

void WriteHeading(Sink& out, const Election& election) {
  if (!election.title.empty()) out << election.title << '\n';
  if (!election.date.empty()) out << election.date << '\n';
  if (!election.source.empty()) out << election.source << '\n';
  if (!election.title.empty() || !election.date.empty() || !election.source.empty()) out << '\n';
}

// --check on one district's one method: a line for each party whose seats differ. False when
// some differ.
bool Compared(Sink& out, const ElectionDistrict& district, const MethodOutcome& outcome,
              const std::string& place) {
  bool match = true;
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    const std::int32_t seats = outcome.final_seats[i];
    if (seats == district.official_seats[i]) continue;
    match = false;
    const std::string& name = district.parties[i].name;
    out << place
        << TrN("{1}: {2} seat, officially {3}", "{1}: {2} seats, officially {3}", seats,
               name.empty() ? Tr("party {1}", std::to_string(i + 1)) : name, std::to_string(seats),
               std::to_string(district.official_seats[i]))
        << '\n';
  }
  return match;
}

// Each party's votes and seats added up across the districts, matched by name.
struct Total {
  std::string name;
  std::int64_t votes = 0;
  std::vector<std::int64_t> seats;  // per method
  std::int64_t official = 0;
};

void AddUp(std::vector<Total>& totals, const ElectionDistrict& district,
           const std::vector<MethodOutcome>& outcomes, std::size_t methods) {
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    const Party& party = district.parties[i];
    auto total = std::find_if(totals.begin(), totals.end(),
                              [&](const Total& t) { return t.name == party.name; });
    if (total == totals.end()) {
      totals.push_back({party.name, 0, std::vector<std::int64_t>(methods, 0), 0});
      total = totals.end() - 1;
    }
    total->votes += party.votes;
    for (std::size_t m = 0; m < outcomes.size() && m < methods; ++m) {
      total->seats[m] += outcomes[m].final_seats[i];
    }
    if (!district.official_seats.empty()) total->official += district.official_seats[i];
  }
}

void WriteTotals(Sink& out, const std::vector<Total>& totals, const std::vector<Method>& methods,
                 bool official, WidthOf width) {
  std::vector<Align> aligns = {Align::kLeft};
  std::vector<std::string> headings = {"Име"};
  for (const Method method : methods) {
    aligns.push_back(Align::kRight);
    headings.push_back(NameOf(method));
  }
  if (official) {
    aligns.push_back(Align::kRight);
    headings.push_back(Tr("official"));
  }
  aligns.push_back(Align::kRight);
  headings.emplace_back("Гласували");
  TextTable table(std::move(aligns), width);
  table.AddRow(std::move(headings));
  for (const Total& total : totals) {
    std::vector<std::string> cells = {total.name};
    for (const std::int64_t seats : total.seats) cells.push_back(std::to_string(seats));
    if (official) cells.push_back(std::to_string(total.official));
    cells.push_back(std::to_string(total.votes));
    table.AddRow(std::move(cells));
  }
  out << '\n' << Tr("Final seats across the districts, each party matched by its name:") << '\n';
  table.Write(out);
}

int Worse(int status, int other) {
  // An output that cannot be written outweighs a method that cannot be calculated.
  return std::max(status, other);
}

}  // namespace

Election BuiltInElectionOf(std::string_view name) {
  const BuiltInElection* built_in = BuiltInElectionNamed(name);
  if (built_in == nullptr) {
    std::string names = "list";
    for (const BuiltInElection& election : BuiltInElections()) {
      names += ", " + std::string(election.name);
    }
    throw InputError(Tr("--election: {1} is not one of {2}", Quoted(name), names));
  }
  StringSource in{std::string(built_in->text)};
  return ReadElection(in, std::string(built_in->name), CheckOptionValue);
}

void WriteElectionList(Sink& out, WidthOf width) {
  TextTable table({Align::kLeft, Align::kLeft, Align::kRight}, width);
  for (const ElectionSummary& summary : ElectionSummaries()) {
    table.AddRow({summary.name, summary.title, summary.seats});
  }
  table.Write(out);
}

int RunElection(const Request& request, const Election& election, Sink& out, Sink& err,
                WidthOf width, std::string_view prefix, const OptionCaller& called) {
  std::vector<Request> requests;
  for (const ElectionDistrict& district : election.districts) {
    try {
      requests.push_back(DistrictRequest(request, district, called));
      if (election.districts.size() > 1 && requests.back().format != OutputFormat::kTable) {
        throw InputError(Tr("--format: a file of several districts is shown as a table"));
      }
    } catch (const InputError& error) {
      err << prefix << DistrictPlace(election, district) << error.what() << '\n';
      return kUnusableInput;
    }
  }
  if (!election.has_keys) {
    return RunRequest(requests.front(), election.districts.front().parties, out, err, width,
                      prefix);
  }
  if (requests.front().format == OutputFormat::kTable) WriteHeading(out, election);
  int status = kSuccess;
  bool match = true;
  std::vector<Total> totals;
  bool all_calculated = true;
  for (std::size_t d = 0; d < election.districts.size(); ++d) {
    const ElectionDistrict& district = election.districts[d];
    if (!district.name.empty()) {
      out << (d > 0 ? "\n" : "") << Tr("District {1}", district.name) << "\n\n";
    }
    std::vector<MethodOutcome> outcomes;
    const std::string place = district.name.empty() ? "" : district.name + ": ";
    status = Worse(status, RunRequest(requests[d], district.parties, out, err, width,
                                      std::string(prefix) + place, &outcomes));
    all_calculated = all_calculated && outcomes.size() == requests[d].methods.size();
    if (requests[d].check && !outcomes.empty()) {
      if (d == 0) out << '\n';
      match = Compared(out, district, outcomes.front(), place) && match;
    }
    AddUp(totals, district, outcomes, requests[d].methods.size());
  }
  const bool same_methods = std::all_of(requests.begin(), requests.end(), [&](const Request& own) {
    return own.methods == requests.front().methods;
  });
  if (election.districts.size() > 1 && all_calculated && same_methods) {
    WriteTotals(out, totals, requests.front().methods,
                !election.districts.front().official_seats.empty(), width);
  }
  if (request.check && status == kSuccess) out << (match ? "MATCH" : "MISMATCH") << '\n';
  if (!out.Flush()) {
    err << prefix << Tr("writing the output failed") << '\n';
    return kWriteFailed;
  }
  return status == kSuccess && !match ? kMismatch : status;
}

}  // namespace mandati::format
