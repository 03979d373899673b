// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/election_file.h"

#include <gtest/gtest.h>

#include <string>

#include "format/errors.h"
#include "format/request.h"

namespace mandati::format {
namespace {

Election Read(const std::string& text) {
  StringSource in(text);
  return ReadElection(in, "e.csv", CheckOptionValue);
}

std::string ErrorOf(const std::string& text) {
  try {
    Read(text);
  } catch (const InputError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ReadElectionTest, KeysDescribeTheElectionAndStandForOptions) {
  const Election election = Read(
      "# title: Избори\n# date: 2021-07-11\n# source: https://example.org/a\n# note: one\n"
      "# note: two\n# seats: 7\n#method:hare-niemeyer\n# exempt: Б\n# exempt: В\n"
      "name,votes,seats\nА,100,4\n\"Б, В\",50,3\n");
  EXPECT_TRUE(election.has_keys);
  EXPECT_EQ(election.title, "Избори");
  EXPECT_EQ(election.date, "2021-07-11");
  EXPECT_EQ(election.source, "https://example.org/a");
  EXPECT_EQ(election.notes, (std::vector<std::string>{"one", "two"}));
  ASSERT_EQ(election.districts.size(), 1u);
  const ElectionDistrict& district = election.districts.front();
  ASSERT_EQ(district.options.size(), 4u);
  EXPECT_EQ(district.options[1].option, "--method");
  EXPECT_EQ(district.options[1].value, "hare-niemeyer");
  EXPECT_EQ(district.options[1].line, 7);
  EXPECT_EQ(district.parties[1].name, "Б, В");
  EXPECT_EQ(district.official_seats, (std::vector<std::int32_t>{4, 3}));
}

TEST(ReadElectionTest, AFileWithoutKeysIsAListOfParties) {
  const Election election = Read("А,100\n50\n");
  EXPECT_FALSE(election.has_keys);
  EXPECT_TRUE(election.districts.front().official_seats.empty());
  EXPECT_EQ(ErrorOf("А,100,5\n").substr(0, 23), "e.csv, line 1: the name");
}

TEST(ReadElectionTest, DistrictsTakeTheFileKeysUnlessTheyGiveTheirOwn) {
  const Election election = Read(
      "# seats: 5\n# ties: votes\n# district: Север\nА,10\nБ,20\n"
      "# district: Юг\n# seats: 3\nА,30\nВ,5\n");
  ASSERT_EQ(election.districts.size(), 2u);
  const auto options = [](const ElectionDistrict& district) {
    std::string text;
    for (const FileOption& option : district.options) {
      text += std::string(option.option) + "=" + option.value + " ";
    }
    return text;
  };
  EXPECT_EQ(election.districts[0].name, "Север");
  EXPECT_EQ(options(election.districts[0]), "--seats=5 --ties=votes ");
  EXPECT_EQ(options(election.districts[1]), "--ties=votes --seats=3 ");
  EXPECT_EQ(election.districts[1].parties[1].name, "В");
}

TEST(ReadElectionTest, RefusalsNameTheLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"# colour: red\n", "e.csv, line 1: \"# colour: red\" is no key of an election file"},
      {"# seats: 5\n# seats: 6\n", "e.csv, line 2: seats: given twice (first on line 1)"},
      {"# threshold: 4x\n", "e.csv, line 1: --threshold: \"4x\" is not a share"},
      {"А,1\n# seats: 5\n", "e.csv, line 2: seats: the keys go before the parties"},
      {"# seats: 5\nА,1,3\nБ,2\n",
       "e.csv, line 3: no official seats in a third field, as line 2 gives them"},
      {"# district: А\nБ,1\n# title: x\n", "e.csv, line 3: title: goes before the first district"},
      {"# seats: 1\nБ,1\n# district: А\n",
       "e.csv, line 3: the parties before the first district belong to no district"},
      {"# district: А\n# district: Б\nВ,1\n", "e.csv, line 2: the district \"А\" (line 1) has no"},
      {"# district: А\n5\n", "e.csv, line 2: in a file of districts every party needs a name"},
      {"# date: 2021-13-01\n", "e.csv, line 1: date: \"2021-13-01\" is not a date"},
      {"# source: example.org\n", "e.csv, line 1: source: \"example.org\" is not an address"},
      {"# seats:\n", "e.csv, line 1: seats: the value is missing"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorOf(c.text).substr(0, std::string(c.message).size()), c.message) << c.text;
  }
}

}  // namespace
}  // namespace mandati::format
