// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/party_input.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "format/errors.h"
#include "format/limits.h"
#include "format/messages.h"
#include "format/utf8.h"

namespace mandati::format {

namespace {

std::string_view TrimmedBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

void RefuseUnsafeCharacters(std::string_view text, bool tab_allowed) {
  if (const auto refused = FirstRefusedCharacter(text, tab_allowed)) {
    throw InputError(
        Tr("the character {1} is not allowed (no control, invisible, private-use, unassigned or "
           "noncharacter)",
           CharacterName(*refused)));
  }
}

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

Party PartyOfLine(std::string_view line) {
  RefuseUnsafeCharacters(line, /*tab_allowed=*/true);
  line = TrimmedBlanks(line);
  const auto separator = SeparatorOf(line);
  const std::string_view votes_text =
      TrimmedBlanks(separator == std::string_view::npos ? line : line.substr(separator + 1));
  Party party;
  if (separator != std::string_view::npos) {
    const std::string_view name = TrimmedBlanks(line.substr(0, separator));
    if (!IsUtf8(name)) throw InputError("the name is not UTF-8 text");
    const auto plain = Unquoted(name);
    if (!plain) throw InputError("the name has a stray double quote");
    // Inside its quotes, so that a joiner before the closing quote joins nothing.
    RefuseUnsafeCharacters(*plain, /*tab_allowed=*/false);
    // "" and blanks in quotes are no more a name than nothing before the comma.
    if (TrimmedBlanks(*plain).empty()) throw InputError("the name before the votes is empty");
    if (!ShowsSomething(*plain)) {
      throw InputError(Tr("the name before the votes shows nothing, only blank characters"));
    }
    party.name = *plain;
  }
  const auto votes = StrictWholeNumber(votes_text, kMaxVotes);
  if (!votes) throw InputError(NotA(votes_text, VotesRule()));
  party.votes = *votes;
  return party;
}

}  // namespace

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
    const std::string where = "votes of party " + std::to_string(i + 1) + ": ";
    if (i == static_cast<std::size_t>(kMaxParties)) throw InputError(where + PartyCountLimit());
    const auto number = StrictWholeNumber(votes[i], kMaxVotes);
    if (!number) throw InputError(where + NotA(votes[i], VotesRule()));
    parties.push_back(Party{"", *number});
  }
  return parties;
}

std::vector<Party> ReadParties(Source& in, const std::string& source) {
  std::vector<Party> parties;
  std::string line;
  // The count stops at kMaxLines + 1, far inside an int.
  for (int line_number = 1;; ++line_number) {
    // The longest line may have a carriage return before its line feed.
    const Source::LineRead read = in.ReadLine(line, kMaxLineBytes + 1);
    if (read == Source::LineRead::kFailed) {
      throw InputError(in.Error() == 0 ? Tr("{1}: reading failed", source)
                                       : Tr("{1}: reading failed: {2}", source,
                                            std::string_view(std::strerror(in.Error()))));
    }
    if (read == Source::LineRead::kEnd) break;
    const auto refused = [&](std::string_view why) {
      return InputError(Tr("{1}, line {2}: {3}", source, std::to_string(line_number), why));
    };
    if (line_number > kMaxLines) throw refused(LineCountLimit());
    std::string_view text = line;
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (read == Source::LineRead::kTooLong || text.size() > kMaxLineBytes) {
      throw refused(LineLengthLimit());
    }
    if (line_number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (TrimmedBlanks(text).empty()) continue;
    if (parties.size() == static_cast<std::size_t>(kMaxParties)) throw refused(PartyCountLimit());
    try {
      parties.push_back(PartyOfLine(text));
    } catch (const InputError& error) {
      throw refused(error.what());
    }
  }
  return parties;
}

}  // namespace mandati::format
