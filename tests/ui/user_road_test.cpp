// SPDX-License-Identifier: GPL-3.0-or-later
// The user's road through the real window, with typed keys and mouse clicks: set up the
// parties of the worked example, enter their votes, calculate under each quota, move between
// parties and clear.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QList>
#include <QListWidget>
#include <QListWidgetItem>
#include <QPixmap>
#include <QPoint>
#include <QRadioButton>
#include <QRect>
#include <QSignalSpy>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "core/number_rules.h"
#include "core/party_table.h"
#include "tests/ui/ui_test_support.h"
#include "ui/list_box.h"
#include "ui/main_form.h"

namespace mandati {
namespace {

const QStringList kSampleVotes = {"58125", "45871", "27142", "15947", "12264"};

class UserRoadTest : public FormRoadTest {
 protected:
  QStringList Rows(int index) {
    QStringList rows;
    for (int k = 0; k < List(index).count(); ++k) rows << List(index).item(k)->text();
    return rows;
  }

  // Every non-empty column 0 to 4 marks exactly the selected party's row (none when none is).
  void ExpectMarksFollowTheState() {
    for (int index = 0; index <= 4; ++index) {
      const ListBox& list = List(index);
      if (list.count() == 0) continue;
      const int selected = form_.State().table.PartyNumberColumn().SelectedRow();
      EXPECT_EQ(list.MarkedRow(), selected) << "List1(" << index << ")";
      QList<int> marked;
      for (const QListWidgetItem* item : list.selectedItems()) marked << list.row(item);
      EXPECT_EQ(marked, selected < 0 ? QList<int>{} : QList<int>{selected})
          << "List1(" << index << ")";
    }
  }
};

// Votes typed in exponent form can be longer than the box admits; the box shows them whole, so
// that pressing "Въведи" again does not store a cut number.
TEST_F(UserRoadTest, VotesLongerThanTheBoxAreShownWhole) {
  SetUpParties("2", "3");
  EnterVotes({"1e9", "5"});
  ClickRow(List(0), 0);
  EXPECT_EQ(Box("Text3(0)").text(), "1000000000");
  Click("Command2(0)");
  ClickRow(List(0), 1);
  ClickRow(List(0), 0);
  EXPECT_EQ(Box("Text3(0)").text(), "1000000000");
  QTest::mouseClick(&Box("Text3(0)"), Qt::LeftButton);
  QTest::keyClick(&Box("Text3(0)"), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&Box("Text3(0)"), Qt::Key_Backspace);
  TypeInto("Text3(0)", "123456789");  // once shortened, typing stops at eight characters again
  EXPECT_EQ(Box("Text3(0)").text(), "12345678");
}

TEST_F(UserRoadTest, SetUpCreatesOneRowPerPartyAndSelectsTheFirst) {
  SetUpParties("5", "7");
  EXPECT_EQ(Rows(0), (QStringList{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(Rows(5), (QStringList{" ", " ", " ", " ", " "}));
  for (int index : {1, 2, 3, 4, 6}) EXPECT_EQ(List(index).count(), 0) << index;
  EXPECT_EQ(List(0).MarkedRow(), 0);
  EXPECT_EQ(Box("Text3(0)").text(), " ");
  EXPECT_EQ(form_.State().values.party_count, 5.0);
  EXPECT_EQ(form_.State().values.seat_count, 7.0);
}

TEST_F(UserRoadTest, EnteringVotesFillsThePartysRowAndEmptiesTheBox) {
  SetUpParties("5", "7");
  EnterVotes(kSampleVotes.mid(0, 2));
  EXPECT_EQ(Rows(5), (QStringList{"58125", "45871", " ", " ", " "}));
  EXPECT_EQ(Box("Text3(0)").text(), "");
  EXPECT_EQ(List(0).MarkedRow(), 1);
  ClickRow(List(0), 0);
  EXPECT_EQ(Box("Text3(0)").text(), "58125");
}

struct QuotaCase {
  const char* name;
  const char* option;
  QuotaMethod method;
  QStringList ratios;
};

// Names the case in test output.
void PrintTo(const QuotaCase& c, std::ostream* out) { *out << c.name; }

class CalculationTest : public UserRoadTest, public ::testing::WithParamInterface<QuotaCase> {};

TEST_P(CalculationTest, ShowsEveryPartysSeatsRatioAndShare) {
  SetUpParties("5", "7");
  EnterVotes(kSampleVotes);
  Click(GetParam().option);
  Click("Command2(1)");
  EXPECT_EQ(form_.State().values.quota_method, GetParam().method);
  EXPECT_EQ(Rows(0), (QStringList{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(Rows(1), (QStringList{"2", "2", "1", "0", "0"}));
  EXPECT_EQ(Rows(2), (QStringList{"3", "2", "1", "1", "0"}));
  EXPECT_EQ(Rows(3), GetParam().ratios);
  EXPECT_EQ(Rows(4), (QStringList{"36.48", "28.79", "17.03", "10.01", "7.70"}));
  EXPECT_EQ(Rows(5), kSampleVotes);
  EXPECT_EQ(List(6).count(), 5);
  EXPECT_EQ(Box("Text3(1)").text(), "159349");
  // The window shows exactly what the calculation left in the form state.
  for (int index = 0; index < PartyTable::kColumnCount; ++index) {
    QStringList state_rows;
    for (const std::string& row : form_.State().table.At(index).Rows()) {
      state_rows << QString::fromStdString(row);
    }
    EXPECT_EQ(Rows(index), state_rows) << index;
  }
}

const QStringList kHareRatios = {"2.553", "2.015", "1.192", "0.701", "0.539"};
const QStringList kDroopRatios = {"2.918", "2.303", "1.363", "0.801", "0.616"};

INSTANTIATE_TEST_SUITE_P(
    Quotas, CalculationTest,
    ::testing::Values(QuotaCase{"Hare", "Option1(0)", QuotaMethod::Hare, kHareRatios},
                      QuotaCase{"Droop", "Option1(1)", QuotaMethod::Droop, kDroopRatios},
                      QuotaCase{"HagenbachBischoff", "Option1(2)", QuotaMethod::HagenbachBischoff,
                                kDroopRatios}),
    [](const ::testing::TestParamInfo<QuotaCase>& case_info) {
      return std::string(case_info.param.name);
    });

TEST_F(UserRoadTest, ClearEmptiesEverythingAndKeepsTheChosenQuota) {
  SetUpParties("5", "7");
  EnterVotes(kSampleVotes);
  Click("Option1(2)");
  Click("Command2(1)");
  ASSERT_EQ(Box("Text3(1)").text(), "159349");
  TypeInto("Text3(0)", "12");
  Click("Command3");
  for (int index = 0; index < PartyTable::kColumnCount; ++index) {
    EXPECT_EQ(List(index).count(), 0) << index;
  }
  for (const char* box : {"Text2(0)", "Text2(1)", "Text3(0)", "Text3(1)"}) {
    EXPECT_EQ(Box(box).text(), "") << box;
  }
  EXPECT_TRUE(Control<QRadioButton>(form_, "Option1(2)")->isChecked());
  EXPECT_EQ(form_.State().values.quota_method, QuotaMethod::HagenbachBischoff);
}

class CalculatedRoadTest : public UserRoadTest {
 protected:
  void SetUp() override {
    UserRoadTest::SetUp();
    SetUpParties("5", "7");
    EnterVotes(kSampleVotes);
    Click("Command2(1)");
  }

  // The selected row of every visible column and the vote box.
  void ExpectPartySelected(int row) {
    for (int index = 0; index <= 5; ++index) {
      EXPECT_EQ(List(index).MarkedRow(), row) << "List1(" << index << ")";
      EXPECT_TRUE(List(index).item(row)->isSelected()) << "List1(" << index << ")";
    }
    EXPECT_EQ(Box("Text3(0)").text(), kSampleVotes[row]);
  }
};

TEST_F(CalculatedRoadTest, ArrowKeysInAnyColumnMoveEveryColumn) {
  ClickRow(List(3), 1);
  ExpectPartySelected(1);
  PressKey(Qt::Key_Down);
  ExpectPartySelected(2);
  List(1).setFocus();
  PressKey(Qt::Key_Down);
  ExpectPartySelected(3);
  List(0).setFocus();
  PressKey(Qt::Key_Up);
  ExpectPartySelected(2);
  PressKey(Qt::Key_End);
  ExpectPartySelected(4);
}

TEST_F(CalculatedRoadTest, ClickingAResultRowSelectsThatParty) {
  ClickRow(List(2), 3);
  ExpectPartySelected(3);
  ClickRow(List(4), 0);
  ExpectPartySelected(0);
}

TEST_F(CalculatedRoadTest, CtrlClickLeavesThePartySelected) {
  ClickRow(List(3), 2);
  ClickRow(List(3), 2, Qt::ControlModifier);
  ExpectPartySelected(2);
  List(0).setFocus();
  PressKey(Qt::Key_Space, Qt::ControlModifier);
  ExpectPartySelected(2);
}

TEST_F(CalculatedRoadTest, ShowingTheStateRaisesNoClick) {
  std::vector<std::unique_ptr<QSignalSpy>> spies;
  spies.reserve(PartyTable::kColumnCount);
  for (int index = 0; index < PartyTable::kColumnCount; ++index) {
    spies.push_back(std::make_unique<QSignalSpy>(&List(index), &ListBox::RowChosen));
  }
  ClickRow(List(0), 3);  // the user's click changes List1(0) only; the rest is the refresh
  EXPECT_EQ(spies[0]->count(), 1);
  for (int index = 1; index < PartyTable::kColumnCount; ++index) {
    EXPECT_EQ(spies[static_cast<std::size_t>(index)]->count(), 0) << index;
  }
  Click("Command1");  // a new set-up selects party 1 again, in code
  EXPECT_EQ(List(0).MarkedRow(), 0);
  for (int index = 0; index < PartyTable::kColumnCount; ++index) {
    EXPECT_EQ(spies[static_cast<std::size_t>(index)]->count(), index == 0 ? 1 : 0) << index;
  }
}

// After the calculation party 5 is selected; the result columns mark its row too. Tab and
// Shift+Tab through them with votes typed but not entered: the focus moves, nothing else.
TEST_F(CalculatedRoadTest, MovingTheFocusThroughTheColumnsChangesNothing) {
  TypeInto("Text3(0)", "999");
  const FormState before = form_.State();
  QTest::mouseClick(&Box("Text3(1)"), Qt::LeftButton);
  const QStringList forth = {"List1(4)", "List1(3)", "List1(2)", "List1(1)"};
  const QStringList back = {"List1(2)", "List1(3)", "List1(4)", "Text3(1)"};
  for (const QString& expected : forth) {
    EXPECT_EQ(PressKey(Qt::Key_Tab), expected);
    ExpectMarksFollowTheState();
  }
  for (const QString& expected : back) {
    EXPECT_EQ(PressKey(Qt::Key_Tab, Qt::ShiftModifier), expected);
    ExpectMarksFollowTheState();
  }
  EXPECT_EQ(form_.State(), before);
  EXPECT_EQ(Box("Text3(0)").text(), "999");
  EXPECT_EQ(List(0).MarkedRow(), 4);
  // In a focused column an arrow key is the user's choice of a row.
  EXPECT_EQ(PressKey(Qt::Key_Tab), "List1(4)");
  PressKey(Qt::Key_Up);
  ExpectPartySelected(3);
}

// A click below a column's last row selects no party and takes the mark off none.
TEST_F(UserRoadTest, ClickingBelowTheRowsChangesNothing) {
  SetUpParties("2", "3");
  EnterVotes({"5", "7"});
  Click("Command2(1)");
  TypeInto("Text3(0)", "9");
  const FormState before = form_.State();
  for (int index : {0, 4, 1}) {
    QWidget& area = *List(index).viewport();
    const QPoint below(4, area.height() - 2);
    ASSERT_FALSE(List(index).indexAt(below).isValid()) << index;
    QTest::mouseClick(&area, Qt::LeftButton, Qt::NoModifier, below);
    ExpectMarksFollowTheState();
  }
  EXPECT_EQ(form_.State(), before);
  EXPECT_EQ(List(0).MarkedRow(), 1);
  Click("Command2(0)");  // the votes go to the party that the party column marks
  EXPECT_EQ(Rows(5), (QStringList{"5", "9"}));
}

// Enter and Return click the focused button, as Space does; elsewhere they do nothing.
TEST_F(UserRoadTest, EnterClicksTheFocusedButton) {
  TypeInto("Text2(0)", "1");
  TypeInto("Text2(1)", "3");
  ASSERT_EQ(PressKey(Qt::Key_Tab), "Command1");
  PressKey(Qt::Key_Return);
  EXPECT_EQ(Rows(0), QStringList{"1"});
  TypeInto("Text3(0)", "58125");
  const FormState typed = form_.State();
  PressKey(Qt::Key_Return);
  EXPECT_EQ(form_.State(), typed);
  ASSERT_EQ(PressKey(Qt::Key_Tab), "Command2(0)");
  PressKey(Qt::Key_Enter);
  EXPECT_EQ(Rows(5), QStringList{"58125"});
  ASSERT_EQ(PressKey(Qt::Key_Tab), "Command2(1)");
  PressKey(Qt::Key_Return);
  EXPECT_EQ(Box("Text3(1)").text(), "58125");
  QTest::mouseClick(Control<QWidget>(form_, "Text1(0)"), Qt::LeftButton);
  ASSERT_EQ(PressKey(Qt::Key_Tab, Qt::ShiftModifier), "Command3");
  PressKey(Qt::Key_Enter);
  EXPECT_EQ(List(0).count(), 0);
  EXPECT_EQ(Box("Text3(1)").text(), "");
}

TEST_F(CalculatedRoadTest, WritesAPictureOfTheWorkedExample) {
  const QString path = QStringLiteral(MANDATI_UI_PICTURE_DIR "/main_form_calculated.png");
  EXPECT_TRUE(form_.grab().save(path));
}

TEST_F(UserRoadTest, TheSelectedPartyIsScrolledIntoViewInEveryColumn) {
  SetUpParties("12", "20");
  QStringList votes;
  for (int party = 1; party <= 12; ++party) votes << QString::number(1000 * party);
  EnterVotes(votes);
  Click("Command2(1)");
  List(0).setFocus();
  PressKey(Qt::Key_Home);
  PressKey(Qt::Key_End);
  for (int index = 0; index <= 4; ++index) {
    ListBox& list = List(index);
    ASSERT_EQ(list.count(), 12) << index;
    EXPECT_EQ(list.MarkedRow(), 11) << index;
    EXPECT_TRUE(list.viewport()->rect().contains(list.visualItemRect(list.item(11))))
        << "List1(" << index << ")";
  }
  const QString path = QStringLiteral(MANDATI_UI_PICTURE_DIR "/main_form_12_parties.png");
  EXPECT_TRUE(form_.grab().save(path));
}

}  // namespace
}  // namespace mandati
