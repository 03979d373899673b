// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/text_table.h"

#include <algorithm>
#include <iterator>

#include "cli/utf8.h"

namespace mandati::cli {

namespace {

struct CodeRange {
  char32_t first;
  char32_t last;
};

// Characters that take no place of their own: the combining marks of the Latin, Greek,
// Cyrillic, Hebrew, Arabic, Devanagari and Thai scripts, variation selectors and the
// zero-width spaces, joiners and direction marks.
constexpr CodeRange kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x05BF, 0x05BF}, {0x05C1, 0x05C2},
    {0x05C4, 0x05C5}, {0x05C7, 0x05C7}, {0x0610, 0x061A}, {0x064B, 0x065F}, {0x0670, 0x0670},
    {0x06D6, 0x06DC}, {0x06DF, 0x06E4}, {0x06E7, 0x06E8}, {0x06EA, 0x06ED}, {0x0900, 0x0902},
    {0x093A, 0x093A}, {0x093C, 0x093C}, {0x0941, 0x0948}, {0x094D, 0x094D}, {0x0951, 0x0957},
    {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x2064}, {0x20D0, 0x20FF}, {0x302A, 0x302D},
    {0x3099, 0x309A}, {0xFE00, 0xFE0F}, {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF}, {0xE0100, 0xE01EF},
};

// Characters that take two places: East Asian wide and fullwidth forms and the emoji.
constexpr CodeRange kDoubleWidth[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4},
    {0x17000, 0x18CFF}, {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF},
    {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F251}, {0x1F300, 0x1F64F},
    {0x1F680, 0x1F6FF}, {0x1F7E0, 0x1F7EB}, {0x1F90C, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

template <std::size_t N>
bool InRanges(char32_t code, const CodeRange (&ranges)[N]) {
  const auto after = std::upper_bound(std::begin(ranges), std::end(ranges), code,
                                      [](char32_t c, const CodeRange& r) { return c < r.first; });
  return after != std::begin(ranges) && code <= std::prev(after)->last;
}

constexpr bool Ascending(const CodeRange* ranges, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (ranges[i].first > ranges[i].last) return false;
    if (i > 0 && ranges[i - 1].last >= ranges[i].first) return false;
  }
  return true;
}
static_assert(Ascending(kZeroWidth, std::size(kZeroWidth)));
static_assert(Ascending(kDoubleWidth, std::size(kDoubleWidth)));

}  // namespace

std::size_t DisplayWidth(std::string_view text) {
  std::size_t width = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const auto character = DecodeUtf8(text, pos);
    // A byte that is not UTF-8 shows as one replacement character.
    const char32_t code = character ? character->code : 0xFFFD;
    if (!InRanges(code, kZeroWidth)) width += InRanges(code, kDoubleWidth) ? 2 : 1;
    pos += character ? character->length : 1;
  }
  return width;
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
