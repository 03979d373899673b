#pragma once

#include <stdexcept>

namespace mandati::cli {

// An argument or an input line that cannot be used. The message names it and says what is
// wrong; the program prints it on one line and exits with status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A district whose seats cannot be calculated (a quota of 0, a total beyond 32 bits). The
// message says why; the program exits with status 3.
class CalculationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace mandati::cli
