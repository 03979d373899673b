// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/party_input.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "format/errors.h"
#include "format/sink.h"

namespace mandati::format {
namespace {

TEST(StrictWholeNumberTest, AcceptsOnlyPlainDigitsInRange) {
  const struct {
    const char* text;
    std::int32_t max;
    std::optional<std::int32_t> expected;
  } cases[] = {
      {"1", kMaxVotes, 1},
      {"58125", kMaxVotes, 58125},
      {"2147483647", kMaxVotes, 2147483647},
      {"007", kMaxVotes, 7},
      {"000000000001", kMaxVotes, 1},
      {"0000000000001", kMaxVotes, 1},  // leading zeros never change the verdict
      {"00000000002147483647", kMaxVotes, 2147483647},
      {"2147483648", kMaxVotes, std::nullopt},
      {"99999999999999999999", kMaxVotes, std::nullopt},
      {"0", kMaxVotes, std::nullopt},
      {"", kMaxVotes, std::nullopt},
      {"-5", kMaxVotes, std::nullopt},
      {"+5", kMaxVotes, std::nullopt},
      {" 5", kMaxVotes, std::nullopt},
      {"5 ", kMaxVotes, std::nullopt},
      {"5.0", kMaxVotes, std::nullopt},
      {"5,000", kMaxVotes, std::nullopt},
      {"1e3", kMaxVotes, std::nullopt},
      {"0x10", kMaxVotes, std::nullopt},
      {"32767", kMaxSeats, 32767},
      {"32768", kMaxSeats, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StrictWholeNumber(c.text, c.max), c.expected) << '"' << c.text << '"';
  }
}

TEST(PartiesFromArgumentsTest, OnePartyPerArgumentInOrder) {
  const auto parties = PartiesFromArguments({"58125", "45871", "1"});
  ASSERT_EQ(parties.size(), 3u);
  EXPECT_EQ(parties[0].votes, 58125);
  EXPECT_EQ(parties[2].votes, 1);
  EXPECT_EQ(parties[1].name, "");
}

TEST(PartiesFromArgumentsTest, NamesThePartyOfABadArgument) {
  try {
    PartiesFromArguments({"10", "20", "3.5"});
    FAIL() << "no error";
  } catch (const InputError& error) {
    EXPECT_STREQ(error.what(),
                 "votes of party 3: \"3.5\" is not a whole number of votes from 1 to 2147483647");
  }
}

// Serves `text` in pieces of `piece_bytes`, again and again when `endless`, counting the bytes
// served, and fails with a read error once `fail_after` bytes are served.
class PiecewiseSource : public Source {
 public:
  PiecewiseSource(std::string text, std::size_t piece_bytes, bool endless = false,
                  std::size_t fail_after = SIZE_MAX)
      : text_(std::move(text)),
        piece_bytes_(piece_bytes),
        endless_(endless),
        fail_after_(fail_after) {}
  std::size_t BytesServed() const { return served_; }

 protected:
  std::optional<std::string_view> Piece() override {
    if (served_ >= fail_after_) return std::nullopt;
    if (endless_ && at_ == text_.size()) at_ = 0;
    const std::string_view piece = std::string_view(text_).substr(at_, piece_bytes_);
    at_ += piece.size();
    served_ += piece.size();
    return piece;
  }

