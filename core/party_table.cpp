// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/party_table.h"

#include <algorithm>
#include <utility>

#include "core/errors.h"
#include "core/number_rules.h"

namespace mandati {

void TextColumn::Clear() {
  rows_.clear();
  selected_ = -1;
}

void TextColumn::Append(std::string text) {
  if (!sorted_) {
    rows_.push_back(std::move(text));
    return;
  }
  // After the rows it equals, so equal texts keep the order they came in.
  const auto place = std::upper_bound(rows_.begin(), rows_.end(), text, TextLess);
  if (selected_ >= place - rows_.begin()) ++selected_;
  rows_.insert(place, std::move(text));
}

void TextColumn::SetNewRow(int k, std::string text) {
  if (k != RowCount()) ThrowMissingRow(k);
  Append(std::move(text));
}

void TextColumn::SetSelectedRow(int k) {
  if (k != -1) CheckRow(k);
  selected_ = k;
}

void TextColumn::ThrowMissingRow(int k) const {
  throw MissingRowError("row " + std::to_string(k) + " of a column with " +
                        std::to_string(RowCount()) + " rows");
}

TextColumn& PartyTable::At(int index) {
  return const_cast<TextColumn&>(std::as_const(*this).At(index));
}

const TextColumn& PartyTable::At(int index) const {
  if (index < 0 || index >= kColumnCount) {
    throw MissingRowError("column " + std::to_string(index) + " of the party table");
  }
  return columns_[static_cast<std::size_t>(index)];
}

int PartyRow(double party_number) { return ToInt16(party_number - 1); }

}  // namespace mandati
