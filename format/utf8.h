// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

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

// The C0 controls, DEL and the C1 controls: characters a terminal acts on instead of showing.
bool IsControl(char32_t code);

// Characters that no output format can carry safely: the controls; the noncharacters
// (U+FDD0..U+FDEF and the last two of every plane, U+FFFE and U+FFFF among them), which XML
// forbids; and the invisible formatting characters that hide text or reorder it on screen
// (zero-width spaces and joiners, direction marks, embeddings and overrides, isolates, the
// word joiner and invisible operators, U+FEFF).
bool IsUnsafe(char32_t code);

// A value from the command line or an input line as a message shows it: at most
// `max_characters` characters (then "..."), unsafe characters and bytes that are not UTF-8
// written as \xNN, so that it can neither drive a terminal nor flood it.
std::string Shown(std::string_view text, std::size_t max_characters = 32);

// Shown(text) in double quotes.
std::string Quoted(std::string_view text);

}  // namespace mandati::format