 private:
  std::string text_;
  std::size_t piece_bytes_;
  bool endless_;
  std::size_t fail_after_;
  std::size_t at_ = 0;
  std::size_t served_ = 0;
};

// Pieces of 3 bytes, so that lines, line ends and characters are split between them.
std::vector<Party> Read(const std::string& text) {
  PiecewiseSource in(text, 3);
  return ReadParties(in, "parties.csv");
}

std::string ReadError(const std::string& text) {
  try {
    Read(text);
  } catch (const InputError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ReadPartiesTest, VotesAloneOrNameAndVotes) {
  const auto parties = Read(
      "\xEF\xBB\xBF"  // the byte order mark some spreadsheets write
      "ГЕРБ-СДС,58125\r\n"
      "\n"
      "  ДПС ,\t27142  \n"
      "   \n"
      "12264\n"
      "\"Коалиция \"\"А, Б\"\"\",45871\n"
      "Лява, дясна,100");
  ASSERT_EQ(parties.size(), 5u);
  EXPECT_EQ(parties[0].name, "ГЕРБ-СДС");
  EXPECT_EQ(parties[0].votes, 58125);
  EXPECT_EQ(parties[1].name, "ДПС");
  EXPECT_EQ(parties[1].votes, 27142);
  EXPECT_EQ(parties[2].name, "");
  EXPECT_EQ(parties[2].votes, 12264);
  EXPECT_EQ(parties[3].name, "Коалиция \"А, Б\"");
  EXPECT_EQ(parties[4].name, "Лява, дясна");
  EXPECT_EQ(parties[4].votes, 100);
}

// Rows copied from a spreadsheet: a tab between the fields separates them unless a comma
// follows it, so a name may hold commas there; a tab beside a comma is a blank.
TEST(ReadPartiesTest, SpreadsheetRowsSeparateAtTheTab) {
  const struct {
    const char* line;
    const char* name;
    std::int32_t votes;
  } cases[] = {
      {"Зелени\t27142", "Зелени", 27142},
      {"Напред, България\t45871", "Напред, България", 45871},
      {"\"А \"\"Б\"\"\"\t7", "А \"Б\"", 7},
      {"ДПС,\t100\t", "ДПС", 100},
      {"\t12264", "", 12264},
  };
  for (const auto& c : cases) {
    const auto parties = Read(c.line);
    ASSERT_EQ(parties.size(), 1u) << c.line;
    EXPECT_EQ(parties[0].name, c.name);
    EXPECT_EQ(parties[0].votes, c.votes);
  }
}

TEST(ReadPartiesTest, EmptyInputGivesNoParties) {
  EXPECT_TRUE(Read("").empty());
  EXPECT_TRUE(Read("\n  \n\r\n").empty());
}

TEST(ReadPartiesTest, BadLinesNameTheSourceAndTheLine) {
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {"1\nx\n", "parties.csv, line 2: \"x\" is not a whole number of votes from 1 to 2147483647"},
      {"1\n\nА,\n",
       "parties.csv, line 3: \"\" is not a whole number of votes from 1 to 2147483647"},
      {"А,12 000\n",
       "parties.csv, line 1: \"12 000\" is not a whole number of votes from 1 to "
       "2147483647"},
      {"А,0\n", "parties.csv, line 1: \"0\" is not a whole number of votes from 1 to 2147483647"},
      {",5\n", "parties.csv, line 1: the name before the votes is empty"},
      {"a\"b,5\n", "parties.csv, line 1: the name has a stray double quote"},
      {"\"a\"b\",5\n", "parties.csv, line 1: the name has a stray double quote"},
      {"\xC3\x28,5\n", "parties.csv, line 1: the name is not UTF-8 text"},
      {"\xD0,5\n", "parties.csv, line 1: the name is not UTF-8 text"},
      {"\xED\xA0\x80,5\n", "parties.csv, line 1: the name is not UTF-8 text"},
      {"\"\",5\n", "parties.csv, line 1: the name before the votes is empty"},
      {"\" \",5\n", "parties.csv, line 1: the name before the votes is empty"},
  };
  for (const auto& c : cases) {
    try {
      Read(c.text);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const InputError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

// A refused character is named in the message, wherever it is in the line; which characters
// are refused is format/utf8.h's decision (utf8_test.cpp).
TEST(ReadPartiesTest, RefusedCharactersAreNamed) {
  const struct {
    std::string text;
    const char* message;
  } cases[] = {
      {"\u202EАБВ,5\n", "line 1: the character U+202E RIGHT-TO-LEFT OVERRIDE"},
      {std::string("1\0002\n", 4), "line 1: the character U+0000 NULL"},
      {"А,5\u200D\n", "line 1: the character U+200D ZERO WIDTH JOINER"},  // in the votes too
      {"1\n\uFEFFА,5\n", "line 2: the character U+FEFF ZERO WIDTH NO-BREAK SPACE"},
      {"А\tБ,5\n", "line 1: the character U+0009 CHARACTER TABULATION"},      // a tab in a name
      {"\"А\u200D\",5\n", "line 1: the character U+200D ZERO WIDTH JOINER"},  // joins no letter
      {"А\u0378,5\n", "line 1: the character U+0378 (unassigned)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadError(c.text), std::string("parties.csv, ") + c.message +
                                     " is not allowed (no control, invisible, private-use, "
                                     "unassigned or noncharacter)");
  }
  EXPECT_EQ(Read("\U0001F468\u200D\U0001F469,1\n\"\u2764\uFE0F\",1\n").size(), 2u);
}

TEST(ReadPartiesTest, ANameMustShowSomething) {
  for (const char* blank : {"\u00A0,5\n", "\"\u3000\u2800\",5\n"}) {
    EXPECT_EQ(ReadError(blank),
              "parties.csv, line 1: the name before the votes shows nothing, only blank "
              "characters");
  }
}

std::string ErrorOf(Source& in) {
  try {
    ReadParties(in, "standard input");
  } catch (const InputError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ReadPartiesTest, StopsAtTheFirstPartyBeyondTheLimit) {
  PiecewiseSource endless("1\n", 4096, /*endless=*/true);
  EXPECT_EQ(ErrorOf(endless),
            "standard input, line 1000: more than 999 parties, the most that can be calculated");
  EXPECT_LT(endless.BytesServed(), 2100u);
}

TEST(ReadPartiesTest, BlankLinesCountTowardTheLimitOfLines) {
  StringSource in(std::string(static_cast<std::size_t>(kMaxLines) - 1, '\n') + "5\n\n");
  EXPECT_EQ(ErrorOf(in),
            "standard input, line 10001: more than 10000 lines (blank ones included), the most "
            "that are read");
  StringSource within(std::string(static_cast<std::size_t>(kMaxLines) - 1, '\n') + "5\n");
  EXPECT_EQ(ReadParties(within, "standard input").size(), 1u);
}

TEST(ReadPartiesTest, RefusesALongLineAsSoonAsItIsSeen) {
  PiecewiseSource in("1\n" + std::string(1025, '7') + std::string(100'000, ' '), 100);
  EXPECT_EQ(ErrorOf(in), "standard input, line 2: longer than 1024 bytes");
  EXPECT_LT(in.BytesServed(), 1200u);
  StringSource longest(std::string(1023, ' ') + "7\r\n");
  EXPECT_EQ(ReadParties(longest, "standard input").size(), 1u);
}

TEST(ReadPartiesTest, AReadErrorPartWayIsNoEndOfInput) {
  PiecewiseSource failing("1\n", 8, /*endless=*/true, /*fail_after=*/100);
  EXPECT_EQ(ErrorOf(failing), "standard input: reading failed");
}

TEST(ReadPartiesTest, QuotesAShortPrefixOfALongValue) {
  StringSource in(std::string(1000, '9') + "x\n");
  const std::string message = ErrorOf(in);
  EXPECT_EQ(message, "standard input, line 1: \"" + std::string(32, '9') +
                         "...\" is not a whole number of votes from 1 to 2147483647");
}

// Numbers copied from a page that groups thousands, and a field too many, are never read as
// part of a name; in quotes such a name is a name.
TEST(ReadPartiesTest, ANameThatEndsInACommaAndDigitsIsRefused) {
  EXPECT_EQ(ReadError("GERB-SDS,642,931\n"),
            "parties.csv, line 1: \"642,931\" reads as votes grouped in thousands: write them "
            "with digits only, 642931 (a name that ends in a comma and digits goes in double "
            "quotes)");
  EXPECT_EQ(ReadError("ГЕРБ,1,234,567\n").substr(0, 33), "parties.csv, line 1: \"234,567\" re");
  EXPECT_EQ(ReadError("GERB,642931,69\n").substr(0, 46),
            "parties.csv, line 1: the name \"GERB,642931\" en");
  const auto parties = Read("\"GERB,642\",931\nЛява, дясна,100\nА,1\t5\n");
  ASSERT_EQ(parties.size(), 3u);
  EXPECT_EQ(parties[0].name, "GERB,642");
  EXPECT_EQ(parties[2].name, "А,1");
}

TEST(ReadPartiesTest, OnlyTheFirstLineMayBeAHeader) {
  EXPECT_EQ(Read("\nname,votes\nА,5\n").size(), 1u);
  EXPECT_EQ(Read("Партия\tГласове\nА\t5\n").size(), 1u);
  EXPECT_EQ(ReadError("А,5\nname,votes\n"),
            "parties.csv, line 2: \"votes\" is not a whole number of votes from 1 to 2147483647");
  EXPECT_EQ(ReadError("А,12x\n"),
            "parties.csv, line 1: \"12x\" is not a whole number of votes from 1 to 2147483647");
}

TEST(ReadPartyLineTest, AThirdFieldOfSeatsWhereAllowed) {
  const struct {
    const char* line;
    const char* name;
    std::int32_t votes;
    std::optional<std::int32_t> seats;
  } cases[] = {
      {"А,100,5", "А", 100, 5},
      {"А,100,0", "А", 100, 0},
      {"\"А, Б\",100,00", "А, Б", 100, 0},
      {"А\t100\t5", "А", 100, 5},
      {"А,100", "А", 100, std::nullopt},
      {"100", "", 100, std::nullopt},
  };
  for (const auto& c : cases) {
    const PartyLine read = ReadPartyLine(c.line, /*seats_column=*/true);
    EXPECT_EQ(read.party.name, c.name) << c.line;
    EXPECT_EQ(read.party.votes, c.votes) << c.line;
    EXPECT_EQ(read.official_seats, c.seats) << c.line;
  }
  EXPECT_THROW(ReadPartyLine("А,100,32768", true), InputError);
  EXPECT_THROW(ReadPartyLine("А,1,234,5", true), InputError);
}

}  // namespace
}  // namespace mandati::format
