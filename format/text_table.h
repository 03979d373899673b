// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "format/sink.h"

namespace mandati::format {

// How many places a text takes where it is shown. A terminal needs the Unicode rules of
// grapheme clusters and East Asian width (the companion's TerminalWidth); CharacterCount,
// one place a character, is right for the Latin, Greek and Cyrillic scripts and digits.
using WidthOf = std::size_t (*)(std::string_view text);

// The number of characters of a UTF-8 text (a byte that is not UTF-8 counts as one).
std::size_t CharacterCount(std::string_view text);

enum class Align { kLeft, kRight };

// Rows of cells in aligned columns: each column as wide as its widest cell, columns `gap`
// apart, no blanks at the end of a line.
class TextTable {
 public:
  explicit TextTable(std::vector<Align> aligns, WidthOf width = CharacterCount,
                     std::string gap = "  ")
      : aligns_(std::move(aligns)), width_(width), gap_(std::move(gap)) {}

  void AddRow(std::vector<std::string> cells);
  // Makes column `column` at least `width` places wide.
  void Widen(std::size_t column, std::size_t width);
  std::vector<std::size_t> Widths() const;
  std::string Render() const;
  // Render() written line by line.
  void Write(Sink& out) const;
  // One row laid out in columns of the given widths, for rows written as they come.
  std::string Line(const std::vector<std::string>& cells,
                   const std::vector<std::size_t>& widths) const;
  // `text` padded with blanks to `width` places, on the right.
  std::string PadRight(std::string_view text, std::size_t width) const;
  const std::string& Gap() const { return gap_; }
  WidthOf Width() const { return width_; }

 private:
  std::vector<Align> aligns_;
  WidthOf width_;
  std::string gap_;
  std::vector<std::vector<std::string>> rows_;
  std::vector<std::size_t> min_widths_;
};

}  // namespace mandati::format
