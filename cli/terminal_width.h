// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace mandati::cli {

// The width of a UTF-8 text on a terminal, from the Unicode character database (utf8proc):
// each grapheme cluster (a letter with its combining marks, an emoji sequence joined by
// zero-width joiners, a flag of two regional indicators) takes the width of its widest
// character, two places for East Asian wide and fullwidth characters and emoji, and two for
// a cluster shown as an emoji by U+FE0F or made of regional indicators. A byte that is not
// UTF-8 shows as one replacement character.
std::size_t TerminalWidth(std::string_view text);

}  // namespace mandati::cli
