// SPDX-License-Identifier: GPL-3.0-or-later
// A whole session driven by fuzz bytes through the window's handlers: set-up, typed texts,
// vote entry, quota choice, calculation, clear and row clicks. No handler may let anything
// escape; the party table must stay consistent after every step; a command whose input it
// must refuse leaves the state exactly as it was; and a calculation that went through gave
// the leftover seats to the parties whose remainder keys stand last in the queue.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "commands/form_commands.h"
#include "core/number_rules.h"
#include "core/party_table.h"

namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }
  // A text of up to `max_length` characters, as a box of that length would take it.
  std::string Text(std::size_t max_length) {
    std::string text;
    for (std::size_t length = Next() % (max_length + 1); length > 0 && !Empty(); --length) {
      text += static_cast<char>(Next());
    }
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

void CheckConsistent(const mandati::FormState& state) {
  const mandati::PartyTable& table = state.table;
  if (table.PartyNumberColumn().RowCount() != table.VotesColumn().RowCount()) std::abort();
  const int party = table.PartyNumberColumn().SelectedRow();
  if (table.VotesColumn().SelectedRow() != party) std::abort();
  for (int j = 1; j <= 4; ++j) {
    const int selected = table.At(j).SelectedRow();
    if (selected != -1 && selected != party) std::abort();
  }
}

void Check(bool holds) {
  if (!holds) std::abort();
}

// Whether the calculate command must refuse: no parties, a party without votes of at least 1,
// or a negative seat count.
bool CalculationRefused(const mandati::FormState& state) {
  if (state.values.party_count.value_or(0.0) < 1) return true;
  if (state.values.seat_count.value_or(0.0) < 0) return true;
  bool refused = false;
  mandati::ForEachParty(state.values, [&](int row) {
    const mandati::TextColumn& votes = state.table.VotesColumn();
    if (row >= votes.RowCount() || mandati::LeadingNumber(votes.Row(row)) < 1) refused = true;
  });
  return refused;
}

// After a calculation with a whole party count n: the seats left, L = seats minus the
// preliminary total, went one each down the queue from its last key, round again from the
// last key while seats were left; so the party whose key stands at row r got
// L / n seats plus one when r is among the last L % n rows.
void CheckLeftoverSeats(const mandati::FormState& state) {
  const double party_count = *state.values.party_count;
  if (party_count != std::floor(party_count) || party_count > 99) return;
  const int n = static_cast<int>(party_count);
  const mandati::PartyTable& table = state.table;
  double preliminary_total = 0;
  for (int row = 0; row < n; ++row) {
    preliminary_total += mandati::LeadingNumber(table.PreliminarySeatsColumn().Row(row));
  }
  const int left = std::max(0, static_cast<int>(mandati::ToInt16(
                                   state.values.seat_count.value_or(0.0) - preliminary_total)));
  const mandati::TextColumn& queue = table.RemainderQueue();
  Check(queue.RowCount() == n);
  for (int r = 0; r < n; ++r) {
    const std::string& key = queue.Row(r);
    const int party = static_cast<int>(mandati::LeadingNumber(key.substr(key.size() - 3)));
    const int row = party - 1;
    const double extra = mandati::LeadingNumber(table.FinalSeatsColumn().Row(row)) -
                         mandati::LeadingNumber(table.PreliminarySeatsColumn().Row(row));
    Check(extra == left / n + (r >= n - left % n ? 1 : 0));
  }
}

// Whether `action` must leave the state as it is, judged from the state before it.
bool MustRefuse(const mandati::FormState& state, std::uint8_t action) {
  const std::int16_t index = static_cast<std::int16_t>(action / 10 % 8);
  switch (action % 10) {
    case 4:
      // ToInt32 rounds half to even, so 0.5 and below give no votes.
      return mandati::LeadingNumber(state.votes_text) <= 0.5 ||
             state.table.PartyNumberColumn().SelectedRow() < 0;
    case 6:
      return index > 2;
    case 7:
      return CalculationRefused(state);
    case 9:
      return index >= 6;
    default:
      return false;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, size);
  mandati::NumberSettings settings;
  if (bytes.Next() & 1) settings.decimal_separator = ",";
  mandati::FormState state;
  mandati::LoadMainForm(state);
  while (!bytes.Empty()) {
    const std::uint8_t action = bytes.Next();
    const mandati::FormState before = state;
    switch (action % 10) {
      case 0:
        state.party_count_text = bytes.Text(2);
        break;
      case 1:
        state.seat_count_text = bytes.Text(2);
        break;
      case 2:
        state.votes_text = bytes.Text(8);
        break;
      case 3:
        mandati::SetUpParties(state, settings);
        break;
      case 4:
        mandati::EnterVotes(state, settings);
        break;
      case 5:
        mandati::ClickCommand2(state, static_cast<std::int16_t>(action / 10 % 4), settings);
        break;
      case 6:
        mandati::ChooseQuotaMethod(state, static_cast<std::int16_t>(action / 10 % 8));
        break;
      case 7:
        mandati::CalculateSeats(state, settings);
        break;
      case 8:
        mandati::ClearAll(state);
        break;
      default:
        mandati::SelectPartyRow(state, static_cast<std::int16_t>(action / 10 % 8),
                                bytes.Next() % 40);
        break;
    }
    CheckConsistent(state);
    if (MustRefuse(before, action)) Check(state == before);
    if (action % 10 == 7 && !(state == before)) CheckLeftoverSeats(state);
  }
  return 0;
}
