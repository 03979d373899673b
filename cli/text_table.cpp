#include "cli/text_table.h"

#include <algorithm>

namespace mandati::cli {

std::size_t DisplayWidth(std::string_view text) {
  // Continuation bytes (10xxxxxx) belong to the character before them.
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string PadRight(std::string_view text, std::size_t width) {
  std::string padded(text);
  const std::size_t shown = DisplayWidth(text);
  if (shown < width) padded.append(width - shown, ' ');
  return padded;
}

std::string PadLeft(std::string_view text, std::size_t width) {
  const std::size_t shown = DisplayWidth(text);
  std::string padded(shown < width ? width - shown : 0, ' ');
  padded += text;
  return padded;
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
    for (std::size_t c = 0; c < row.size(); ++c) {
      widths[c] = std::max(widths[c], DisplayWidth(row[c]));
    }
  }
  return widths;
}

std::string TextTable::Render() const {
  const std::vector<std::size_t> widths = Widths();
  std::string out;
  for (const auto& row : rows_) {
    std::string line;
    for (std::size_t c = 0; c < row.size(); ++c) {
      if (c > 0) line += gap_;
      line += aligns_[c] == Align::kLeft ? PadRight(row[c], widths[c]) : PadLeft(row[c], widths[c]);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + '\n';
  }
  return out;
}

}  // namespace mandati::cli
