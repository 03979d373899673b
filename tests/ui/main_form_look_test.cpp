// SPDX-License-Identifier: GPL-3.0-or-later
// What the window looks like: colours sampled from its picture, the fonts actually used, the
// fixed texts, and a picture of the window written next to the test binary.

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPoint>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTextOption>
#include <QWidget>

#include <gtest/gtest.h>

#include "form/reference_texts.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main_form.h"

namespace mandati {
namespace {

class MainFormLookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ShowActive(form_);
    picture_ = form_.grab().toImage();
  }

  // The colour of the window's picture at a point given in a control's own coordinates.
  QColor ColourIn(const char* name, QPoint point) const {
    const QWidget* widget = ControlNamed(form_, QString::fromUtf8(name));
    return picture_.pixelColor(widget->mapTo(&form_, point));
  }

  MainForm form_;
  QImage picture_;
};

struct ColourCase {
  const char* name;
  QPoint point;  // inside the control, clear of its text and border
  QColor colour;
};

// clang-format off
const ColourCase kColourCases[] = {
  {"TitleLabel", {2, 22}, QColor(255, 192, 128)},
  {"Label1(0)", {2, 22}, QColor(255, 192, 128)},
  {"Label1(1)", {102, 22}, QColor(255, 192, 128)},
  {"Label2(0)", {2, 22}, QColor(255, 192, 128)},
  {"Label2(1)", {2, 22}, QColor(255, 192, 128)},
  {"Label2(2)", {2, 22}, QColor(255, 192, 128)},
  {"Label2(3)", {2, 22}, QColor(255, 192, 128)},
  {"Label2(4)", {2, 22}, QColor(255, 192, 128)},
  {"Label2(5)", {2, 22}, QColor(255, 192, 128)},
  {"Label2(6)", {2, 22}, QColor(255, 192, 128)},
  {"Option1(0)", {118, 16}, QColor(128, 128, 255)},
  {"Option1(1)", {118, 16}, QColor(128, 128, 255)},
  {"Option1(2)", {206, 16}, QColor(128, 128, 255)},
  {"Command1", {5, 12}, QColor(128, 255, 128)},
  {"Command2(0)", {5, 12}, QColor(0, 255, 0)},
  {"Command2(1)", {5, 12}, QColor(0, 192, 0)},
  {"Command3", {5, 12}, QColor(255, 0, 0)},
  // The frames and the window itself; List1(6) is hidden, so Frame3 shows through it.
  {"Frame1", {490, 8}, QColor(192, 192, 255)},
  {"Frame2", {230, 80}, QColor(192, 192, 255)},
  {"Frame3", {420, 20}, QColor(192, 192, 255)},
  {"Text1(0)", {200, -4}, QColor(192, 192, 255)},
};
// clang-format on

TEST_F(MainFormLookTest, ControlsShowTheirColours) {
  for (const ColourCase& sample : kColourCases) {
    EXPECT_EQ(ColourIn(sample.name, sample.point), sample.colour)
        << sample.name << " at " << sample.point.x() << "," << sample.point.y();
  }
}

// The picture of one control as it is drawn now.
QColor ColourOf(QWidget& widget, QPoint point) { return widget.grab().toImage().pixelColor(point); }

TEST_F(MainFormLookTest, ButtonsShowWhenTheyArePressed) {
  auto* button = Control<QWidget>(form_, "Command2(1)");
  const QPoint inside(5, button->height() / 2);
  QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, inside);
  EXPECT_NE(ColourOf(*button, inside), QColor(0, 192, 0));
  QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, inside);
  EXPECT_EQ(ColourOf(*button, inside), QColor(0, 192, 0));
}

TEST_F(MainFormLookTest, ButtonsShowWhenTheyHoldTheFocus) {
  auto* button = Control<QWidget>(form_, "Command1");
  const QPoint edge(0, button->height() / 2);
  EXPECT_NE(ColourOf(*button, edge), QColor(Qt::black));
  button->setFocus();
  EXPECT_EQ(ColourOf(*button, edge), QColor(Qt::black));
}

