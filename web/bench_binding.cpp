// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching bench's calculation, run in a Web Worker (see bench.js): mandati-cli's
// arguments and the parties' text in, the companion's output, messages and exit status out.
// Every figure, table and chart is written by the companion's own request handling, so the
// page and mandati-cli cannot disagree.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstddef>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "format/errors.h"
#include "format/exit_status.h"
#include "format/party_input.h"
#include "format/request.h"
#include "format/text_table.h"
#include "web/bench_texts.h"

namespace mandati::web {

namespace {

using emscripten::val;

// The name the companion's messages give the parties' text, as mandati-cli names a file.
constexpr char kPartiesSource[] = "parties";

// Holds what is written up to kMaxOutputBytes and refuses the rest, so that the stream
// fails as on a full disk and the run reports it.
class BoundedOutput : public std::stringbuf {
 public:
  bool Overflowed() const { return overflowed_; }

 protected:
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    if (static_cast<std::size_t>(count) > Room()) return Refuse();
    return std::stringbuf::xsputn(text, count);
  }
  int_type overflow(int_type c) override {
    if (Room() == 0) return Refuse();
    return std::stringbuf::overflow(c);
  }

 private:
  std::size_t Room() const {
    const auto written = static_cast<std::size_t>(pptr() - pbase());
    return written >= kMaxOutputBytes ? 0 : kMaxOutputBytes - written;
  }
  int_type Refuse() {
    overflowed_ = true;
    return traits_type::eof();
  }
  bool overflowed_ = false;
};

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
  std::ostringstream err;
  format::Request request;
  std::vector<format::Party> parties;
  try {
    request = format::ParseRequest(args);
    if (request.help) throw format::InputError("--help: the bench shows no help text");
    std::istringstream in(parties_text);
    parties = request.votes.empty() ? format::ReadParties(in, kPartiesSource)
                                    : format::PartiesFromArguments(request.votes);
  } catch (const format::InputError& error) {
    return Outcome(format::kUnusableInput, "", std::string(error.what()) + "\n");
  }
  BoundedOutput buffer;
  std::ostream out(&buffer);
  const int status = format::RunRequest(request, parties, out, err, format::CharacterCount, "");
  if (buffer.Overflowed()) return Outcome(status, "", std::string(kOutputTooLarge) + "\n");
  return Outcome(status, buffer.str(), err.str());
}

EMSCRIPTEN_BINDINGS(mandati_bench) { emscripten::function("run", &Run); }

}  // namespace mandati::web
