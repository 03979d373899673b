// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/result_columns.h"

#include <array>
#include <cstddef>

#include "form/form_layout.h"

namespace mandati {

namespace {

consteval std::string_view LabelOf(std::string_view name, ControlKind kind) {
  return kFormLayout[RowOf(name, kind)].label;
}

// The names the window gives the party column, the result columns and the total.
constexpr std::string_view kPartyName = LabelOf("List1(0)", ControlKind::kListBox);
constexpr std::string_view kTotalName = LabelOf("Text3(1)", ControlKind::kTextBox);
constexpr std::array<std::string_view, kLastResultColumn - kFirstResultColumn + 1> kColumnNames{
    LabelOf("List1(1)", ControlKind::kListBox), LabelOf("List1(2)", ControlKind::kListBox),
    LabelOf("List1(3)", ControlKind::kListBox), LabelOf("List1(4)", ControlKind::kListBox)};

}  // namespace

int MarkedRow(const PartyTable& table, int column) {
  return IsResultColumn(column) ? table.PartyNumberColumn().SelectedRow()
                                : table.At(column).SelectedRow();
}

std::vector<std::string> ResultRowNames(const PartyTable& table, int column) {
  std::vector<std::string> names;
  if (!IsResultColumn(column)) return names;
  const TextColumn& rows = table.At(column);
  const TextColumn& parties = table.PartyNumberColumn();
  for (int k = 0; k < rows.RowCount() && k < parties.RowCount(); ++k) {
    names.push_back(std::string(kPartyName) + " " + parties.Row(k) + ": " + rows.Row(k));
  }
  return names;
}

std::string ResultColumnDescription(const std::vector<std::string>& names) {
  std::string description;
  for (const std::string& name : names) {
    if (!description.empty()) description += "; ";
    description += name;
  }
  return description;
}

std::string ResultsAnnouncement(const PartyTable& table, std::string_view total_text) {
  if (table.FinalSeatsColumn().Empty()) return {};
  std::string told = std::string(kTotalName) + " " + std::string(total_text) + ".";
  for (int column = kFirstResultColumn; column <= kLastResultColumn; ++column) {
    told += " ";
    told += kColumnNames[static_cast<std::size_t>(column - kFirstResultColumn)];
    told += ": " + ResultColumnDescription(ResultRowNames(table, column)) + ".";
  }
  return told;
}

}  // namespace mandati
