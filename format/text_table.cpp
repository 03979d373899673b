// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/text_table.h"

#include <algorithm>

#include "format/utf8.h"

namespace mandati::format {

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); ++count) {
    const auto character = DecodeUtf8(text, pos);
    pos += character ? character->length : 1;
  }
  return count;
}

void TextTable::AddRow(std::vector<std::string> cells) {
  cells.resize(aligns_.size());
  rows_.push_back(std::move(cells));
}

void TextTable::Widen(std::size_t column, std::size_t width) {
  if (min_widths_.size() < aligns_.size()) min_widths_.resize(aligns_.size());
  min_widths_[column] = std::max(min_widths_[column], width);
}

std::vector<std::size_t> TextTable::Widths() const {
  std::vector<std::size_t> widths = min_widths_;
  widths.resize(aligns_.size());
  for (const auto& row : rows_) {
    for (std::size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], width_(row[c]));
  }
  return widths;
}

std::string TextTable::PadRight(std::string_view text, std::size_t width) const {
  std::string padded(text);
  const std::size_t shown = width_(text);
  if (shown < width) padded.append(width - shown, ' ');
  return padded;
}

std::string TextTable::Line(const std::vector<std::string>& cells,
                            const std::vector<std::size_t>& widths) const {
  std::string line;
  for (std::size_t c = 0; c < cells.size() && c < aligns_.size(); ++c) {
    if (c > 0) line += gap_;
    const std::size_t shown = width_(cells[c]);
    const std::size_t fill = shown < widths[c] ? widths[c] - shown : 0;
    if (aligns_[c] == Align::kRight) line.append(fill, ' ');
    line += cells[c];
    if (aligns_[c] == Align::kLeft) line.append(fill, ' ');
  }
  line.erase(line.find_last_not_of(' ') + 1);
  return line + '\n';
}

void TextTable::Write(Sink& out) const {
  const std::vector<std::size_t> widths = Widths();
  for (const auto& row : rows_) out << Line(row, widths);
}

std::string TextTable::Render() const {
  const std::vector<std::size_t> widths = Widths();
  std::string out;
  for (const auto& row : rows_) out += Line(row, widths);
  return out;
}

}  // namespace mandati::format
