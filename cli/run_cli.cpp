// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_cli.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "cli/descriptors.h"
#include "cli/help_text.h"
#include "cli/terminal_width.h"
#include "format/election_file.h"
#include "format/errors.h"
#include "format/exit_status.h"
#include "format/messages.h"
#include "format/party_input.h"
#include "format/request.h"
#include "format/run_election.h"
#include "format/utf8.h"

namespace mandati::cli {

using namespace mandati::format;  // NOLINT(google-build-using-namespace): the library this program
                                  // shows

namespace {

constexpr const char* kProgram = "mandati-cli: ";
// A path is shown whole: no path the system opens is longer.
constexpr std::size_t kShownPathCharacters = 4096;

// The parties, and the election file's keys where the input is one: the votes arguments, a
// built-in election, --input FILE or standard input.
Election ElectionOf(const Request& request, Source& in) {
  if (!request.votes.empty()) {
    Election election;
    election.districts.push_back({});
    election.districts.front().parties = PartiesFromArguments(request.votes);
    return election;
  }
  if (request.election) return BuiltInElectionOf(*request.election);
  if (!request.input_path || *request.input_path == "-") {
    return ReadElection(in, "standard input", CheckOptionValue);
  }
  const std::string shown = Shown(*request.input_path, kShownPathCharacters);
  const int fd = ::open(request.input_path->c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    throw InputError(Tr("{1}: cannot open \"{2}\": {3}", "--input", shown,
                        std::string_view(std::strerror(errno))));
  }
  DescriptorSource file(fd, /*owned=*/true);
  return ReadElection(file, shown, CheckOptionValue);
}

Election InputElection(const Request& request, Source& in) {
  Election election = ElectionOf(request, in);
  if (election.districts.front().parties.empty()) {
    throw InputError(
        Tr("no parties: give their votes as arguments, with --input FILE or on standard input"));
  }
  return election;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, Source& in, Sink& out, Sink& err) {
  Request request;
  Election election;
  try {
    request = ParseRequest(args);
    if (request.help) {
      return WrittenTo(out, err, kProgram, [](Sink& stream) { stream << HelpText(); });
    }
    if (request.election == "list") {
      return WrittenTo(out, err, kProgram,
                       [](Sink& stream) { WriteElectionList(stream, TerminalWidth); });
    }
    election = InputElection(request, in);
  } catch (const InputError& error) {
    err << kProgram << error.what() << '\n';
    return kUnusableInput;
  }
  return RunElection(request, election, out, err, TerminalWidth, kProgram);
}

}  // namespace mandati::cli
