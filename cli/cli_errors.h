// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace mandati::cli {

// The exit statuses of mandati-cli, as --help and the README list them.
enum ExitStatus : int {
  kSuccess = 0,
  kUnusableInput = 2,  // an argument or an input line, or input that cannot be read
  kNoCalculation = 3,  // a method cannot be calculated: the core named the limit it breaks
  kWriteFailed = 4,    // the output could not be written (a full disk, a closed output)
};

// An argument or an input line that cannot be used. The message names it and says what is
// wrong; the program prints it on one line and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace mandati::cli
