// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QItemSelectionModel>
#include <QListWidget>

class QEvent;
class QFocusEvent;
class QKeyEvent;
class QModelIndex;
class QMouseEvent;

namespace mandati {

// A list box of one marked row, which is always its current row, and whose click is the user's
// choice of a row only.
//
// Qt makes a row current by itself when a list without one takes the focus, and a plain
// single-selection list lets Ctrl+click, Ctrl+Space or a click below the last row take the mark
// off the current row. Either would show a row other than the party the column has selected.
// Here the focus arriving changes no row, the mark is never taken off, and RowChosen is raised
// only when the user moves to another row: a mouse press (or drag) on a row, or a key that moves
// through the list (arrows, Home, End, Page Up, Page Down, typing a row's first characters).
class ListBox : public QListWidget {
  Q_OBJECT

 public:
  using QListWidget::QListWidget;

 signals:
  void RowChosen(int row);

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void focusInEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  // Lets Qt handle the user's input and raises RowChosen when it moved the current row.
  template <typename Handle>
  void ReportChoice(Handle&& handle);
};

}  // namespace mandati
