// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mandati::cli {

// The width of a UTF-8 text on a terminal: one place for most characters (Latin, Cyrillic,
// digits, signs), two for East Asian wide characters and emoji, none for combining marks
// and zero-width characters.
std::size_t DisplayWidth(std::string_view text);

// A text padded with blanks to `width` places, on the right (left-aligned) or on the left.
std::string PadRight(std::string_view text, std::size_t width);
std::string PadLeft(std::string_view text, std::size_t width);

enum class Align { kLeft, kRight };

// Rows of cells in aligned columns: each column as wide as its widest cell, columns `gap`
// apart, no blanks at the end of a line.
class TextTable {
 public:
  explicit TextTable(std::vector<Align> aligns, std::string gap = "  ")
      : aligns_(std::move(aligns)), gap_(std::move(gap)) {}

  void AddRow(std::vector<std::string> cells);
  // Makes column `column` at least `width` places wide.
  void Widen(std::size_t column, std::size_t width);
  std::vector<std::size_t> Widths() const;
  std::string Render() const;
  const std::string& Gap() const { return gap_; }

 private:
  std::vector<Align> aligns_;
  std::string gap_;
  std::vector<std::vector<std::string>> rows_;
  std::vector<std::size_t> min_widths_;
};

}  // namespace mandati::cli
