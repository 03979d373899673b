// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QItemSelectionModel>
#include <QListWidget>
#include <QStringList>

class QEvent;
class QFocusEvent;
class QItemSelection;
class QModelIndex;
class QPaintEvent;
class QString;

namespace mandati {

// A list box of one marked row, whose click is the user's choice of a row only.
//
// The window shows the rows and the marked row (ShowRows, ShowMarkedRow); that raises nothing.
// Any other change of the marked row is the user's choice and raises RowChosen, whatever made
// it: a mouse press or drag, a key that moves through the list, or an assistive tool's action
// or selection on a row. The window then shows the chosen party; a choice it refuses is undone.
//
// The mark is never taken off by Ctrl+click, Ctrl+Space or a click below the last row. The list
// has a current row only while it holds the keyboard focus, and then it is the marked row: an
// assistive tool is told of one focused row in the whole window, the one the keys move. While
// focused, the list is ringed in the text colour, two pixels wide: its border and a line inside.
class ListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit ListBox(QWidget* parent = nullptr);

  // Rows named for assistive tools (none: by their text), and the list's description.
  void ShowRows(const QStringList& rows, const QStringList& accessible_names,
                const QString& description);
  void ShowMarkedRow(int row);
  int MarkedRow() const { return marked_row_; }

 signals:
  void RowChosen(int row);

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Makes the widget mark exactly marked_row_, current only while focused, raising nothing.
  void Sync();

  int marked_row_ = -1;
  bool showing_ = false;
};

}  // namespace mandati