TEST_F(MainFormLookTest, OnlyFrame1DrawsABorder) {
  const QColor window(192, 192, 255);
  EXPECT_NE(ColourIn("Frame1", QPoint(1, 40)), window);
  EXPECT_EQ(ColourIn("Frame2", QPoint(1, 50)), window);
  EXPECT_EQ(ColourIn("Frame2", QPoint(496, 104)), window);
  EXPECT_EQ(ColourIn("Frame3", QPoint(1, 70)), window);
  EXPECT_EQ(ColourIn("Frame3", QPoint(496, 72)), window);
}

TEST_F(MainFormLookTest, BoxesKeepTheDesktopColours) {
  const QColor base = form_.palette().color(QPalette::Base);
  EXPECT_NE(base, QColor(192, 192, 255));
  for (const char* name : {"Text2(0)", "Text3(0)", "List1(0)", "List1(1)"}) {
    const QWidget* box = ControlNamed(form_, name);
    EXPECT_EQ(ColourIn(name, QPoint(box->width() - 6, box->height() - 6)),
              QApplication::palette(box).color(QPalette::Base))
        << name;
  }
}

TEST_F(MainFormLookTest, TimesNewRomanIsShownInItsMetricTwin) {
  const QFontInfo used(ControlNamed(form_, "Label1(0)")->font());
  EXPECT_EQ(form_.font().family(), "Times New Roman");
  EXPECT_EQ(used.family(), "Liberation Serif");
  EXPECT_EQ(used.pointSize(), 12);
  EXPECT_FALSE(used.bold());
}

