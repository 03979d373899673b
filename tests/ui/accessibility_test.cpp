// SPDX-License-Identifier: GPL-3.0-or-later
// The window as assistive tools and keyboard users meet it: choosing rows through accessible
// actions, one focused object, results named with their party, a visible focus, columns in
// line, borders and selections that keep their contrast, the arrow keys, Qt's own texts, and
// the vote box after set-up.

#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

#include <functional>
#include <vector>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTranslator>

#include <gtest/gtest.h>

#include "core/number_rules.h"
#include "tests/ui/ui_test_support.h"
#include "ui/box_style.h"
#include "ui/list_box.h"
#include "ui/locale_settings.h"
#include "ui/main_form.h"

namespace mandati {
namespace {

// The accessibility events the window raises, by kind and object, while a test runs.
struct Heard {
  QAccessible::Event type;
  QObject* object;
  int child;
};
std::vector<Heard>* g_heard = nullptr;  // test-only capture, set by the fixture
void Hear(QAccessibleEvent* event) {
  if (g_heard != nullptr) g_heard->push_back({event->type(), event->object(), event->child()});
}

class AccessibilityTest : public FormRoadTest {
 protected:
  void SetUp() override {
    FormRoadTest::SetUp();
    QAccessible::installUpdateHandler(Hear);
    SetAccessibilityActive(true);
    ASSERT_TRUE(QAccessible::isActive());
  }
  void TearDown() override {
    g_heard = nullptr;
    SetAccessibilityActive(false);
    QAccessible::installUpdateHandler(nullptr);
  }
  static void SetAccessibilityActive(bool active) {
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(active);
  }

  void SetUpWithVotes(const QStringList& votes) {
    SetUpParties(QString::number(votes.size()), QStringLiteral("7"));
    EnterVotes(votes);
  }
  QAccessibleInterface* Row(int list, int row) {
    return QAccessible::queryAccessibleInterface(&List(list))->child(row);
  }

  std::vector<Heard> heard_;
};

TEST_F(AccessibilityTest, ARowChosenByAnAssistiveToolIsThePartyInEveryColumn) {
  SetUpWithVotes({"100", "200", "300"});
  Click("Command2(1)");
  ClickRow(List(0), 0);
  Row(0, 2)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  for (int index = 0; index <= 5; ++index) EXPECT_EQ(List(index).MarkedRow(), 2) << index;
  EXPECT_EQ(Box("Text3(0)").text(), "300");
  TypeInto("Text3(0)", "777");  // appended to the shown votes: "300777"
  Click("Command2(0)");
  EXPECT_EQ(List(5).item(2)->text(), "300777");
  EXPECT_EQ(List(5).item(0)->text(), "100");
  QAccessible::queryAccessibleInterface(&List(3))->tableInterface()->selectRow(1);
  for (int index = 0; index <= 5; ++index) EXPECT_EQ(List(index).MarkedRow(), 1) << index;
  EXPECT_EQ(Box("Text3(0)").text(), "200");
}

// Walks the accessible tree under the window.
void Walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit) {
  visit(node);
  for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), visit);
}

TEST_F(AccessibilityTest, OnlyTheKeyboardFocusIsReportedFocused) {
  SetUpWithVotes({"100", "200", "300"});
  Click("Command2(1)");
  List(0).setFocus();
  g_heard = &heard_;
  PressKey(Qt::Key_Up);
  Click("Command2(0)");
  for (const Heard& event : heard_) {  // Up in the party list, then the button's own focus
    if (event.type != QAccessible::Focus) continue;
    EXPECT_TRUE(event.object == &List(0) || event.object == QApplication::focusWidget())
        << event.object->objectName().toStdString();
  }
  List(0).setFocus();
  QStringList focused;
  QStringList names;
  Walk(QAccessible::queryAccessibleInterface(&form_), [&](QAccessibleInterface* node) {
    if (node->state().focused) focused << node->text(QAccessible::Name);
    names << node->text(QAccessible::Name);
  });
  EXPECT_EQ(focused, (QStringList{"Партия", "2"}));
  EXPECT_FALSE(names.contains("Гласове"));
  EXPECT_FALSE(names.contains("Остатъци"));
}

