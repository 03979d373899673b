// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/form_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mandati {
namespace {

using Rows = std::vector<std::string>;

const std::vector<std::string> kSampleVotes = {"58125", "45871", "27142", "15947", "12264"};

class FormCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { LoadMainForm(state_); }

  void SetUpCounts(const std::string& parties, const std::string& seats) {
    state_.party_count_text = parties;
    state_.seat_count_text = seats;
    SetUpParties(state_, settings_);
  }
  void Enter(int row, const std::string& votes) {
    SelectPartyRow(state_, 0, row);
    state_.votes_text = votes;
    ClickCommand2(state_, 0, settings_);
  }
  void EnterAll(const std::vector<std::string>& votes) {
    for (std::size_t i = 0; i < votes.size(); ++i) Enter(static_cast<int>(i), votes[i]);
  }
  void Calculate() { ClickCommand2(state_, 1, settings_); }
  // The sample district, calculated under the given quota.
  void CalculateSample(std::int16_t quota_option) {
    SetUpCounts("5", "7");
    EnterAll(kSampleVotes);
    ChooseQuotaMethod(state_, quota_option);
    Calculate();
  }
  const TextColumn& Column(int i) const { return state_.table.At(i); }

  FormState state_;
  NumberSettings settings_;
};

TEST_F(FormCommandsTest, LoadChoosesHare) {
  state_.values.quota_method = QuotaMethod::Droop;
  LoadMainForm(state_);
  EXPECT_EQ(state_.values.quota_method, QuotaMethod::Hare);
}

