// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPoint>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "ui/list_box.h"
#include "ui/main_form.h"

namespace mandati {

QWidget* ControlNamed(const MainForm& form, const QString& name) {
  auto* widget = form.findChild<QWidget*>(name);
  EXPECT_NE(widget, nullptr) << name.toStdString();
  return widget;
}

bool ShowActive(MainForm& form) {
  form.show();
  form.activateWindow();
  return QTest::qWaitForWindowActive(&form);
}

void TypeText(QWidget& widget, const QString& text) {
  for (const QChar character : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
    QApplication::sendEvent(&widget, &press);
    QApplication::sendEvent(&widget, &release);
  }
}

void ClickRow(QListWidget& list, int row, Qt::KeyboardModifiers modifiers) {
  list.scrollToItem(list.item(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                    list.visualItemRect(list.item(row)).center());
}

void ClickButton(QAbstractButton& button) {
  QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, QPoint(4, button.height() / 2));
}

QString PressKey(int key, Qt::KeyboardModifiers modifiers) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) return {};
  QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
  focus = QApplication::focusWidget();
  return focus == nullptr ? QString() : focus->objectName();
}

NumberSettings PointSettings() {
  NumberSettings settings;
  settings.decimal_separator = ".";
  settings.group_size = 0;
  return settings;
}

ListBox& FormRoadTest::List(int index) const {
  return *Control<ListBox>(form_, QStringLiteral("List1(%1)").arg(index));
}

QLineEdit& FormRoadTest::Box(const char* name) const {
  return *Control<QLineEdit>(form_, QString::fromUtf8(name));
}

void FormRoadTest::Click(const char* name) const {
  ClickButton(*Control<QAbstractButton>(form_, QString::fromUtf8(name)));
}

void FormRoadTest::TypeInto(const char* name, const QString& text) const {
  QLineEdit& box = Box(name);
  QTest::mouseClick(&box, Qt::LeftButton);
  box.end(false);
  TypeText(box, text);
}

void FormRoadTest::SetUpParties(const QString& parties, const QString& seats) const {
  TypeInto("Text2(0)", parties);
  TypeInto("Text2(1)", seats);
  Click("Command1");
}

void FormRoadTest::EnterVotes(const QStringList& votes) const {
  for (int row = 0; row < votes.size(); ++row) {
    ClickRow(List(0), row);
    TypeInto("Text3(0)", votes[row]);
    Click("Command2(0)");
  }
}

}  // namespace mandati
