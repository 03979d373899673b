// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/list_box.h"

#include <utility>

#include <QAccessible>
#include <QEvent>
#include <QFocusEvent>
#include <QItemSelection>
#include <QModelIndex>
#include <QPaintEvent>
#include <QPainter>
#include <QPalette>
#include <QStringList>

namespace mandati {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {}

void ListBox::ShowRows(const QStringList& rows, const QStringList& accessible_names,
                       const QString& description) {
  const bool was_showing = std::exchange(showing_, true);
  clear();
  addItems(rows);  // one insertion, laid out once
  for (int k = 0; k < accessible_names.size() && k < count(); ++k) {
    item(k)->setData(Qt::AccessibleTextRole, accessible_names[k]);
  }
  // A reader hears a column's rows with its name, without walking through them.
  if (accessibleDescription() != description) setAccessibleDescription(description);
  marked_row_ = -1;
  showing_ = was_showing;
}

void ListBox::ShowMarkedRow(int row) {
  marked_row_ = (row >= 0 && row < count()) ? row : -1;
  Sync();
  if (marked_row_ >= 0) scrollToItem(item(marked_row_));
}

void ListBox::Sync() {
  const bool was_showing = std::exchange(showing_, true);
  const QModelIndex marked = marked_row_ >= 0 ? model()->index(marked_row_, 0) : QModelIndex();
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.size() != (marked.isValid() ? 1 : 0) ||
      (marked.isValid() && selected.first() != marked)) {
    if (marked.isValid()) {
      selectionModel()->select(marked, QItemSelectionModel::ClearAndSelect);
    } else {
      selectionModel()->clearSelection();
    }
  }
  const QModelIndex current = hasFocus() ? marked : QModelIndex();
  if (currentIndex() != current) {
    // Not scrolled: a mouse press that brings the focus must still find the row it pressed.
    const bool auto_scroll = hasAutoScroll();
    setAutoScroll(false);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    setAutoScroll(auto_scroll);
  }
  showing_ = was_showing;
}

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
  // Qt would make the first row current by itself when there is none.
  const bool was_showing = std::exchange(showing_, true);
  QListWidget::focusInEvent(event);
  showing_ = was_showing;
  Sync();
  viewport()->update();  // the focus ring
  update();
  if (marked_row_ >= 0 && QAccessible::isActive()) {
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(marked_row_);
    QAccessible::updateAccessibility(&focus);
  }
}

void ListBox::focusOutEvent(QFocusEvent* event) {
  QListWidget::focusOutEvent(event);
  Sync();
  viewport()->update();
  update();
}

void ListBox::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QListWidget::selectionChanged(selected, deselected);
  if (showing_) return;
  const QModelIndexList rows = selected.indexes();
  if (!rows.isEmpty() && rows.first().row() != marked_row_) emit RowChosen(rows.first().row());
  Sync();  // a choice the window refused, or a mark taken off, is shown as it was
}

// Qt tells assistive tools of a focused row whenever the current row changes, focused or not,
// and while the window shows its state.
void ListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  if (hasFocus() && !showing_) {
    QListWidget::currentChanged(current, previous);
  } else {
    QAbstractItemView::currentChanged(current, previous);  // NOLINT(bugprone-parent-virtual-call)
  }
}

void ListBox::paintEvent(QPaintEvent* event) {
  QListWidget::paintEvent(event);
  if (!hasFocus()) return;
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::Text));
  painter.drawRect(viewport()->rect().adjusted(0, 0, -1, -1));
}

}  // namespace mandati