TEST_F(FormCommandsTest, SetUpCreatesPartyRowsAndSelectsTheFirst) {
  SetUpCounts("5", "7");
  EXPECT_EQ(Column(0).Rows(), (Rows{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(Column(5).Rows(), (Rows{" ", " ", " ", " ", " "}));
  EXPECT_EQ(Column(0).SelectedRow(), 0);
  EXPECT_EQ(Column(5).SelectedRow(), 0);
  EXPECT_EQ(state_.votes_text, " ");
  EXPECT_EQ(state_.values.party_count, 5);
  EXPECT_EQ(state_.values.seat_count, 7);
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(Column(i).Empty()) << i;
}

TEST_F(FormCommandsTest, TwelvePartiesInNumericOrder) {
  SetUpCounts("12", "7");
  EXPECT_EQ(Column(0).Row(8), "9");
  EXPECT_EQ(Column(0).Row(9), "10");
  EXPECT_EQ(Column(0).RowCount(), 12);
}

TEST_F(FormCommandsTest, RefusedPartyCountsEmptyTheColumnsAndKeepTheCounts) {
  SetUpCounts("3", "4");
  for (const char* count : {"0", "", "ab", "-3", ".4"}) {
    state_.votes_text = "77";
    SetUpCounts(count, "9");
    for (int i = 0; i <= 5; ++i) EXPECT_TRUE(Column(i).Empty()) << count;
    EXPECT_EQ(state_.values.party_count, 3) << count;
    EXPECT_EQ(state_.values.seat_count, 4) << count;
    EXPECT_EQ(state_.votes_text, "77") << count;
    SetUpCounts("3", "4");
  }
}

TEST_F(FormCommandsTest, FractionalPartyCountMakesOneRowButNeverCalculates) {
  SetUpCounts(".6", "7");
  EXPECT_EQ(Column(0).RowCount(), 1);
  EXPECT_EQ(state_.values.party_count, 0.6);
  Enter(0, "100");
  EXPECT_EQ(Column(5).Row(0), "100");
  const FormState before = state_;
  Calculate();
  EXPECT_EQ(state_, before);
}

TEST_F(FormCommandsTest, SeatCountOfLettersIsZero) {
  SetUpCounts("3", "ab");
  EXPECT_EQ(Column(0).RowCount(), 3);
  EXPECT_EQ(state_.values.seat_count, 0);
}

TEST_F(FormCommandsTest, VoteTextsAreReadAsWholeNumbers) {
  SetUpCounts("3", "7");
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {{" 58125", "58125"}, {"1.5", "2"}, {"2.5", "2"}, {"12abc", "12"}, {"1e3", "1000"}};
  for (const auto& c : cases) {
    state_.votes_text = c.typed;
    ClickCommand2(state_, 0, settings_);
    EXPECT_EQ(Column(5).Row(0), c.stored) << c.typed;
    EXPECT_EQ(state_.votes_text, "") << c.typed;
  }
}

TEST_F(FormCommandsTest, UnusableVoteTextsChangeNothing) {
  SetUpCounts("3", "7");
  Enter(1, "500");
  for (const char* typed : {"0", "-7", ".4", "abc", "", "9e9", "-9e9", "1e999"}) {
    state_.votes_text = typed;
    const FormState before = state_;
    ClickCommand2(state_, 0, settings_);
    EXPECT_EQ(state_, before) << typed;
    EXPECT_EQ(state_.votes_text, typed);
  }
  EXPECT_EQ(Column(5).Row(1), "500");
}

TEST_F(FormCommandsTest, EnteringVotesKeepsThePartySelected) {
  SetUpCounts("3", "7");
  state_.votes_text = "42";  // row 0 is selected right after set-up
  ClickCommand2(state_, 0, settings_);
  EXPECT_EQ(Column(5).Row(0), "42");
  EXPECT_EQ(Column(0).SelectedRow(), 0);
  const FormState before = state_;
  ClickCommand2(state_, 0, settings_);  // the box is empty now
  EXPECT_EQ(state_, before);
}

TEST_F(FormCommandsTest, SelectingAPartyShowsItsVotesAndDiscardsTheTypedText) {
  SetUpCounts("3", "7");
  Enter(2, "300");
  state_.votes_text = "999";
  SelectPartyRow(state_, 0, 1);
  EXPECT_EQ(state_.votes_text, " ");
  SelectPartyRow(state_, 0, 2);
  EXPECT_EQ(state_.votes_text, "300");
}

TEST_F(FormCommandsTest, SampleDistrictUnderEveryQuota) {
  const struct {
    std::int16_t option;
    std::int32_t quota;
    Rows ratios;
    Rows keys;
  } cases[] = {
      {0,
       22764,
       {"2.553", "2.015", "1.192", "0.701", "0.539"},
       {"0.01506765    2", "0.19232121    3", "0.53874539    5", "0.55337375    1",
        "0.70053593    4"}},
      {1,
       19919,
       {"2.918", "2.303", "1.363", "0.801", "0.616"},
       {"0.30287665    2", "0.36261861    3", "0.61569356    5", "0.8005924    4",
        "0.91806818    1"}},
      {2,
       19918,
       {"2.918", "2.303", "1.363", "0.801", "0.616"},
       {"0.30299227    2", "0.36268702    3", "0.61572447    5", "0.80063259    4",
        "0.91821468    1"}},
  };
  for (const auto& c : cases) {
    CalculateSample(c.option);  // the queue of the one before is replaced, not added to
    EXPECT_EQ(Column(1).Rows(), (Rows{"2", "2", "1", "0", "0"}));
    EXPECT_EQ(Column(2).Rows(), (Rows{"3", "2", "1", "1", "0"}));
    EXPECT_EQ(Column(3).Rows(), c.ratios);
    EXPECT_EQ(Column(4).Rows(), (Rows{"36.48", "28.79", "17.03", "10.01", "7.70"}));
    EXPECT_EQ(Column(6).Rows(), c.keys);
    EXPECT_EQ(state_.total_text, "159349");
    EXPECT_EQ(state_.values.total_votes, 159349);
    EXPECT_EQ(state_.values.quota, c.quota);
  }
}

TEST_F(FormCommandsTest, CommaLocaleShowsCommaSharesAndTheSameSeats) {
  settings_.decimal_separator = ",";
  settings_.group_separator = "\xC2\xA0";
  settings_.group_size = 3;
  CalculateSample(0);
  EXPECT_EQ(Column(4).Row(0), "36,48");
  EXPECT_EQ(Column(3).Row(0), "2,553");
  EXPECT_EQ(Column(6).Row(4), "0,70053593    4");
  EXPECT_EQ(Column(2).Rows(), (Rows{"3", "2", "1", "1", "0"}));
  EXPECT_EQ(state_.total_text, "159349");  // counts are never grouped
}

TEST_F(FormCommandsTest, CalculationWaitsForEveryPartysVotes) {
  SetUpCounts("5", "7");
  EnterAll({"58125", "45871", "27142", "15947"});
  const FormState before = state_;
  Calculate();
  EXPECT_EQ(state_, before);
  Enter(4, "12264");
  Calculate();
  EXPECT_EQ(Column(2).Rows(), (Rows{"3", "2", "1", "1", "0"}));
}

TEST_F(FormCommandsTest, CalculationBeforeAnySetUpChangesNothing) {
  const FormState before = state_;
  Calculate();
  EXPECT_EQ(state_, before);
}

TEST_F(FormCommandsTest, ChoosingAQuotaOnlyRecordsIt) {
  CalculateSample(0);
  const PartyTable results = state_.table;
  ChooseQuotaMethod(state_, 1);
  EXPECT_EQ(state_.values.quota_method, QuotaMethod::Droop);
  EXPECT_EQ(state_.table, results);
  ChooseQuotaMethod(state_, 0);
  ChooseQuotaMethod(state_, 7);
  EXPECT_EQ(state_.values.quota_method, QuotaMethod::Hare);
  ClickCommand2(state_, 2, settings_);
  EXPECT_EQ(state_.table, results);
}

TEST_F(FormCommandsTest, SelectionFollowsThePartyInEveryColumnAfterACalculation) {
  CalculateSample(0);
  for (std::int16_t index = 0; index <= 4; ++index) {
    SelectPartyRow(state_, index, 2);
    for (int j = 0; j <= 5; ++j) EXPECT_EQ(Column(j).SelectedRow(), 2) << index << "," << j;
    EXPECT_EQ(Column(6).SelectedRow(), -1);
    EXPECT_EQ(state_.votes_text, "27142");
    SelectPartyRow(state_, index, 0);
    EXPECT_EQ(state_.votes_text, "58125");
  }
}

TEST_F(FormCommandsTest, SecondSetUpClearsResultsButKeepsTheQueue) {
  CalculateSample(0);
  const Rows queue = Column(6).Rows();
  SetUpCounts("2", "3");
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(Column(i).Empty()) << i;
  EXPECT_EQ(Column(5).Rows(), (Rows{" ", " "}));
  EXPECT_EQ(Column(6).Rows(), queue);
  EXPECT_EQ(state_.total_text, "159349");
}

TEST_F(FormCommandsTest, ClearEmptiesBoxesAndColumnsAndKeepsTheQuota) {
  CalculateSample(1);
  ClearAll(state_);
  for (int i = 0; i < PartyTable::kColumnCount; ++i) {
    EXPECT_TRUE(Column(i).Empty()) << i;
    EXPECT_EQ(Column(i).SelectedRow(), -1) << i;
  }
  for (const std::string* text : {&state_.party_count_text, &state_.seat_count_text,
                                  &state_.votes_text, &state_.total_text}) {
    EXPECT_EQ(*text, "");
  }
  EXPECT_EQ(state_.values.quota_method, QuotaMethod::Droop);
  EXPECT_EQ(state_.values.party_count, 5);
  EXPECT_EQ(state_.values.total_votes, 159349);
}

TEST_F(FormCommandsTest, AfterAClearVotesAndCalculationAreRefusedUntilANewSetUp) {
  CalculateSample(0);
  ClearAll(state_);
  state_.votes_text = "100";
  const FormState cleared = state_;
  ClickCommand2(state_, 0, settings_);
  Calculate();
  EXPECT_EQ(state_, cleared);
  SetUpCounts("2", "3");
  EXPECT_EQ(state_.values.party_count, 2);
  EXPECT_EQ(state_.values.seat_count, 3);
}

TEST_F(FormCommandsTest, CalculationAfterARefusedSetUpIsRefused) {
  CalculateSample(0);
  SetUpCounts("0", "7");
  const FormState before = state_;
  Calculate();
  EXPECT_EQ(state_, before);
}

// Input that makes the numbers fail leaves the whole state as it was: earlier results,
// total, votes and the form values.
TEST_F(FormCommandsTest, FailingCalculationsChangeNothing) {
  const struct {
    const char* name;
    const char* seats;
    std::vector<std::string> votes;
    std::int16_t option;
  } cases[] = {
      {"seat count 0 under Hare", "0", kSampleVotes, 0},
      {"quota 0 under Hare", "99", {"3", "4"}, 0},
      {"Hagenbach-Bischoff below seats + 1", "9", {"3", "4"}, 2},
      {"total beyond 32 bits", "7", std::vector<std::string>(22, "99999999"), 0},
      {"Hare quota beyond 32 bits", ".1", std::vector<std::string>(22, "90000000"), 0},
      {"negative seat count", "-3", kSampleVotes, 1},
      {"negative fractional seat count", "-.5", kSampleVotes, 2},
  };
  for (const auto& c : cases) {
    CalculateSample(0);  // earlier results on the window
    SetUpCounts(std::to_string(c.votes.size()), c.seats);
    EnterAll(c.votes);
    ChooseQuotaMethod(state_, c.option);
    const FormState before = state_;
    Calculate();
    EXPECT_EQ(state_, before) << c.name;
  }
}

TEST_F(FormCommandsTest, ZeroAndFractionalSeatCountsGiveNoSeatsUnderDroop) {
  for (const char* seats : {"0", ".5"}) {
    SetUpCounts("5", seats);
    EnterAll(kSampleVotes);
    ChooseQuotaMethod(state_, 1);
    Calculate();
    EXPECT_EQ(Column(2).Rows(), (Rows{"0", "0", "0", "0", "0"})) << seats;
  }
}

TEST_F(FormCommandsTest, ASelectedRowThatAColumnLacksSkipsThatColumn) {
  CalculateSample(0);
  state_.table.PartyNumberColumn().Append("6");  // a row the other columns lack
  FormState before = state_;
  SelectPartyRow(state_, 0, 5);
  EXPECT_EQ(Column(0).SelectedRow(), 5);
  for (int j = 1; j <= 5; ++j) {
    EXPECT_EQ(Column(j).SelectedRow(), before.table.At(j).SelectedRow()) << j;
  }
  EXPECT_EQ(state_.votes_text, "");
}

TEST_F(FormCommandsTest, ClicksOnRowsThatDoNotExistAreIgnored) {
  CalculateSample(0);
  const FormState before = state_;
  SelectPartyRow(state_, 1, 9);
  SelectPartyRow(state_, 0, -1);
  SelectPartyRow(state_, 6, 0);
  SelectPartyRow(state_, 9, 0);
  EXPECT_EQ(state_, before);
}

}  // namespace
}  // namespace mandati
