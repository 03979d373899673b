// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/run_cli.h"

#include <fcntl.h>

#include "cli/descriptors.h"
#include "cli/help_text.h"
#include "cli/terminal_width.h"
#include "format/errors.h"
#include "format/exit_status.h"
#include "format/party_input.h"
#include "format/request.h"
#include "format/utf8.h"

namespace mandati::cli {

using namespace mandati::format;  // NOLINT(google-build-using-namespace): the library this program
                                  // shows

namespace {

constexpr const char* kProgram = "mandati-cli: ";
constexpr std::size_t kShownPathCharacters = 256;

std::vector<Party> ReadInputParties(const Request& request, Source& in) {
  if (!request.votes.empty()) return PartiesFromArguments(request.votes);
  if (!request.input_path || *request.input_path == "-") return ReadParties(in, "standard input");
  const int fd = ::open(request.input_path->c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw InputError("--input: cannot open " + Quoted(*request.input_path));
  DescriptorSource file(fd, /*owned=*/true);
  return ReadParties(file, Shown(*request.input_path, kShownPathCharacters));
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
