#include "ui/list_box.h"

#include <QEvent>
#include <QModelIndex>

namespace mandati {

QItemSelectionModel::SelectionFlags ListBox::selectionCommand(const QModelIndex& index,
                                                              const QEvent* event) const {
  const QItemSelectionModel::SelectionFlags command = QListWidget::selectionCommand(index, event);
  if (command.testAnyFlags(QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)) {
    return QItemSelectionModel::NoUpdate;
  }
  return command;
}

}  // namespace mandati