TEST_F(AccessibilityTest, ResultsAreNamedWithTheirPartyAndToldAfterEachCalculation) {
  SetUpWithVotes({"58125", "45871", "27142", "15947", "12264"});
  Click("Command2(1)");
  EXPECT_EQ(Row(2, 0)->text(QAccessible::Name), "Партия 1: 3");
  EXPECT_EQ(Row(4, 4)->text(QAccessible::Name), "Партия 5: 7.70");
  QAccessibleInterface* final_seats = QAccessible::queryAccessibleInterface(&List(2));
  EXPECT_EQ(final_seats->text(QAccessible::Name), "манд. оконч.");
  EXPECT_TRUE(final_seats->text(QAccessible::Description).startsWith("Партия 1: 3; Партия 2: 2"));
  g_heard = &heard_;
  Click("Command2(1)");  // the same results again
  QList<QObject*> told;
  for (const Heard& event : heard_) {
    if (event.type == QAccessible::DescriptionChanged || event.type == QAccessible::TextUpdated) {
      told << event.object;
    }
  }
  for (QObject* object : {static_cast<QObject*>(&Box("Text3(1)")), static_cast<QObject*>(&List(1)),
                          static_cast<QObject*>(&List(2)), static_cast<QObject*>(&List(3)),
                          static_cast<QObject*>(&List(4))}) {
    EXPECT_TRUE(told.contains(object)) << object->objectName().toStdString();
  }
}

TEST_F(AccessibilityTest, AFocusedListIsRingedInTheTextColour) {
  SetUpWithVotes({"100", "200"});
  Click("Command2(1)");
  const QColor ring = List(0).palette().color(QPalette::Text);
  for (int index : {0, 1, 4}) {
    ListBox& list = List(index);
    const int inside = list.viewport()->geometry().left();
    Click("Command2(1)");
    for (const int x : {0, inside}) {
      EXPECT_NE(list.grab().toImage().pixelColor(x, list.height() / 2), ring) << index;
    }
    list.setFocus();
    for (const int x : {0, inside}) {
      EXPECT_EQ(list.grab().toImage().pixelColor(x, list.height() / 2), ring) << index;
    }
  }
}

TEST_F(AccessibilityTest, ResultColumnsMarkThePartyAndScrollWithTheOthers) {
  SetUpWithVotes({"1", "2", "3", "4", "5"});
  Click("Command2(1)");
  for (int index = 1; index <= 4; ++index) {
    EXPECT_EQ(List(index).MarkedRow(), 4) << index;
    EXPECT_TRUE(List(index).item(4)->isSelected()) << index;
  }
  List(2).verticalScrollBar()->setValue(1);
  for (int index = 0; index <= 4; ++index) {
    EXPECT_EQ(List(index).verticalScrollBar()->value(), 1) << index;
  }
}

TEST_F(AccessibilityTest, BordersAndSelectedRowsKeepTheirContrast) {
  SetUpWithVotes({"1"});
  const QColor window(192, 192, 255);
  for (const char* name : {"Text2(0)", "Text3(1)", "List1(0)", "List1(4)"}) {
    QWidget& box = *ControlNamed(form_, QString::fromUtf8(name));
    const QImage drawn = box.grab().toImage();
    for (const QPoint point : {QPoint(0, box.height() / 2), QPoint(box.width() / 2, 0)}) {
      EXPECT_GE(ContrastRatio(drawn.pixelColor(point), window), 3.0) << name;
    }
  }
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    const QPalette& colours = List(0).palette();
    EXPECT_GE(ContrastRatio(colours.color(group, QPalette::HighlightedText),
                            colours.color(group, QPalette::Highlight)),
              4.5);
  }
}

