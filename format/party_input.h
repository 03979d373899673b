// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/party_table.h"
#include "format/errors.h"
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
// blank lines are skipped, and so is a header: the first line that is not blank, when its
// votes field holds no digit ("name,votes"). The name is everything before the last comma, so it
// may hold commas; a name in double quotes loses them, with "" read as one quote, as spreadsheets
// write it. A row copied from a spreadsheet, "name<TAB>votes", is read the same way: a tab
// between the two fields with no comma after it separates them like the last comma, and the
// name before it may hold commas. A name that ends in a comma and digits outside double quotes
// is refused: "GERB,642,931" is a number grouped in thousands (or, in a file without
// "# key: value" lines, a third column) that would otherwise be read as the party
// "GERB,642" with 931 votes. The characters that FirstRefusedCharacter (format/utf8.h)
// names are refused, a tab allowed only between or around the fields, a byte order mark only at
// the start of the input; a name must show something, not blanks alone. Reading
// stops at a line beyond kMaxLineBytes, a party beyond kMaxParties or a line beyond kMaxLines.
// Raises InputError naming `source` and the line, or saying that reading failed.
std::vector<Party> ReadParties(Source& in, const std::string& source);

// The lines of one input within the limits every reader of party lines keeps: lines beyond
// kMaxLineBytes or kMaxLines, and a failed read, raise InputError naming `source` and the
// line. A carriage return before the line feed and the byte order mark at the start are
// dropped.
class LineReader {
 public:
  LineReader(Source& in, std::string source) : in_(in), source_(std::move(source)) {}
  // The next line, valid until the next call; nullopt at the end of the input.
  std::optional<std::string_view> Next();
  int LineNumber() const { return line_number_; }
  // The refusal of the current line: "<source>, line <n>: <why>".
  InputError Refused(std::string_view why) const;
  const std::string& SourceName() const { return source_; }

 private:
  Source& in_;
  std::string source_;
  std::string line_;
  int line_number_ = 0;
};

// One party line, read as ReadParties reads it, with a third field for the official seats
// where `seats_column` allows it: "name,votes,seats" (or tabs between the fields), the seats
// a whole number from 0 to kMaxSeats. A line has the third field when it ends in two fields of
// digits; a name that would end in a comma and digits without it is refused as above.
// Raises InputError saying what is wrong, without the line's place.
struct PartyLine {
  Party party;
  std::optional<std::int32_t> official_seats;
};
PartyLine ReadPartyLine(std::string_view line, bool seats_column);

// Whether `line` is a header: a votes field (after the last separator) without a digit.
bool IsHeaderLine(std::string_view line);

// Raises InputError naming the first character of `text` that no format can carry safely
// (FirstRefusedCharacter); a tab passes where `tab_allowed`.
void RefuseUnsafeCharacters(std::string_view text, bool tab_allowed);

// "" for blanks alone.
std::string_view TrimmedBlanks(std::string_view text);

}  // namespace mandati::format
