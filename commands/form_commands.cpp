// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/form_commands.h"

#include <optional>
#include <utility>
#include <vector>

#include "core/errors.h"
#include "core/number_rules.h"
#include "core/passes.h"
#include "core/quota_rules.h"

namespace mandati {

namespace {

// Runs a handler on a copy of the state and keeps the copy only when the handler completes.
template <typename Handler>
void Transact(FormState& state, Handler&& handler) {
  FormState draft = state;
  try {
    if (!handler(draft)) return;
  } catch (const CoreError&) {
    return;  // unusable input is ignored: the window stays as it was
  }
  state = std::move(draft);
}

constexpr int kSelectableColumns = 6;  // columns 0 to 5 follow the party selection

// Gives `row` to every non-empty column 0 to 5 that has it and shows that party's votes.
void ShowParty(FormState& state, int row) {
  for (int j = 0; j < kSelectableColumns; ++j) {
    TextColumn& column = state.table.At(j);
    if (!column.Empty() && row < column.RowCount()) column.SetSelectedRow(row);
  }
  const TextColumn& votes = state.table.VotesColumn();
  state.votes_text = (row >= 0 && row < votes.RowCount()) ? votes.Row(row) : std::string();
}

// The votes of every party the loop visits, or nothing when one has no votes row that reads at
// least 1.
std::optional<std::vector<std::int32_t>> PartyVotes(const FormState& state) {
  std::vector<std::int32_t> votes;
  bool ready = true;
  const TextColumn& column = state.table.VotesColumn();
  ForEachParty(state.values, [&](int row) {
    const double number = row < column.RowCount() ? LeadingNumber(column.Row(row)) : 0.0;
    if (number < 1) ready = false;
    if (ready) votes.push_back(ToInt32(number));
  });
  if (!ready) return std::nullopt;
  return votes;
}

// The window's texts of a calculation, in the user's number settings: the total box, the
// party table's result columns and the remainder queue, and the form values it sets.
void ShowCalculation(const Calculation& calculation, const NumberSettings& settings,
                     FormState& state) {
  state.values.total_votes = calculation.total_votes;
  state.values.quota = calculation.quota;
  state.total_text = NumberText(calculation.total_votes, settings);
  PartyTable& table = state.table;
  for (std::size_t i = 0; i < calculation.parties.size(); ++i) {
    const PartyOutcome& party = calculation.parties[i];
    const int row = static_cast<int>(i);
    table.VoteShareColumn().SetRow(row, VoteShareText(party.share, settings));
    table.PreliminarySeatsColumn().SetRow(row, NumberText(party.preliminary_seats, settings));
    table.QuotaRatioColumn().SetRow(row, QuotaRatioText(party.ratio, settings));
    table.FinalSeatsColumn().SetRow(row, NumberText(party.final_seats, settings));
  }
  table.RemainderQueue().Clear();
  for (const int party : calculation.queue) {
    const PartyOutcome& outcome = calculation.parties[static_cast<std::size_t>(party - 1)];
    table.RemainderQueue().Append(RemainderKey(outcome.remainder_key, party, settings));
  }
}

}  // namespace

void LoadMainForm(FormState& state) { state.values.quota_method = QuotaMethod::Hare; }

void ChooseQuotaMethod(FormState& state, std::int16_t index) {
  if (const std::optional<QuotaMethod> method = WindowQuota(index)) {
    state.values.quota_method = *method;
  }
}

void ClickCommand2(FormState& state, std::int16_t index, const NumberSettings& settings) {
  if (index == 0) EnterVotes(state, settings);
  if (index == 1) CalculateSeats(state, settings);
}

void SetUpParties(FormState& state, const NumberSettings& settings) {
  Transact(state, [&](FormState& draft) {
    for (int j = 0; j < kSelectableColumns; ++j) draft.table.At(j).Clear();
    const int n = ToInt16(LeadingNumber(draft.party_count_text));
    // A refused count still leaves columns 0 to 5 empty.
    if (n < 1) return true;
    for (int i = 1; i <= n; ++i) {
      draft.table.PartyNumberColumn().Append(NumberText(i, settings));
      draft.table.VotesColumn().Append(" ");
    }
    draft.table.PartyNumberColumn().SetSelectedRow(0);
    ShowParty(draft, 0);
    draft.values.party_count = LeadingNumber(draft.party_count_text);
    draft.values.seat_count = LeadingNumber(draft.seat_count_text);
    return true;
  });
}

void EnterVotes(FormState& state, const NumberSettings& settings) {
  Transact(state, [&](FormState& draft) {
    const std::int32_t votes = ToInt32(LeadingNumber(draft.votes_text));
    const int row = draft.table.PartyNumberColumn().SelectedRow();
    if (votes < 1 || row < 0 || row >= draft.table.VotesColumn().RowCount()) return false;
    draft.table.VotesColumn().SetRow(row, NumberText(votes, settings));
    draft.votes_text.clear();
    return true;
  });
}

void CalculateSeats(FormState& state, const NumberSettings& settings) {
  Transact(state, [&](FormState& draft) {
    if (draft.values.party_count.value_or(0.0) < 1) return false;
    const std::optional<std::vector<std::int32_t>> votes = PartyVotes(draft);
    if (!votes) return false;
    // A negative seat count would come out as negative numbers of seats.
    if (draft.values.seat_count.value_or(0.0) < 0) return false;
    const TypedCounts counts{draft.values.party_count.value_or(0.0),
                             draft.values.seat_count.value_or(0.0)};
    ShowCalculation(
        CalculateQuotaSeats({draft.values.quota_method, *votes, counts, Ranking::kKeys}), settings,
        draft);
    return true;
  });
}

void SelectPartyRow(FormState& state, std::int16_t index, int row) {
  Transact(state, [&](FormState& draft) {
    if (index < 0 || index >= kSelectableColumns || row < 0) return false;
    draft.table.At(index).SetSelectedRow(row);
    ShowParty(draft, draft.table.At(index).SelectedRow());
    return true;
  });
}

void ClearAll(FormState& state) {
  state.party_count_text.clear();
  state.seat_count_text.clear();
  state.votes_text.clear();
  state.total_text.clear();
  for (int i = 0; i < PartyTable::kColumnCount; ++i) state.table.At(i).Clear();
}

}  // namespace mandati
