// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/terminal_width.h"

#include <gtest/gtest.h>

namespace mandati::cli {
namespace {

TEST(TerminalWidthTest, GraphemeClustersAndEastAsianWidth) {
  const struct {
    const char* text;
    std::size_t width;
  } cases[] = {
      {"", 0},
      {"\u0412\u044A\u0437", 3},                   // Cyrillic letters, one place each
      {"\u4E2D\u6587", 4},                         // CJK ideographs take two places each
      {"\uFF21", 2},                               // a fullwidth Latin letter
      {"\U0001F5F3\uFE0F", 2},                     // an emoji by its variation selector
      {"\u0438\u0306", 1},                         // и with a combining breve
      {"e\u0301te\u0301", 3},                      // combining acute accents
      {"\U0001F468\u200D\U0001F469\u200D\U0001F467", 2},  // a family: one emoji sequence
      {"\U0001F1E7\U0001F1EC", 2},                 // a flag of two regional indicators
      {"\U0001F44D\U0001F3FD", 2},                 // an emoji with a skin tone
      {"\u1100\u1161\u11A8", 2},                   // a Hangul syllable of three jamo
      {"\u0915\u094D\u0937", 2},                   // Devanagari: a conjunct of two clusters
      {"a\xFF" "b", 3},                            // a byte that is not UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(TerminalWidth(c.text), c.width) << c.text;
}

}  // namespace
}  // namespace mandati::cli
