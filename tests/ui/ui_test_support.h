// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers by which the window tests act as a user: typing, clicking and pressing keys on the real
// widgets, found by their object names.

#include <ostream>

#include <QColor>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "ui/main_form.h"

class QAbstractButton;
class QLineEdit;
class QListWidget;
class QWidget;

namespace mandati {

class ListBox;

// The child of the window with this object name; fails the current test when it is missing.
QWidget* ControlNamed(const MainForm& form, const QString& name);

template <typename T>
T* Control(const MainForm& form, const QString& name) {
  return qobject_cast<T*>(ControlNamed(form, name));
}

// Shows the window and makes it the active one, so that it takes keyboard focus.
bool ShowActive(MainForm& form);

// One key event per character, as typing on a keyboard (any script) sends them.
void TypeText(QWidget& widget, const QString& text);

// A mouse click at the middle of the row, as the user selects a party.
void ClickRow(QListWidget& list, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// A mouse click a few pixels in from the button's left edge, where any button takes it: an
// option button's text can be narrower than the button.
void ClickButton(QAbstractButton& button);

// Presses a key on the widget that holds the focus; returns that widget's object name
// afterwards.
QString PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

NumberSettings PointSettings();

// The shown window, with a full stop for decimals and no grouping whatever the machine's
// locale, and the steps by which a test goes through it as a user: typed keys and clicks.
class FormRoadTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(ShowActive(form_)); }

  ListBox& List(int index) const;
  QLineEdit& Box(const char* name) const;
  void Click(const char* name) const;
  void TypeInto(const char* name, const QString& text) const;
  // Types the counts into their boxes and presses "Определи".
  void SetUpParties(const QString& parties, const QString& seats) const;
  // Chooses each party in turn, types its votes and presses "Въведи".
  void EnterVotes(const QStringList& votes) const;

  MainForm form_{PointSettings()};
};

}  // namespace mandati

// Readable failure messages for Qt values; GoogleTest finds these next to the types.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QColor& colour, std::ostream* out) {
  *out << "rgb(" << colour.red() << ", " << colour.green() << ", " << colour.blue() << ")";
}
