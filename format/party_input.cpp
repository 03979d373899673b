// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/party_input.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "format/errors.h"
#include "format/limits.h"
#include "format/messages.h"
#include "format/utf8.h"

namespace mandati::format {

namespace {

// A name as a spreadsheet writes it: in double quotes when it holds a comma or a quote.
std::optional<std::string> Unquoted(std::string_view name) {
  if (name.size() < 2 || name.front() != '"' || name.back() != '"') {
    if (name.find('"') != std::string_view::npos) return std::nullopt;
    return std::string(name);
  }
  std::string plain;
  for (std::size_t i = 1; i + 1 < name.size(); ++i) {
    if (name[i] == '"') {
      if (i + 2 >= name.size() || name[i + 1] != '"') return std::nullopt;
      ++i;
    }
    plain += name[i];
  }
  return plain;
}

// Where the name ends and the votes begin: at the last comma, or at the last tab between two
// fields (a row pasted from a spreadsheet) where no comma follows it and the name before it
// may then hold commas. A tab beside a comma is a blank around the field.
std::size_t SeparatorOf(std::string_view line) {
  const auto comma = line.rfind(',');
  const auto tab = line.rfind('\t');
  if (tab == std::string_view::npos) return comma;
  if (comma != std::string_view::npos &&
      (comma > tab || TrimmedBlanks(line.substr(comma + 1, tab - comma - 1)).empty())) {
    return comma;
  }
  return tab;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// The digits that end `name` after a comma, if it ends so: "642" of "GERB-SDS,642".
std::optional<std::string_view> TrailingNumber(std::string_view name) {
  const auto comma = name.rfind(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const std::string_view digits = TrimmedBlanks(name.substr(comma + 1));
  if (!AllDigits(digits)) return std::nullopt;
  return digits;
}

// A name that ends in a comma and digits is a number split at its thousands separator, or a
// column too many, either of which would otherwise be read silently wrong.
void RefuseNumbersInTheName(std::string_view name, std::string_view votes_text) {
  const auto digits = TrailingNumber(name);
  if (!digits) return;
  if (digits->size() <= 3 && votes_text.size() == 3) {
    const std::string grouped = std::string(*digits) + "," + std::string(votes_text);
    throw InputError(
        Tr("\"{1}\" reads as votes grouped in thousands: write them with digits "
           "only, {2} (a name that ends in a comma and digits goes in double quotes)",
           grouped, std::string(*digits) + std::string(votes_text)));
  }
  throw InputError(
      Tr("the name {1} ends in a comma and digits, like a field too many: official seats go in "
         "a third field only in a file with \"# key: value\" lines (a name that ends so goes "
         "in double quotes)",
         Quoted(name)));
}

Party PartyOfLine(std::string_view line) {
  RefuseUnsafeCharacters(line, /*tab_allowed=*/true);
  line = TrimmedBlanks(line);
  const auto separator = SeparatorOf(line);
  const std::string_view votes_text =
      TrimmedBlanks(separator == std::string_view::npos ? line : line.substr(separator + 1));
  Party party;
  if (separator != std::string_view::npos) {
    const std::string_view name = TrimmedBlanks(line.substr(0, separator));
    if (!IsUtf8(name)) throw InputError(Tr("the name is not UTF-8 text"));
    const auto plain = Unquoted(name);
    if (!plain) throw InputError(Tr("the name has a stray double quote"));
    // Inside its quotes, so that a joiner before the closing quote joins nothing.
    RefuseUnsafeCharacters(*plain, /*tab_allowed=*/false);
    // "" and blanks in quotes are no more a name than nothing before the comma.
    if (TrimmedBlanks(*plain).empty()) throw InputError(Tr("the name before the votes is empty"));
    if (!ShowsSomething(*plain)) {
      throw InputError(Tr("the name before the votes shows nothing, only blank characters"));
    }
    party.name = *plain;
    // After a tab the fields are told apart whatever the name holds.
    if (name.front() != '"' && line[separator] == ',') RefuseNumbersInTheName(name, votes_text);
  }
  const auto votes = StrictWholeNumber(votes_text, kMaxVotes);
  if (!votes) throw InputError(NotA(votes_text, VotesRule()));
  party.votes = *votes;
  return party;
}

// The line without its third field of official seats, and those seats, when it ends in two
// fields of digits.
std::pair<std::string_view, std::optional<std::string_view>> SplitSeatsField(
    std::string_view line) {
  const std::string_view trimmed = TrimmedBlanks(line);
  const auto last = SeparatorOf(trimmed);
  if (last == std::string_view::npos) return {line, std::nullopt};
  const std::string_view seats = TrimmedBlanks(trimmed.substr(last + 1));
  const std::string_view rest = TrimmedBlanks(trimmed.substr(0, last));
  const auto before = SeparatorOf(rest);
  if (!AllDigits(seats) || before == std::string_view::npos ||
      !AllDigits(TrimmedBlanks(rest.substr(before + 1)))) {
    return {line, std::nullopt};
  }
  return {rest, seats};
}

}  // namespace

void RefuseUnsafeCharacters(std::string_view text, bool tab_allowed) {
  if (const auto refused = FirstRefusedCharacter(text, tab_allowed)) {
    throw InputError(
        Tr("the character {1} is not allowed (no control, invisible, private-use, unassigned or "
           "noncharacter)",
           CharacterName(*refused)));
  }
}

std::string_view TrimmedBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsHeaderLine(std::string_view line) {
  const std::string_view trimmed = TrimmedBlanks(line);
  const auto separator = SeparatorOf(trimmed);
  if (separator == std::string_view::npos) return false;
  const std::string_view votes = TrimmedBlanks(trimmed.substr(separator + 1));
  return !votes.empty() && votes.find_first_of("0123456789") == std::string_view::npos;
}

PartyLine ReadPartyLine(std::string_view line, bool seats_column) {
  PartyLine read;
  if (seats_column) {
    RefuseUnsafeCharacters(line, /*tab_allowed=*/true);
    const auto [party, seats] = SplitSeatsField(line);
    if (seats) {
      // Digits only, so all zeros or a number from 1.
      const bool zero = seats->find_first_not_of('0') == std::string_view::npos;
      const auto number =
          zero ? std::optional<std::int32_t>(0) : StrictWholeNumber(*seats, kMaxSeats);
      if (!number) {
        throw InputError(Tr("{1} is not a whole number of seats from 0 to {2}", Quoted(*seats),
                            std::to_string(kMaxSeats)));
      }
      read.official_seats = *number;
      line = party;
    }
  }
  read.party = PartyOfLine(line);
  return read;
}

std::optional<std::string_view> LineReader::Next() {
  // The longest line may have a carriage return before its line feed.
  const Source::LineRead read = in_.ReadLine(line_, kMaxLineBytes + 1);
  if (read == Source::LineRead::kFailed) {
    throw InputError(in_.Error() == 0 ? Tr("{1}: reading failed", source_)
                                      : Tr("{1}: reading failed: {2}", source_,
                                           std::string_view(std::strerror(in_.Error()))));
  }
  if (read == Source::LineRead::kEnd) return std::nullopt;
  // The count stops at kMaxLines + 1, far inside an int.
  ++line_number_;
  if (line_number_ > kMaxLines) {
    throw Refused(LineCountLimit());
  }
  std::string_view text = line_;
  if (text.ends_with('\r')) text.remove_suffix(1);
  if (read == Source::LineRead::kTooLong || text.size() > kMaxLineBytes) {
    throw Refused(LineLengthLimit());
  }
  if (line_number_ == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  return text;
}

InputError LineReader::Refused(std::string_view why) const {
  return InputError(Tr("{1}, line {2}: {3}", source_, std::to_string(line_number_), why));
}

std::optional<std::int32_t> StrictWholeNumber(std::string_view text, std::int32_t max) {
  if (text.empty()) return std::nullopt;
  // Leading zeros are dropped, so they never change the verdict; past ten digits the value
  // is beyond any limit.
  const std::string_view digits =
      text.substr(std::min(text.find_first_not_of('0'), text.size() - 1));
  if (digits.size() > 10) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > max) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::vector<Party> PartiesFromArguments(const std::vector<std::string>& votes) {
  std::vector<Party> parties;
  for (std::size_t i = 0; i < votes.size(); ++i) {
    const std::string party = std::to_string(i + 1);
    if (i == static_cast<std::size_t>(kMaxParties)) {
      throw InputError(Tr("votes of party {1}: {2}", party, PartyCountLimit()));
    }
    const auto number = StrictWholeNumber(votes[i], kMaxVotes);
    if (!number)
      throw InputError(Tr("votes of party {1}: {2}", party, NotA(votes[i], VotesRule())));
    parties.push_back(Party{"", *number});
  }
  return parties;
}

std::vector<Party> ReadParties(Source& in, const std::string& source) {
  std::vector<Party> parties;
  LineReader lines(in, source);
  bool first = true;
  while (const auto text = lines.Next()) {
    if (TrimmedBlanks(*text).empty()) continue;
    if (std::exchange(first, false) && IsHeaderLine(*text)) continue;
    if (parties.size() == static_cast<std::size_t>(kMaxParties)) {
      throw lines.Refused(PartyCountLimit());
    }
    try {
      parties.push_back(PartyOfLine(*text));
    } catch (const InputError& error) {
      throw lines.Refused(error.what());
    }
  }
  return parties;
}

}  // namespace mandati::format
