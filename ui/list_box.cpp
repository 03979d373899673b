// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_box.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QModelIndex>
#include <QMouseEvent>

namespace mandati {

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
  const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
  // A press below the last row would clear the mark; Ctrl would toggle it off.
  if (!index.isValid() ||
      command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
    return QItemSelectionModel::NoUpdate;
  }
  return command;
}

void ListBox::focusInEvent(QFocusEvent* event) {
  const QModelIndex current = currentIndex();
  QListWidget::focusInEvent(event);
  if (currentIndex() != current)
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
}

template <typename Handle>
void ListBox::ReportChoice(Handle&& handle) {
  const int before = currentRow();
  handle();
  const int after = currentRow();
  if (after != before && after >= 0) emit RowChosen(after);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
  ReportChoice([this, event] { QListWidget::keyPressEvent(event); });
}

void ListBox::mousePressEvent(QMouseEvent* event) {
  ReportChoice([this, event] { QListWidget::mousePressEvent(event); });
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
  ReportChoice([this, event] { QListWidget::mouseMoveEvent(event); });
}

}  // namespace mandati
