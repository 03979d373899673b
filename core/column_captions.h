// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's captions that the companion's tables and charts show too: the headings of its
// columns and the labels of its counts. The window's layout table (form/form_layout.h) and the
// formats (format/) both read them here, so that a table of mandati-cli heads its columns
// exactly as the window does.

#include <string_view>

namespace mandati {

enum class Caption {
  kParty,
  kVotes,
  kTotalVotes,
  kSeatCount,
  kPreliminarySeats,
  kFinalSeats,
  kQuotaRatio,
  kVoteShare,
};

struct CaptionText {
  Caption caption;
  std::string_view text;  // exactly as the window shows it
};

inline constexpr CaptionText kCaptions[] = {
    {Caption::kParty, "Партия"},
    {Caption::kVotes, "Гласували:"},
    {Caption::kTotalVotes, "Общо гл.:"},
    {Caption::kSeatCount, "Брой мандати:"},
    {Caption::kPreliminarySeats, "манд. предв."},
    {Caption::kFinalSeats, "манд. оконч."},
    {Caption::kQuotaRatio, "манд/квота"},
    {Caption::kVoteShare, "глас. %"},
};

constexpr std::string_view CaptionOf(Caption caption) {
  for (const CaptionText& entry : kCaptions) {
    if (entry.caption == caption) return entry.text;
  }
  return {};
}

// A caption as a column's heading, without the colon that ends a label: "Гласували".
constexpr std::string_view HeadingOf(Caption caption) {
  std::string_view text = CaptionOf(caption);
  if (text.ends_with(':')) text.remove_suffix(1);
  return text;
}

}  // namespace mandati
