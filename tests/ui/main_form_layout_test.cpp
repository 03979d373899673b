// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls as the user finds them: names, kinds, containers, places in logical
// pixels, captions, accessible names, visibility, tab order, tooltip, and the window itself.

#include <algorithm>
#include <array>
#include <set>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <gtest/gtest.h>

#include "form/reference_texts.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main_form.h"

namespace mandati {
namespace {

struct ExpectedControl {
  const char* name;
  const char* qt_class;
  const char* container;  // object name of the parent widget
  QRect place;            // logical pixels in the container
  const char* caption;    // the drawn caption; nullptr for boxes and borderless frames
  const char* accessible_name;
  bool shown;
};

// clang-format off
const ExpectedControl kExpected[] = {
  {"TitleLabel", "QLabel", "MainForm", {8, 0, 489, 25}, kTitleText, kTitleText, true},
  {"Frame1", "QGroupBox", "MainForm", {8, 32, 497, 57},
   "Регистрирани партии, борещи се за фиксиран брой мандати",
   "Регистрирани партии, борещи се за фиксиран брой мандати", true},
  {"Frame2", "QWidget", "MainForm", {8, 96, 497, 105}, nullptr, "Метод на най-големия остатък",
   true},
  {"Frame3", "QWidget", "MainForm", {8, 200, 497, 73}, nullptr, kLegendText, true},
  {"Text1(0)", "QPlainTextEdit", "MainForm", {8, 280, 497, 169}, nullptr, "Помощ", true},
  {"Text1(1)", "QPlainTextEdit", "MainForm", {136, 336, 449, 121}, nullptr, "Цитат", false},
  {"Label1(0)", "QLabel", "Frame1", {8, 24, 97, 25}, "Брой партии:", "Брой партии:", true},
  {"Text2(0)", "QLineEdit", "Frame1", {104, 24, 49, 27}, nullptr, "Брой партии:", true},
  {"Label1(1)", "QLabel", "Frame1", {184, 24, 105, 25}, "Брой мандати:", "Брой мандати:", true},
  {"Text2(1)", "QLineEdit", "Frame1", {288, 24, 49, 27}, nullptr, "Брой мандати:", true},
  {"Command1", "QPushButton", "Frame1", {384, 24, 105, 25}, "Определи", "Определи", true},
  {"Label2(0)", "QLabel", "Frame2", {8, 8, 57, 25}, "Партия", "Партия", true},
  {"List1(0)", "QListWidget", "Frame2", {8, 32, 57, 61}, nullptr, "Партия", true},
  {"Label2(1)", "QLabel", "Frame2", {72, 8, 81, 25}, "Гласували:", "Гласували:", true},
  {"Text3(0)", "QLineEdit", "Frame2", {72, 32, 81, 27}, nullptr, "Гласували:", true},
  {"Command2(0)", "QPushButton", "Frame2", {120, 64, 81, 25}, "Въведи", "Въведи", true},
  {"Command2(1)", "QPushButton", "Frame2", {408, 8, 81, 25}, "Изчисли", "Изчисли", true},
  {"Text3(1)", "QLineEdit", "Frame2", {160, 32, 97, 27}, nullptr, "Общо гл.:", true},
  {"Label2(6)", "QLabel", "Frame2", {160, 8, 97, 25}, "Общо гл.:", "Общо гл.:", true},
  {"Option1(2)", "QRadioButton", "Frame2", {264, 56, 209, 19}, "Квота на Хагенбах-Бишоф",
   "Квота на Хагенбах-Бишоф", true},
  {"Option1(1)", "QRadioButton", "Frame2", {264, 32, 121, 19}, "Квота на Друп ",
   "Квота на Друп ", true},
  {"Option1(0)", "QRadioButton", "Frame2", {264, 8, 121, 19}, "Квота на Хеър", "Квота на Хеър",
   true},
  {"List1(5)", "QListWidget", "Frame2", {392, 48, 105, 42}, nullptr, "Гласове", false},
  {"Label2(2)", "QLabel", "Frame3", {8, 0, 89, 25}, "манд. предв.", "манд. предв.", true},
  {"List1(1)", "QListWidget", "Frame3", {8, 24, 89, 42}, nullptr, "манд. предв.", true},
  {"Label2(3)", "QLabel", "Frame3", {104, 0, 97, 25}, "манд. оконч.", "манд. оконч.", true},
  {"List1(2)", "QListWidget", "Frame3", {104, 24, 97, 42}, nullptr, "манд. оконч.", true},
  {"Label2(4)", "QLabel", "Frame3", {208, 0, 89, 25}, "манд/квота", "манд/квота", true},
  {"List1(3)", "QListWidget", "Frame3", {208, 24, 89, 42}, nullptr, "манд/квота", true},
  {"Label2(5)", "QLabel", "Frame3", {304, 0, 73, 25}, "глас. %", "глас. %", true},
  {"List1(4)", "QListWidget", "Frame3", {304, 24, 73, 42}, nullptr, "глас. %", true},
  {"List1(6)", "QListWidget", "Frame3", {384, 0, 89, 42}, nullptr, "Остатъци", false},
  {"Command3", "QPushButton", "Frame3", {392, 40, 97, 25}, "Чисти", "Чисти", true},
};
// clang-format on

QString Shown(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) return frame->title();
  return {};
}

class MainFormLayoutTest : public ::testing::Test {
 protected:
  MainForm form_;
};

TEST_F(MainFormLayoutTest, HasThirtyThreeControlsInTheirContainers) {
  ASSERT_EQ(std::size(kExpected), 33U);
  for (const char* container : {"MainForm", "Frame1", "Frame2", "Frame3"}) {
    const QWidget* parent = QString(container) == "MainForm"
                                ? &form_
                                : form_.findChild<QWidget*>(QString::fromUtf8(container));
    ASSERT_NE(parent, nullptr) << container;
    std::set<std::string> held;
    for (const QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      held.insert(child->objectName().toStdString());
    }
    std::set<std::string> expected;
    for (const ExpectedControl& control : kExpected) {
      if (QString(control.container) == container) expected.insert(control.name);
    }
    EXPECT_EQ(held, expected) << container;
  }
}

TEST_F(MainFormLayoutTest, EveryControlHasItsKindPlaceCaptionAndName) {
  ShowActive(form_);
  for (const ExpectedControl& control : kExpected) {
    SCOPED_TRACE(control.name);
    const QWidget* widget = ControlNamed(form_, QString::fromUtf8(control.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_TRUE(widget->inherits(control.qt_class)) << widget->metaObject()->className();
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromUtf8(control.container));
    EXPECT_EQ(widget->geometry(), control.place);
    EXPECT_EQ(Shown(*widget), QString::fromUtf8(control.caption == nullptr ? "" : control.caption));
    EXPECT_EQ(widget->accessibleName(), QString::fromUtf8(control.accessible_name));
    EXPECT_EQ(widget->isVisible(), control.shown);
  }
}

TEST_F(MainFormLayoutTest, OnlyTheHareOptionHasATooltip) {
  QStringList with_tooltip;
  for (const QWidget* widget : form_.findChildren<QWidget*>()) {
    if (!widget->toolTip().isEmpty()) with_tooltip << widget->objectName();
  }
  EXPECT_EQ(with_tooltip, QStringList{"Option1(0)"});
  EXPECT_EQ(ControlNamed(form_, "Option1(0)")->toolTip(), "Hare-Niemeyer");
  EXPECT_TRUE(form_.toolTip().isEmpty());
}

TEST_F(MainFormLayoutTest, WindowHasItsCaptionFixedSizeAndTitleBar) {
  EXPECT_EQ(form_.windowTitle(),
            QString::fromUtf8("mandati.example  Математика - разпределение на мандати"));
  EXPECT_EQ(form_.size(), QSize(512, 460));
  EXPECT_EQ(form_.minimumSize(), QSize(512, 460));
  EXPECT_EQ(form_.maximumSize(), QSize(512, 460));
  const Qt::WindowFlags flags = form_.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::Window));
  EXPECT_TRUE(flags.testFlag(Qt::WindowTitleHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(MainFormLayoutTest, OpensCentredOnTheScreen) {
  ShowActive(form_);
  const QRect screen = QApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((form_.geometry().center() - screen.center()).manhattanLength(), 1);
}

TEST_F(MainFormLayoutTest, IconIsItsOwn32PixelPicture) {
  const QIcon icon = form_.windowIcon();
  EXPECT_EQ(icon.availableSizes(), QList<QSize>{QSize(32, 32)});
  const QImage picture = icon.pixmap(QSize(32, 32)).toImage();
  EXPECT_EQ(picture.size(), QSize(32, 32));
  EXPECT_GT(qAlpha(picture.pixel(16, 16)), 0);  // drawn, not blank
}

TEST_F(MainFormLayoutTest, StartsWithTheFocusOnTheHelpText) {
  ASSERT_TRUE(ShowActive(form_));
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "Text1(0)");
}

// The chain of focus that Tab (or Shift+Tab) walks from the help text once around the window.
QStringList WalkFocus(int steps, Qt::KeyboardModifiers modifiers) {
  QStringList visited;
  for (int i = 0; i < steps; ++i) visited << PressKey(Qt::Key_Tab, modifiers);
  return visited;
}

const QStringList kTabChainWithHare = {"Text2(0)",   "Text2(1)",    "Command1",    "List1(0)",
                                       "Text3(0)",   "Command2(0)", "Command2(1)", "Text3(1)",
                                       "List1(4)",   "List1(3)",    "List1(2)",    "List1(1)",
                                       "Option1(0)", "Command3",    "Text1(0)"};

TEST_F(MainFormLayoutTest, TabWalksTheControlsInTheirOrder) {
  ASSERT_TRUE(ShowActive(form_));
  EXPECT_EQ(WalkFocus(15, Qt::NoModifier), kTabChainWithHare);
}

// With any option chosen, Tab and Shift+Tab stop at that option and at no other.
class ChosenOptionTabTest : public MainFormLayoutTest, public ::testing::WithParamInterface<int> {};

TEST_P(ChosenOptionTabTest, TabStopsAtTheChosenOptionOnly) {
  ASSERT_TRUE(ShowActive(form_));
  const QString chosen = QStringLiteral("Option1(%1)").arg(GetParam());
  ClickButton(*Control<QAbstractButton>(form_, chosen));
  QStringList forwards = kTabChainWithHare;
  forwards.replace(forwards.indexOf("Option1(0)"), chosen);
  QStringList backwards = forwards;
  std::reverse(backwards.begin(), backwards.end());
  backwards.removeFirst();
  backwards << "Text1(0)";

  ControlNamed(form_, "Text1(0)")->setFocus();
  EXPECT_EQ(WalkFocus(15, Qt::NoModifier), forwards);
  EXPECT_EQ(WalkFocus(15, Qt::ShiftModifier), backwards);
}

INSTANTIATE_TEST_SUITE_P(Options, ChosenOptionTabTest, ::testing::Values(0, 1, 2));

}  // namespace
}  // namespace mandati
