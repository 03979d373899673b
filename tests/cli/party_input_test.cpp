#include "cli/party_input.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_errors.h"

namespace mandati::cli {
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
  } catch (const UsageError& error) {
    EXPECT_STREQ(error.what(),
                 "votes of party 3: \"3.5\" is not a whole number of votes from 1 to 2147483647");
  }
}

std::vector<Party> Read(const std::string& text) {
  std::istringstream in(text);
  return ReadParties(in, "parties.csv");
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

TEST(ReadPartiesTest, EmptyInputGivesNoParties) {
  EXPECT_TRUE(Read("").empty());
  EXPECT_TRUE(Read("\n  \n\r\n").empty());
}

TEST(ReadPartiesTest, BadLinesNameTheSourceAndTheLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"1\nx\n", "parties.csv, line 2: \"x\" is not a whole number of votes from 1 to 2147483647"},
      {"1\n\nА,\n",
       "parties.csv, line 3: \"\" is not a whole number of votes from 1 to 2147483647"},
      {"А,12 000\n",
       "parties.csv, line 1: \"12 000\" is not a whole number of votes from 1 to "
       "2147483647"},
      {"А,0\n", "parties.csv, line 1: \"0\" is not a whole number of votes from 1 to 2147483647"},
      {",5\n", "parties.csv, line 1: the name before the comma is empty"},
      {"a\"b,5\n", "parties.csv, line 1: the name has a stray double quote"},
      {"\"a\"b\",5\n", "parties.csv, line 1: the name has a stray double quote"},
      {"\xC3\x28,5\n", "parties.csv, line 1: the name is not UTF-8 text"},
      {"\xD0,5\n", "parties.csv, line 1: the name is not UTF-8 text"},
      {"\xED\xA0\x80,5\n", "parties.csv, line 1: the name is not UTF-8 text"},
  };
  for (const auto& c : cases) {
    try {
      Read(c.text);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const UsageError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
}

}  // namespace
}  // namespace mandati::cli
