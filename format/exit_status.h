// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string_view>

#include "format/sink.h"

namespace mandati::format {

// The exit statuses of mandati-cli, and of a calculation of the page's bench, as --help and
// the README list them: an InputError (format/errors.h) gives kUnusableInput, a method the
// core cannot calculate kNoCalculation.
enum ExitStatus : int {
  kSuccess = 0,
  kUnusableInput = 2,  // an argument or an input line, or input that cannot be read
  kNoCalculation = 3,
  kWriteFailed = 4,  // the output could not be written (a full disk, a closed output)
  kMismatch = 5,     // --check: the seats differ from the official ones
};

// Runs `write` on `out` and flushes, then checks that the output arrived: a full disk or a
// closed output shows only here. kSuccess, or kWriteFailed with a line "<prefix>writing the
// output failed[: why]" on `err`.
int WrittenTo(Sink& out, Sink& err, std::string_view prefix,
              const std::function<void(Sink&)>& write);

}  // namespace mandati::format
