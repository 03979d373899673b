// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "core/number_rules.h"
#include "core/party_table.h"

namespace mandati {

// Everything the window's event handlers read and write, free of any widget: the party
// table, the form values and the texts of the four entry and display boxes.
struct FormState {
  PartyTable table;
  FormValues values;
  std::string party_count_text;  // Text2(0), "Брой партии:"
  std::string seat_count_text;   // Text2(1), "Брой мандати:"
  std::string votes_text;        // Text3(0), "Гласували:"
  std::string total_text;        // Text3(1), "Общо гл.:"

  friend bool operator==(const FormState&, const FormState&) = default;
};

// One handler per event of the window. Each works on a copy of the state and keeps it only
// when the handler completes: an error of the core raised on the way (overflow, division by
// zero, a type mismatch, a missing row) abandons the handler and leaves the state exactly as
// it was, just as unusable input is ignored. Anything else is a fault of the program and is
// not mistaken for unusable input: it propagates.

// The window's load: the Hare quota is chosen.
void LoadMainForm(FormState& state);

// Option1(index): records the chosen quota; indices other than 0 to 2 change nothing.
void ChooseQuotaMethod(FormState& state, std::int16_t index);

// Command2(index): 0 enters the typed votes, 1 calculates, any other index does nothing.
void ClickCommand2(FormState& state, std::int16_t index, const NumberSettings& settings);

// Command1 "Определи": creates one row per party from the party-count box and stores the
// party and seat counts.
void SetUpParties(FormState& state, const NumberSettings& settings);

// Command2(0) "Въведи": writes the vote box's number into the selected party's votes row.
void EnterVotes(FormState& state, const NumberSettings& settings);

// Command2(1) "Изчисли": checks that every party has votes, calculates the district under the
// chosen quota with the counts as typed (CalculateQuotaSeats) and writes the party table's
// result columns, the remainder queue, the total and the form values from that calculation.
void CalculateSeats(FormState& state, const NumberSettings& settings);

// A click on List1(index) that selected `row`: the party's row is selected in every
// non-empty column 0 to 5 and the vote box shows its votes text.
void SelectPartyRow(FormState& state, std::int16_t index, int row);

// Command3 "Чисти": empties the four boxes and all seven columns; the form values and the
// chosen quota stay.
void ClearAll(FormState& state);

}  // namespace mandati
