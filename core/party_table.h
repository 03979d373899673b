// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mandati {

// One column of the party table: an ordered list of text rows with a selected row
// (-1 when none). A sorted column keeps its rows in ascending order of their text,
// compared by character code with letter case ignored; every other column keeps rows in
// the order they were added.
class TextColumn {
 public:
  explicit TextColumn(bool sorted = false) : sorted_(sorted) {}

  // Removes every row; the selection becomes -1.
  void Clear();
  // Adds a row at the end, or at its place in the sort order for a sorted column.
  void Append(std::string text);
  // Replaces row k; when k equals the row count, appends the text as row k.
  void SetRow(int k, std::string text) {
    if (k >= 0 && k < RowCount()) {
      rows_[static_cast<std::size_t>(k)] = std::move(text);  // in place, as for any column
    } else {
      SetNewRow(k, std::move(text));
    }
  }
  const std::string& Row(int k) const {
    CheckRow(k);
    return rows_[static_cast<std::size_t>(k)];
  }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  bool Empty() const { return rows_.empty(); }
  int SelectedRow() const { return selected_; }
  // Selects row k, or nothing with k = -1.
  void SetSelectedRow(int k);
  bool Sorted() const { return sorted_; }
  const std::vector<std::string>& Rows() const { return rows_; }

  friend bool operator==(const TextColumn&, const TextColumn&) = default;

 private:
  void CheckRow(int k) const {
    if (k < 0 || k >= RowCount()) ThrowMissingRow(k);
  }
  [[noreturn]] void ThrowMissingRow(int k) const;
  // SetRow past the last row: appends at the row count, raises MissingRowError beyond it.
  void SetNewRow(int k, std::string text);

  std::vector<std::string> rows_;
  int selected_ = -1;
  bool sorted_;
};

// The order of the sorted column: character codes compared from the left, letter case
// ignored. For remainder keys this puts the blank before the decimal separator and both
// before the digits, so the keys sort by remainder and then by party number.
inline bool TextLess(std::string_view a, std::string_view b) {
  const auto folded = [](char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  };
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    if (a[i] != b[i] && folded(a[i]) != folded(b[i])) return folded(a[i]) < folded(b[i]);
  }
  return a.size() < b.size();
}

// All per-party data, as seven parallel text columns. Row i-1 of columns 0 to 5 belongs
// to party i; column 6 holds one remainder key per party in sorted order.
class PartyTable {
 public:
  static constexpr int kColumnCount = 7;
  static constexpr int kPartyNumber = 0;
  static constexpr int kPreliminarySeats = 1;
  static constexpr int kFinalSeats = 2;
  static constexpr int kQuotaRatio = 3;
  static constexpr int kVoteShare = 4;
  static constexpr int kVotes = 5;
  static constexpr int kRemainderQueue = 6;

  // Column by its list index 0 to 6; any other index raises MissingRowError.
  TextColumn& At(int index);
  const TextColumn& At(int index) const;

  TextColumn& PartyNumberColumn() { return columns_[kPartyNumber]; }
  TextColumn& PreliminarySeatsColumn() { return columns_[kPreliminarySeats]; }
  TextColumn& FinalSeatsColumn() { return columns_[kFinalSeats]; }
  TextColumn& QuotaRatioColumn() { return columns_[kQuotaRatio]; }
  TextColumn& VoteShareColumn() { return columns_[kVoteShare]; }
  TextColumn& VotesColumn() { return columns_[kVotes]; }
  TextColumn& RemainderQueue() { return columns_[kRemainderQueue]; }
  const TextColumn& PartyNumberColumn() const { return columns_[kPartyNumber]; }
  const TextColumn& PreliminarySeatsColumn() const { return columns_[kPreliminarySeats]; }
  const TextColumn& FinalSeatsColumn() const { return columns_[kFinalSeats]; }
  const TextColumn& QuotaRatioColumn() const { return columns_[kQuotaRatio]; }
  const TextColumn& VoteShareColumn() const { return columns_[kVoteShare]; }
  const TextColumn& VotesColumn() const { return columns_[kVotes]; }
  const TextColumn& RemainderQueue() const { return columns_[kRemainderQueue]; }

  friend bool operator==(const PartyTable&, const PartyTable&) = default;

 private:
  std::array<TextColumn, kColumnCount> columns_{TextColumn(),
                                                TextColumn(),
                                                TextColumn(),
                                                TextColumn(),
                                                TextColumn(),
                                                TextColumn(),
                                                TextColumn(/*sorted=*/true)};
};

// Row ToInt16(i - 1), the row of party number i; raises OverflowError past 16 bits.
int PartyRow(double party_number);

// The most parties a calculation takes: a remainder key has three places for the party
// number. And the most seats: preliminary and final seats are 16-bit numbers.
inline constexpr std::int32_t kMaxParties = 999;
inline constexpr std::int32_t kMaxSeats = 32767;
// The most votes a party can have, and the largest total of votes: 32-bit numbers.
inline constexpr std::int32_t kMaxVotes = 2147483647;

// The quotas of the largest-remainder family. The window offers the first three; Hare-Niemeyer
// takes Hare's quotient V / S exactly instead of floored (core/quota_rules.h).
enum class QuotaMethod : std::int16_t {
  Hare = 0,
  Droop = 1,
  HagenbachBischoff = 2,
  Imperiali = 3,
  HareNiemeyer = 4,
};

// The values that are not per party. They live as long as the window and are never saved;
// an empty value counts as 0 wherever it is compared or computed with.
struct FormValues {
  std::optional<double> party_count;  // unrounded, as read from the party-count box
  std::optional<double> seat_count;
  std::optional<std::int32_t> quota;
  QuotaMethod quota_method = QuotaMethod::Hare;
  std::int32_t total_votes = 0;

  friend bool operator==(const FormValues&, const FormValues&) = default;
};

// The party loop: visit(row) for i = 1, 2, ... while i <= the party count, with
// row = ToInt16(i - 1). The bound is read once when the loop starts; an empty, NaN or
// below-1 count gives no turn, and a fractional one stops at the whole number below it.
template <typename Visit>
void ForEachParty(const FormValues& values, Visit&& visit) {
  const double bound = values.party_count.value_or(0.0);
  const long long last = bound >= 1 ? static_cast<long long>(bound < 1e6 ? bound : 1e6) : 0;
  // PartyRow(i) is the row i - 1 while that fits 16 bits, that is for i up to 32768; for
  // party 32769 it raises, once every row before it has been visited.
  constexpr long long kRows = 32768;
  const long long rows = last < kRows ? last : kRows;
  for (int row = 0; row < rows; ++row) visit(row);
  if (last > rows) PartyRow(static_cast<double>(rows + 1));
}

}  // namespace mandati
