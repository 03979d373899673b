// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "format/messages.h"
#include "format/sink.h"

namespace mandati::format {

// The exit statuses of mandati-cli, and of a calculation of the page's bench: an InputError
// (format/errors.h) gives kUnusableInput, a method the core cannot calculate kNoCalculation.
enum ExitStatus : int {
  kSuccess = 0,
  kUnusableInput = 2,
  kNoCalculation = 3,
  kWriteFailed = 4,
};

// Each status with what it means, as --help and the README's table of exit statuses say it;
// {1} and {2} stand for the most votes and the most seats (see MeaningOf).
struct ExitStatusRule {
  ExitStatus status;
  std::string_view meaning;
};

inline constexpr ExitStatusRule kExitStatuses[] = {
    {kSuccess, NoTr("the seats are shown")},
    {kUnusableInput,
     NoTr("an argument or input line cannot be used (named in the message), or the input "
          "cannot be read (--input or standard input: a missing file, an I/O error, a "
          "directory; the message gives the system's reason)")},
    {kNoCalculation,
     NoTr("a method cannot be calculated (a quota of 0, a total beyond {1}, full quotas beyond "
          "{2}): the other methods are still shown, and one line on standard error names each "
          "refused method and its seat count; a sweep leaves out only the seat counts a method "
          "cannot calculate, and the line names them (42 to 50 seats)")},
    {kWriteFailed, NoTr("the output cannot be written: a full disk, a closed standard output")},
};

// The meaning of a status in the current language, with the limits in place.
std::string MeaningOf(const ExitStatusRule& rule);

// Runs `write` on `out` and flushes, then checks that the output arrived: a full disk or a
// closed output shows only here. kSuccess, or kWriteFailed with a line "<prefix>writing the
// output failed[: why]" on `err`.
int WrittenTo(Sink& out, Sink& err, std::string_view prefix,
              const std::function<void(Sink&)>& write);

}  // namespace mandati::format
