// A whole session driven by fuzz bytes through the window's handlers: set-up, typed texts,
// vote entry, quota choice, calculation, clear and row clicks. No handler may let anything
// escape, and the party table must stay consistent after every step.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "commands/form_commands.h"

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Bytes bytes(data, size);
  mandati::NumberSettings settings;
  if (bytes.Next() & 1) settings.decimal_separator = ",";
  mandati::FormState state;
  mandati::LoadMainForm(state);
  while (!bytes.Empty()) {
    const std::uint8_t action = bytes.Next();
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
        mandati::ChooseQuotaMethod(state, static_cast<std::int16_t>(action / 10 % 4));
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
  }
  return 0;
}
