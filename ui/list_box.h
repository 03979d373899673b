#pragma once

#include <QItemSelectionModel>
#include <QListWidget>

class QEvent;
class QModelIndex;

namespace mandati {

// A list box of one selected row that stays marked. A plain single-selection list lets
// Ctrl+click or Ctrl+Space take the mark off the current row without moving it, which would
// hide the party that the column still has selected.
class ListBox : public QListWidget {
 public:
  using QListWidget::QListWidget;

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
};

}  // namespace mandati
