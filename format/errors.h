// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>

namespace mandati::format {

// An input value or line that cannot be used. The message names it and says what is wrong,
// on one line, with untrusted text shown safely (see Shown).
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A district whose seats cannot be calculated (a quota of 0, a total beyond 32 bits). The
// message says why.
class CalculationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace mandati::format