TEST_F(MainFormLookTest, OnlyTheFinalSeatsAreBold) {
  for (const QWidget* widget : form_.findChildren<QWidget*>()) {
    // The parts that Qt adds inside a control take the control's font.
    if (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_")) continue;
    const QFontInfo used(widget->font());
    EXPECT_EQ(used.family(), "Liberation Serif") << widget->objectName().toStdString();
    EXPECT_EQ(used.pointSize(), 12) << widget->objectName().toStdString();
    EXPECT_EQ(used.bold(), widget->objectName() == "List1(2)")
        << widget->objectName().toStdString();
  }
  EXPECT_EQ(QFontInfo(ControlNamed(form_, "List1(2)")->font()).weight(), QFont::Bold);
}

// The lines the help text gives word for word, by their line number.
struct HelpLine {
  int number;
  const char* text;
};

// clang-format off
const HelpLine kExactHelpLines[] = {
  {8, "По-известни системи с избирателна квота (Quota Method, Largest Remainders Method) са:"},
  {9, "Метод на Хеър (Hare method) - квотата на Хеър се определя по формулата q = v/s, където v е "
      "общ брой действителни гласове, а s е брой мандатите в многомандатния район."},
  {10, "Метод на Хагенбах-Бишоф (Hagenbach-Bischoff method) - квотата на Хагенбах-Бишоф се "
       "определя по формулата q = v/(s+1)"},
  {11, "Метод Droop (Droop method)  - квотата на Droop се определя по формулата q = 1 + v/(s+1)"},
  {18, "Последователност при въвеждане на данни в примерния проект:"},
  {19, "В полето Брой партии се въвежда естествено число [2-99] - брой регистрирани партии."},
  {20, "В полето Брой мандати се въвежда естествено число [2-99] - брой депутати."},
  {21, "Натиска се бутон Определи. Автоматично се генерира броя регистрирани партии."},
  {22, "От списъчното поле Партия се избира пореден номер регистрирана партия."},
  {23, "Въвеждане на брой гласували за дадена партия"},
  {24, "В текстовото поле Гласували се въвежда естествено число [0..99999999]"},
  {25, "Натиска се бутон Въведи."},
  {26, "Предходните стъпки се повтарят за всеки номер партия."},
  {27, "Избира се начин за изчисляване:   Хеър, Друп,  Хагенбах-Бишоф."},
  {28, "Натиска се бутон Изчисли."},
  {29, "Автоматично се изчисляват:"},
  {30, "предварителни мандати;"},
  {31, "окончателни мандати;"},
  {32, "квота (брой гласували за 1 мандат)"},
  {33, "процент гласували за дадена партия."},
  {34, "При промяна  начина за изчисляване се прави сравнителен анализ между отделните методи."},
  {35, "Натиска се бутон Чисти за въвеждане на нови данни."},
  {36, "Примерни данни: 5 партии, 7 мандата, гласове: 58125, 45871, 27142, 15947, 12264"},
  {37, "Изход: 2+1; 2+0; 1+0; 0+1"},
};
// clang-format on

TEST(HelpTextTest, HasThirtySevenCrLfLinesOf2758Characters) {
  const QString help = QString::fromUtf8(kHelpText);
  EXPECT_EQ(help.size(), 2758);
  EXPECT_EQ(help.count(QStringLiteral("\r\n")), 37);
  EXPECT_EQ(help.count(QLatin1Char('\n')), 37);
  EXPECT_TRUE(help.endsWith(QStringLiteral("\r\n")));
  const QStringList lines = help.split(QStringLiteral("\r\n"));
  for (int empty : {7, 16, 17}) EXPECT_TRUE(lines[empty - 1].isEmpty()) << empty;
  for (const char* start : {"Пропорционалните избирателни системи", "Определяне на квотата",
                            "Да се реализира проект", "Входни данни са:"}) {
    EXPECT_EQ(lines.filter(QRegularExpression("^" + QString::fromUtf8(start))).size(), 1) << start;
  }
}

TEST_F(MainFormLookTest, HelpBoxShowsTheHelpTextLineByLine) {
  const auto* box = Control<QPlainTextEdit>(form_, "Text1(0)");
  const QStringList shown = box->toPlainText().split(QLatin1Char('\n'));
  ASSERT_EQ(shown.size(), 38);  // 37 lines, each ended
  EXPECT_TRUE(shown.last().isEmpty());
  for (const HelpLine& line : kExactHelpLines) {
    EXPECT_EQ(shown[line.number - 1], QString::fromUtf8(line.text)) << line.number;
  }
  EXPECT_TRUE(shown[0].startsWith(QString::fromUtf8("Пропорционалните избирателни системи")));
}

TEST_F(MainFormLookTest, HiddenBoxHoldsTheQuotation) {
  const auto* box = Control<QPlainTextEdit>(form_, "Text1(1)");
  EXPECT_EQ(box->toPlainText(),
            QString::fromUtf8("Неприятното в това да си първият, направил нещо по \n"
                              "правилния начин, е, че никой не оценява колко трудно е \n"
                              "било. \n"));
  EXPECT_FALSE(box->isVisible());
}

TEST_F(MainFormLookTest, HelpBoxWrapsAndScrollsDownOnly) {
  const auto* box = Control<QPlainTextEdit>(form_, "Text1(0)");
  EXPECT_TRUE(box->isReadOnly());
  EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(box->wordWrapMode(), QTextOption::WordWrap);
  EXPECT_TRUE(box->verticalScrollBar()->isVisible());
  EXPECT_FALSE(box->horizontalScrollBar()->isVisible());
  EXPECT_EQ(box->verticalScrollBar()->value(), 0);  // opens at the beginning
}

TEST_F(MainFormLookTest, WritesAPictureOfTheWindow) {
  const QString path = QStringLiteral(MANDATI_UI_PICTURE_DIR "/main_form.png");
  EXPECT_EQ(picture_.size(), QSize(512, 460));
  EXPECT_TRUE(picture_.save(path));
  EXPECT_EQ(QImage(path).size(), QSize(512, 460));
}

// The program makes the window's font the application's; menus and tool tips keep the desktop's.
TEST(WindowFontTest, BecomesTheDefaultExceptForMenusAndToolTips) {
  const QFont desktop = QApplication::font();
  const QFont menus = QApplication::font("QMenu");
  const QFont tool_tips = QApplication::font("QTipLabel");
  UseWindowFontByDefault();
  EXPECT_EQ(QApplication::font(), WindowFont());
  EXPECT_EQ(QApplication::font("QMenu"), menus);
  EXPECT_EQ(QApplication::font("QTipLabel"), tool_tips);
  QApplication::setFont(desktop);  // the other tests build the window under the desktop's font
  QApplication::setFont(menus, "QMenu");
  QApplication::setFont(tool_tips, "QTipLabel");
}

}  // namespace
}  // namespace mandati
