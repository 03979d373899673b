// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/party_table.h"
#include "format/sink.h"

namespace mandati::format {

// Longer input lines are refused as soon as they are seen, so that no input is held whole.
inline constexpr std::size_t kMaxLineBytes = 1024;
// Blank lines count too, so that no input, however long, is read to its end.
inline constexpr int kMaxLines = 10'000;

struct Party {
  std::string name;  // empty when the input gives none
  std::int32_t votes = 0;
};

// A whole number from 1 to `max`, written with ASCII digits only (leading zeros allowed): no
// sign, blank, decimal separator, digit grouping or exponent. Anything else gives nullopt.
std::optional<std::int32_t> StrictWholeNumber(std::string_view text, std::int32_t max);

// One party per argument, in party order, at most kMaxParties. Raises InputError naming the
// argument.
std::vector<Party> PartiesFromArguments(const std::vector<std::string>& votes);

// One party a line, "votes" or "name,votes", UTF-8, blanks around either field ignored;
// blank lines are skipped. The name is everything before the last comma, so it may hold
// commas; a name in double quotes loses them, with "" read as one quote, as spreadsheets
// write it. A row copied from a spreadsheet, "name<TAB>votes", is read the same way: a tab
// between the two fields with no comma after it separates them like the last comma, and the
// name before it may hold commas. The characters that FirstRefusedCharacter (format/utf8.h)
// names are refused, a tab allowed only between or around the fields, a byte order mark only at
// the start of the input; a name must show something, not blanks alone. Reading
// stops at a line beyond kMaxLineBytes, a party beyond kMaxParties or a line beyond kMaxLines.
// Raises InputError naming `source` and the line, or saying that reading failed.
std::vector<Party> ReadParties(Source& in, const std::string& source);

}  // namespace mandati::format
