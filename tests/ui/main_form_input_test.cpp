// SPDX-License-Identifier: GPL-3.0-or-later
// What the controls accept from the keyboard and the mouse before any command runs: the length
// limits of the entry boxes, the boxes the user cannot edit, and the group of option buttons.

#include <array>
#include <ostream>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRect>
#include <QString>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <gtest/gtest.h>

#include "core/party_table.h"
#include "tests/ui/ui_test_support.h"
#include "ui/main_form.h"

namespace mandati {
namespace {

class MainFormInputTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ShowActive(form_)); }

  QString TypeInto(const char* name, const QString& text) {
    QWidget* box = ControlNamed(form_, QString::fromUtf8(name));
    box->setFocus();
    TypeText(*box, text);
    if (const auto* line = qobject_cast<QLineEdit*>(box)) return line->text();
    return qobject_cast<QPlainTextEdit*>(box)->toPlainText();
  }

  MainForm form_;
};

struct LimitCase {
  const char* name;
  const char* typed;
  const char* kept;
};

// Names the case in test output.
void PrintTo(const LimitCase& c, std::ostream* out) {
  *out << c.name << " <- \"" << c.typed << '"';
}

class EntryLimitTest : public MainFormInputTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(EntryLimitTest, KeepsOnlyWhatTheBoxAdmits) {
  EXPECT_EQ(TypeInto(GetParam().name, QString::fromUtf8(GetParam().typed)),
            QString::fromUtf8(GetParam().kept));
}

// Within the limits any character is taken: the commands decide what a text means.
INSTANTIATE_TEST_SUITE_P(Boxes, EntryLimitTest,
                         ::testing::Values(LimitCase{"Text2(0)", "123", "12"},
                                           LimitCase{"Text2(1)", "7ab", "7a"},
                                           LimitCase{"Text2(0)", "-.", "-."},
                                           LimitCase{"Text3(0)", "123456789", "12345678"},
                                           LimitCase{"Text3(0)", " 58125", " 58125"},
                                           LimitCase{"Text3(0)", "абв.-1 e", "абв.-1 e"}));

TEST_F(MainFormInputTest, TotalAndHelpBoxesCannotBeEdited) {
  EXPECT_EQ(TypeInto("Text3(1)", "123"), "");
  const QString help = Control<QPlainTextEdit>(form_, "Text1(0)")->toPlainText();
  EXPECT_EQ(TypeInto("Text1(0)", "123"), help);
  EXPECT_TRUE(Control<QLineEdit>(form_, "Text3(1)")->isReadOnly());
  EXPECT_EQ(Control<QLineEdit>(form_, "Text3(1)")->alignment(), Qt::AlignCenter);
}

TEST_F(MainFormInputTest, TypingRunsNoCommand) {
  const FormState before = form_.State();
  TypeInto("Text2(0)", "5");
  TypeInto("Text2(1)", "7");
  TypeInto("Text3(0)", "58125");
  EXPECT_EQ(form_.State(), before);
}

TEST_F(MainFormInputTest, HareIsChosenAtStart) {
  EXPECT_TRUE(Control<QRadioButton>(form_, "Option1(0)")->isChecked());
  EXPECT_FALSE(Control<QRadioButton>(form_, "Option1(1)")->isChecked());
  EXPECT_FALSE(Control<QRadioButton>(form_, "Option1(2)")->isChecked());
  EXPECT_EQ(form_.State().values.quota_method, QuotaMethod::Hare);
}

const std::array<QuotaMethod, 3> kMethods = {QuotaMethod::Hare, QuotaMethod::Droop,
                                             QuotaMethod::HagenbachBischoff};

std::array<bool, 3> Checked(const MainForm& form) {
  std::array<bool, 3> checked{};
  for (int i = 0; i < 3; ++i) {
    checked[static_cast<std::size_t>(i)] =
        Control<QRadioButton>(form, QStringLiteral("Option1(%1)").arg(i))->isChecked();
  }
  return checked;
}

TEST_F(MainFormInputTest, ClickingAnOptionChoosesItsQuotaAndClearsTheOthers) {
  for (int i : {1, 2, 0, 2, 1}) {
    ClickButton(*Control<QAbstractButton>(form_, QStringLiteral("Option1(%1)").arg(i)));
    std::array<bool, 3> expected{};
    expected[static_cast<std::size_t>(i)] = true;
    EXPECT_EQ(Checked(form_), expected) << i;
    EXPECT_EQ(form_.State().values.quota_method, kMethods[static_cast<std::size_t>(i)]) << i;
  }
}

TEST_F(MainFormInputTest, ArrowKeysMoveTheChoiceWithinTheGroup) {
  Control<QWidget>(form_, "Option1(0)")->setFocus();
  EXPECT_EQ(PressKey(Qt::Key_Down), "Option1(1)");
  EXPECT_EQ(form_.State().values.quota_method, QuotaMethod::Droop);
  EXPECT_EQ(Checked(form_), (std::array<bool, 3>{false, true, false}));
  EXPECT_EQ(PressKey(Qt::Key_Down), "Option1(2)");
  EXPECT_EQ(form_.State().values.quota_method, QuotaMethod::HagenbachBischoff);
  EXPECT_EQ(Checked(form_), (std::array<bool, 3>{false, false, true}));
}

// An assistive tool checks an option through its toggle action, which raises no click.
TEST_F(MainFormInputTest, AnOptionCheckedByAnAssistiveToolIsTheQuotaUsed) {
  QAccessibleInterface* droop =
      QAccessible::queryAccessibleInterface(Control<QRadioButton>(form_, "Option1(1)"));
  ASSERT_NE(droop, nullptr);
  ASSERT_NE(droop->actionInterface(), nullptr);
  droop->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(Checked(form_), (std::array<bool, 3>{false, true, false}));
  EXPECT_EQ(form_.State().values.quota_method, QuotaMethod::Droop);
  ClickButton(*Control<QAbstractButton>(form_, "Command1"));  // any command shows the state again
  EXPECT_EQ(Checked(form_), (std::array<bool, 3>{false, true, false}));
}

// The help text holds the focus at start; its caret shows where, and the keys move it.
TEST_F(MainFormInputTest, HelpTextShowsACaretThatTheKeysMove) {
  auto* help = Control<QPlainTextEdit>(form_, "Text1(0)");
  ASSERT_TRUE(help->hasFocus());
  PressKey(Qt::Key_End, Qt::ControlModifier);  // to the empty line after the last line
  EXPECT_EQ(help->textCursor().position(), help->document()->characterCount() - 1);
  const QRect caret = help->cursorRect();
  const QImage picture = help->viewport()->grab().toImage();
  const QColor paper = help->palette().color(QPalette::Base);
  for (int y = caret.top() + 1; y < caret.bottom(); ++y) {
    EXPECT_NE(picture.pixelColor(caret.left(), y), paper) << y;
  }
  EXPECT_EQ(TypeInto("Text1(0)", "1"), help->toPlainText());  // still read-only
}

}  // namespace
}  // namespace mandati
