// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/ui/ui_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPoint>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

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

}  // namespace mandati
