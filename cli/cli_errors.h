// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace mandati::cli {

// The exit statuses of mandati-cli, as --help and the README list them: an InputError gives
// kUnusableInput, a CalculationError kNoCalculation (format/errors.h).
enum ExitStatus : int {
  kSuccess = 0,
  kUnusableInput = 2,  // an argument or an input line, or input that cannot be read
  kNoCalculation = 3,
  kWriteFailed = 4,  // the output could not be written (a full disk, a closed output)
};

}  // namespace mandati::cli