TEST_F(AccessibilityTest, ArrowKeysGoThroughTheQuotasInTheirOrder) {
  Control<QRadioButton>(form_, "Option1(0)")->setFocus();
  EXPECT_EQ(PressKey(Qt::Key_Right), "Option1(1)");
  EXPECT_EQ(PressKey(Qt::Key_Right), "Option1(2)");
  EXPECT_EQ(PressKey(Qt::Key_Left), "Option1(1)");
  EXPECT_EQ(form_.State().values.quota_method, QuotaMethod::Droop);
}

TEST(QtTranslationTest, IsTheUsersLanguageOrElseBulgarian) {
  const QRegularExpression cyrillic(QStringLiteral("\\p{Cyrillic}"));
  for (const QLocale::Language language : {QLocale::Bulgarian, QLocale::Swahili}) {
    const QTranslator* translator = QtTranslation(QLocale(language), nullptr);
    ASSERT_NE(translator, nullptr);
    EXPECT_TRUE(translator->translate("QLineEdit", "&Copy").contains(cyrillic));
    delete translator;
  }
  const QTranslator* german = QtTranslation(QLocale(QLocale::German), nullptr);
  ASSERT_NE(german, nullptr);
  EXPECT_EQ(german->translate("QLineEdit", "&Copy"), "&Kopieren");
  delete german;
}

TEST_F(AccessibilityTest, TypingIntoABlankVoteBoxReplacesTheBlank) {
  SetUpWithVotes({});
  TypeInto("Text2(0)", QStringLiteral("2"));
  Click("Command1");
  ASSERT_EQ(Box("Text3(0)").text(), " ");
  TypeInto("Text3(0)", "12345678");
  EXPECT_EQ(Box("Text3(0)").text(), "12345678");
  Click("Command2(0)");
  EXPECT_EQ(List(5).item(0)->text(), "12345678");
}

// The worked example with the keyboard alone: Tab, typing, Return and the arrow keys.
TEST_F(AccessibilityTest, TheWorkedExampleCanBeEnteredWithTheKeyboardAlone) {
  const QStringList votes = {"58125", "45871", "27142", "15947", "12264"};
  const auto type = [](const QString& text) { TypeText(*QApplication::focusWidget(), text); };
  ASSERT_EQ(PressKey(Qt::Key_Tab), "Text2(0)");
  type("5");
  ASSERT_EQ(PressKey(Qt::Key_Tab), "Text2(1)");
  type("7");
  ASSERT_EQ(PressKey(Qt::Key_Tab), "Command1");
  ASSERT_EQ(PressKey(Qt::Key_Return), "Command1");
  ASSERT_EQ(PressKey(Qt::Key_Tab), "List1(0)");
  for (int party = 0; party < votes.size(); ++party) {
    if (party > 0) PressKey(Qt::Key_Down);
    ASSERT_EQ(PressKey(Qt::Key_Tab), "Text3(0)");
    type(votes[party]);
    ASSERT_EQ(PressKey(Qt::Key_Tab), "Command2(0)");
    PressKey(Qt::Key_Return);
    PressKey(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(PressKey(Qt::Key_Tab, Qt::ShiftModifier), "List1(0)");
  }
  PressKey(Qt::Key_Tab);
  PressKey(Qt::Key_Tab);
  ASSERT_EQ(PressKey(Qt::Key_Tab), "Command2(1)");
  PressKey(Qt::Key_Return);
  QStringList final_seats;
  QStringList entered;
  for (int row = 0; row < List(2).count(); ++row) final_seats << List(2).item(row)->text();
  for (int row = 0; row < List(5).count(); ++row) entered << List(5).item(row)->text();
  EXPECT_EQ(final_seats, (QStringList{"3", "2", "1", "1", "0"}));
  EXPECT_EQ(entered, votes);
}

}  // namespace
}  // namespace mandati
