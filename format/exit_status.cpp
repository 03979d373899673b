// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/exit_status.h"

#include <cstring>

#include "core/party_table.h"

namespace mandati::format {

std::string MeaningOf(const ExitStatusRule& rule) {
  return Tr(rule.meaning, std::to_string(kMaxVotes), std::to_string(kMaxSeats));
}

int WrittenTo(Sink& out, Sink& err, std::string_view prefix,
              const std::function<void(Sink&)>& write) {
  write(out);
  if (out.Flush()) return kSuccess;
  err << prefix << Tr("writing the output failed");
  if (out.Error() != 0) err << ": " << std::strerror(out.Error());
  err << '\n';
  return kWriteFailed;
}

}  // namespace mandati::format
