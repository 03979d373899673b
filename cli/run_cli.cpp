// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_cli.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>

#include "cli/descriptors.h"
#include "cli/help_text.h"
#include "cli/terminal_width.h"
#include "format/errors.h"
#include "format/exit_status.h"
#include "format/messages.h"
#include "format/party_input.h"
#include "format/request.h"
#include "format/utf8.h"

namespace mandati::cli {

using namespace mandati::format;  // NOLINT(google-build-using-namespace): the library this program
                                  // shows

namespace {

constexpr const char* kProgram = "mandati-cli: ";
// A path is shown whole: no path the system opens is longer.
constexpr std::size_t kShownPathCharacters = 4096;

// The parties from the votes arguments, --input FILE or standard input.
std::vector<Party> PartiesOf(const Request& request, Source& in) {
  if (!request.votes.empty()) return PartiesFromArguments(request.votes);
  if (!request.input_path || *request.input_path == "-") return ReadParties(in, "standard input");
  const std::string shown = Shown(*request.input_path, kShownPathCharacters);
  const int fd = ::open(request.input_path->c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    throw InputError(Tr("{1}: cannot open \"{2}\": {3}", "--input", shown,
                        std::string_view(std::strerror(errno))));
  }
  DescriptorSource file(fd, /*owned=*/true);
  return ReadParties(file, shown);
}

std::vector<Party> ReadInputParties(const Request& request, Source& in) {
  std::vector<Party> parties = PartiesOf(request, in);
  if (parties.empty()) {
    throw InputError(
        "no parties: give their votes as arguments, with --input FILE or on standard input");
  }
  return parties;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, Source& in, Sink& out, Sink& err) {
  Request request;
  std::vector<Party> parties;
  try {
    request = ParseRequest(args);
    if (request.help) {
      return WrittenTo(out, err, kProgram, [](Sink& stream) { stream << HelpText(); });
    }
    parties = ReadInputParties(request, in);
  } catch (const InputError& error) {
    err << kProgram << error.what() << '\n';
    return kUnusableInput;
  }
  return RunRequest(request, parties, out, err, TerminalWidth, kProgram);
}

}  // namespace mandati::cli
