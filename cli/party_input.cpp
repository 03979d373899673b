#include "cli/party_input.h"

#include <string>

#include "cli/cli_errors.h"

namespace mandati::cli {

namespace {

std::string VotesRule() { return "a whole number of votes from 1 to " + std::to_string(kMaxVotes); }

std::string_view TrimmedBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Lead bytes and continuation bytes of well-formed UTF-8, overlong forms and surrogates
// excluded.
bool IsUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    unsigned min_second = 0x80, max_second = 0xBF;
    if (lead < 0x80) {
      extra = 0;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2;
      if (lead == 0xE0) min_second = 0xA0;
      if (lead == 0xED) max_second = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3;
      if (lead == 0xF0) min_second = 0x90;
      if (lead == 0xF4) max_second = 0x8F;
    } else {
      return false;
    }
    if (text.size() - i <= static_cast<std::size_t>(extra)) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      const unsigned low = k == 1 ? min_second : 0x80;
      const unsigned high = k == 1 ? max_second : 0xBF;
      if (byte < low || byte > high) return false;
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
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

Party PartyOfLine(std::string_view line) {
  const auto comma = line.rfind(',');
  const std::string_view votes_text =
      TrimmedBlanks(comma == std::string_view::npos ? line : line.substr(comma + 1));
  Party party;
  if (comma != std::string_view::npos) {
    const std::string_view name = TrimmedBlanks(line.substr(0, comma));
    if (name.empty()) throw UsageError("the name before the comma is empty");
    if (!IsUtf8(name)) throw UsageError("the name is not UTF-8 text");
    const auto plain = Unquoted(name);
    if (!plain) throw UsageError("the name has a stray double quote");
    party.name = *plain;
  }
  const auto votes = StrictWholeNumber(votes_text, kMaxVotes);
  if (!votes) {
    throw UsageError("\"" + std::string(votes_text) + "\" is not " + VotesRule());
  }
  party.votes = *votes;
  return party;
}

}  // namespace

std::optional<std::int32_t> StrictWholeNumber(std::string_view text, std::int32_t max) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > max) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::vector<Party> PartiesFromArguments(const std::vector<std::string>& votes) {
  std::vector<Party> parties;
  for (std::size_t i = 0; i < votes.size(); ++i) {
    const auto number = StrictWholeNumber(votes[i], kMaxVotes);
    if (!number) {
      throw UsageError("votes of party " + std::to_string(i + 1) + ": \"" + votes[i] +
                       "\" is not " + VotesRule());
    }
    parties.push_back(Party{"", *number});
  }
  return parties;
}

std::vector<Party> ReadParties(std::istream& in, const std::string& source) {
  std::vector<Party> parties;
  std::string line;
  for (int line_number = 1; std::getline(in, line); ++line_number) {
    std::string_view text = line;
    if (line_number == 1 && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    if (text.ends_with('\r')) text.remove_suffix(1);
    if (TrimmedBlanks(text).empty()) continue;
    try {
      parties.push_back(PartyOfLine(text));
    } catch (const UsageError& error) {
      throw UsageError(source + ", line " + std::to_string(line_number) + ": " + error.what());
    }
  }
  if (in.bad()) throw UsageError(source + ": reading failed");
  return parties;
}

}  // namespace mandati::cli
