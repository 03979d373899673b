// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
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

// The limits a calculation from numbers checks before it starts, each named in the error.
enum class CalculationLimit : std::uint8_t {
  kPartyCount,        // 1 to kMaxParties parties
  kVotes,             // at least 1 vote per party
  kSeatCount,         // 0 to kMaxSeats seats
  kTotalVotes,        // the total of votes fits 32 bits
  kNoQuotaDivisor,    // the quota's divisor, seats + offset, is 0 (Hare with 0 seats)
  kQuotaZero,         // the quota rounds down to 0 votes: too few votes, the total, for the seats
  kPreliminarySeats,  // a party's full quotas fit 16 bits
  kThreshold,         // some party reaches the threshold's bar
};

// An input beyond one of those limits: which one, the value that failed it (the count of
// parties or seats, a party's votes, the total (also for a quota of 0), the full quotas, or
// for a threshold the fewest whole votes its bar asks) and the seat count of the calculation
// refused.
class CalculationLimitError : public LimitError {
 public:
  CalculationLimitError(CalculationLimit limit, std::int64_t value, std::int32_t seat_count,
                        const std::string& message)
      : LimitError(message), limit_(limit), value_(value), seat_count_(seat_count) {}

  CalculationLimit Limit() const noexcept { return limit_; }
  std::int64_t Value() const noexcept { return value_; }
  std::int32_t SeatCount() const noexcept { return seat_count_; }

 private:
  CalculationLimit limit_;
  std::int64_t value_;
  std::int32_t seat_count_;
};

// The options of a calculation that the law sets (core/election_rules.h, core/threshold.h),
// each checked before anything is calculated.
enum class RuleLimit : std::uint8_t {
  kFirstDivisor,    // kMinFirstDivisor to kMaxFirstDivisor, at most kMaxFirstDivisorDecimals
  kThresholdShare,  // 0 to 100 per cent, at most kMaxThresholdShareDecimals
  kThresholdVotes,  // 0 to kMaxThresholdTotal votes
  kThresholdTotal,  // from the listed votes' total to kMaxThresholdTotal
  kExemptParty,     // a party number of the district
};

// An option outside its limits: which one; the message says how.
class RuleError : public LimitError {
 public:
  RuleError(RuleLimit limit, const std::string& message) : LimitError(message), limit_(limit) {}

  RuleLimit Limit() const noexcept { return limit_; }

 private:
  RuleLimit limit_;
};

}  // namespace mandati
