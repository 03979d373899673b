// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace mandati {

// Every failure the number rules and the column operations can raise. The core never
// catches these; the command boundary does, and abandons the command that raised one.
class CoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A number that does not fit the integer width it is converted to, or that is not finite.
class OverflowError : public CoreError {
 public:
  using CoreError::CoreError;
};

class DivisionByZeroError : public CoreError {
 public:
  using CoreError::CoreError;
};

// A text that is not a number under the user's number settings.
class TypeMismatchError : public CoreError {
 public:
  using CoreError::CoreError;
};

// A row (or a column index) that does not exist.
class MissingRowError : public CoreError {
 public:
  using CoreError::CoreError;
};

// An input outside the limits a calculation takes: a party count, a seat count or a
// party's votes out of range, or a seat-count range longer than one sweep takes.
class LimitError : public CoreError {
 public:
  using CoreError::CoreError;
};

}  // namespace mandati
