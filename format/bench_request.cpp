// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/bench_request.h"

#include <optional>
#include <string_view>

#include "format/election_file.h"
#include "format/errors.h"
#include "format/exit_status.h"
#include "format/messages.h"
#include "format/option_rules.h"
#include "format/output_formats.h"
#include "format/party_input.h"
#include "format/request.h"
#include "format/run_election.h"
#include "format/sink.h"
#include "format/text_table.h"

namespace mandati::format {

namespace {

void Apply(Request& request, std::string_view option, const std::string& value,
           std::string_view called) {
  OptionNamed(option)->apply(request, value, called);
}

// The options as the bench's messages call them: by the names on its controls.
OptionCaller CallerOf(const BenchNames& names) {
  return [&names](std::string_view option) {
    for (const auto& [name, called] :
         {std::pair{"--seats", &names.seats}, std::pair{"--method", &names.methods},
          std::pair{"--format", &names.format}, std::pair{"--exact", &names.exact},
          std::pair{"--explain", &names.explain}}) {
      if (option == name) return *called;
    }
    return std::string(option);
  };
}

// The request the fields ask for, through the option table's actions.
Request RequestOf(const BenchFields& fields, const BenchNames& names) {
  Request request = NewRequest();
  Apply(request, "--seats", fields.seats, names.seats);
  if (fields.methods.empty()) throw InputError(Tr("{1}: none is chosen", names.methods));
  std::string methods;
  for (const std::string& keyword : fields.methods)
    methods += (methods.empty() ? "" : ",") + keyword;
  Apply(request, "--method", methods, names.methods);
  Apply(request, "--format", fields.format, names.format);
  if (fields.exact) Apply(request, "--exact", "", names.exact);
  if (fields.explain && FormatRuleOf(request.format).explains) {
    Apply(request, "--explain", "", names.explain);
  }
  request.given = {"--seats", "--method", "--format", "--exact", "--explain"};
  CompleteRequest(request, CallerOf(names));
  return request;
}

// The request for a built-in election: its file gives the seats, the method and the rules, and
// the table compares them with its official seats.
Request ElectionRequestOf(const BenchFields& fields, const BenchNames& names) {
  Request request = NewRequest();
  Apply(request, "--format", fields.format, names.format);
  if (fields.exact) Apply(request, "--exact", "", names.exact);
  if (fields.explain && FormatRuleOf(request.format).explains) {
    Apply(request, "--explain", "", names.explain);
  }
  request.check = request.format == OutputFormat::kTable;
  request.given = {"--format", "--exact", "--explain"};
  return request;
}

// The parties' text, read as mandati-cli reads a file: an election file's keys and districts
// apply where the bench's fields leave them open (its threshold, exempt parties, ties).
Election ElectionOf(const BenchFields& fields, const BenchNames& names) {
  StringSource in(fields.parties);
  Election election = ReadElection(in, names.parties, CheckOptionValue);
  if (election.districts.front().parties.empty()) {
    throw InputError(Tr("{1}: no party is given, one a line", names.parties));
  }
  return election;
}

// "mandati-7-seats-hare-dhondt.csv", "mandati-1-8-seats-hare-exact.json": from what the
// request read, so that nothing the page typed reaches the name.
std::string FileNameOf(const Request& request) {
  std::string name = "mandati-" + std::to_string(request.seats);
  if (request.last_seats != 0) name += "-" + std::to_string(request.last_seats);
  name += "-seats";
  for (const Method method : request.methods) name += "-" + std::string(KeywordOf(method));
  if (request.exact) name += "-exact";
  return name + "." + std::string(FormatRuleOf(request.format).extension);
}

// "Calculated: 6 methods, 7 seats.", or a sweep's "1 to 8 seats".
std::string SummaryOf(const Request& request, int status, bool shown) {
  if (status == kWriteFailed) return Tr("Not shown: see the message.");
  if (!shown) return Tr("Not calculated: see the message.");
  const auto methods = static_cast<std::int64_t>(request.methods.size());
  const std::string seats =
      request.last_seats == 0
          ? TrN("{1} seat", "{1} seats", request.seats, std::to_string(request.seats))
          : Tr("{1} to {2} seats", std::to_string(request.seats),
               std::to_string(request.last_seats));
  const std::string chosen = TrN("{1} method", "{1} methods", methods, std::to_string(methods));
  return status == kSuccess ? Tr("Calculated: {1}, {2}.", chosen, seats)
                            : Tr("Calculated in part: {1}, {2}; the messages say what is left out.",
                                 chosen, seats);
}

// Whether a built-in election's seats are its official ones, whatever the view: the table's
// comparison, made aside.
std::string CheckSentence(Request request, const Election& election) {
  request.format = OutputFormat::kTable;
  request.explain = false;
  request.check = true;
  StringSink out;
  StringSink err;
  return RunElection(request, election, out, err, CharacterCount, "", AsOption) == kSuccess
             ? Tr("The seats are the official seats: MATCH.")
             : Tr("Some seats differ from the official seats: MISMATCH.");
}

}  // namespace

BenchOutcome RunBench(const BenchFields& fields, const BenchNames& names, std::size_t max_bytes) {
  BenchOutcome outcome;
  Request request;
  Election election;
  try {
    if (fields.election.empty()) {
      request = RequestOf(fields, names);
      election = ElectionOf(fields, names);
    } else {
      request = ElectionRequestOf(fields, names);
      election = BuiltInElectionOf(fields.election);
    }
  } catch (const InputError& error) {
    outcome.status = kUnusableInput;
    outcome.err = std::string(error.what()) + "\n";
    outcome.summary = SummaryOf(request, outcome.status, false);
    return outcome;
  }
  // The output fails as on a full disk beyond max_bytes, and the run reports it.
  StringSink out(max_bytes);
  StringSink err;
  outcome.status = RunElection(request, election, out, err, CharacterCount, "", CallerOf(names));
  if (out.Failed()) {
    outcome.err = Tr("the output is larger than {1} MB, the most the page holds: choose fewer "
                     "seat counts, methods or parties, or use mandati-cli",
                     std::to_string(max_bytes >> 20)) +
                  "\n";
  } else {
    outcome.out = out.Text();
    outcome.err = err.Text();
    outcome.media_type = FormatRuleOf(request.format).media_type;
    outcome.file_name = fields.election.empty()
                            ? FileNameOf(request)
                            : "mandati-" + fields.election + "." +
                                  std::string(FormatRuleOf(request.format).extension);
  }
  if (fields.election.empty() || outcome.out.empty()) {
    outcome.summary = SummaryOf(request, outcome.status, !outcome.out.empty());
  } else {
    outcome.summary = Tr("Calculated: {1}. {2}", election.title, CheckSentence(request, election));
  }
  return outcome;
}

BenchOutcome FailedBench() {
  BenchOutcome outcome;
  outcome.status = kWriteFailed;
  outcome.err = Tr("the calculation stopped without a result, most likely for want of memory: "
                   "choose fewer seat counts, methods or parties, or use mandati-cli") +
                "\n";
  outcome.summary = Tr("Not shown: see the message.");
  return outcome;
}

}  // namespace mandati::format
