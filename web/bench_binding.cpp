// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching bench's calculation, run in a Web Worker (see bench.js): mandati-cli's
// arguments and the parties' text in, the companion's output, messages and exit status out.
// Every figure, table and chart is written by the companion's own request handling, so the
// page and mandati-cli cannot disagree.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

#include "format/election_file.h"
#include "format/errors.h"
#include "format/exit_status.h"
#include "format/party_input.h"
#include "format/request.h"
#include "format/run_election.h"
#include "format/sink.h"
#include "format/text_table.h"
#include "web/bench_texts.h"

namespace mandati::web {

namespace {

using emscripten::val;

// The name the companion's messages give the parties' text, as mandati-cli names a file.
constexpr char kPartiesSource[] = "parties";

val Outcome(int status, const std::string& out, const std::string& err) {
  val outcome = val::object();
  outcome.set("status", status);
  outcome.set("out", out);
  outcome.set("err", err);
  return outcome;
}

}  // namespace

// Runs the companion's arguments (after the program name) over the parties' text, one party
// a line as mandati-cli reads standard input. Returns {status, out, err}: the exit status
// mandati-cli gives, its standard output and its messages, one a line, without the program's
// name before them.
val Run(const val& arguments, const std::string& parties_text) {
  const auto args = emscripten::vecFromJSArray<std::string>(arguments);
  format::Request request;
  format::Election election;
  // The output fails as on a full disk beyond kMaxOutputBytes, and the run reports it.
  format::StringSink out(kMaxOutputBytes);
  try {
    request = format::ParseRequest(args);
    if (request.help) throw format::InputError("--help: the bench shows no help text");
    if (request.election == "list") {
      format::WriteElectionList(out, format::CharacterCount);
      return Outcome(format::kSuccess, out.Text(), "");
    }
    format::StringSource in(parties_text);
    if (request.election) {
      election = format::BuiltInElectionOf(*request.election);
    } else if (request.votes.empty()) {
      election = format::ReadElection(in, kPartiesSource, format::CheckOptionValue);
    } else {
      election.districts.push_back({});
      election.districts.front().parties = format::PartiesFromArguments(request.votes);
    }
  } catch (const format::InputError& error) {
    return Outcome(format::kUnusableInput, "", std::string(error.what()) + "\n");
  }
  format::StringSink err;
  const int status = format::RunElection(request, election, out, err, format::CharacterCount, "");
  if (out.Failed()) return Outcome(status, "", std::string(kOutputTooLarge) + "\n");
  return Outcome(status, out.Text(), err.Text());
}

EMSCRIPTEN_BINDINGS(mandati_bench) { emscripten::function("run", &Run); }

}  // namespace mandati::web
