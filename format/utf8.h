// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "format/unicode_table.h"

namespace mandati::format {

// One character of UTF-8 text: its code point and its length in bytes.
struct Utf8Char {
  char32_t code = 0;
  std::size_t length = 1;
};

// The character at `pos`; nullopt when the bytes there are not well-formed UTF-8 (overlong
// forms and surrogates included).
std::optional<Utf8Char> DecodeUtf8(std::string_view text, std::size_t pos);

bool IsUtf8(std::string_view text);

// The class of a code point in the character table (format/unicode_table.h).
CharacterClass ClassOf(char32_t code);

// A character that no output can carry safely on its own: anything but a visible character or
// a blank. Input allows a few of them inside a sequence (FirstRefusedCharacter), and messages
// escape them all.
bool IsUnsafe(char32_t code);

// A character as a message names it: its code point and name, "U+202E RIGHT-TO-LEFT OVERRIDE",
// the controls by their alias ("U+001B ESCAPE"); the code points without a name by their class,
// "U+0378 (unassigned)", "U+E000 (private use)", "U+FFFE (noncharacter)"; the visible
// characters and blanks, which the table does not name, by the code point alone.
std::string CharacterName(char32_t code);

// The first character that `text`, a name or an input line, may not hold; bytes that are not
// UTF-8 are left to the caller. Refused are the controls (a tab too unless `tab_allowed`), the
// formatting characters (Cf), the line and paragraph separators, the private-use, unassigned
// and noncharacter code points, and the other default-ignorable characters, which show nothing
// and so can hide text or reorder it on screen. Some of those carry emoji and words, and pass
// where they hide nothing:
// - the zero-width joiner and non-joiner between two characters that show (emoji sequences,
//   Persian and Indic words);
// - a variation selector right after a visible character (U+FE0F asks for the emoji form);
// - after U+1F3F4 WAVING BLACK FLAG, tag characters closed by U+E007F CANCEL TAG, which spell a
//   region's flag (Scotland, Wales); a tag anywhere else, and U+E0001 LANGUAGE TAG, is refused.
std::optional<char32_t> FirstRefusedCharacter(std::string_view text, bool tab_allowed);

// Whether `text` shows anything: a name of blanks alone (spaces, the no-break, ideographic and
// other spaces of Unicode, U+2800 BRAILLE PATTERN BLANK) looks empty. The default-ignorable
// characters show nothing either, but pass only beside a visible one.
bool ShowsSomething(std::string_view text);

// A value from the command line or an input line as a message shows it: at most
// `max_characters` characters (then "..."), unsafe characters (IsUnsafe) and bytes that are
// not UTF-8 written as \xNN, so that it can neither drive a terminal nor flood it.
std::string Shown(std::string_view text, std::size_t max_characters = 32);

// Shown(text) in double quotes.
std::string Quoted(std::string_view text);

}  // namespace mandati::format
