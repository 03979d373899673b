// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_form.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QList>
#include <QObject>
#include <QString>
#include <QWidget>

namespace mandati {

namespace {

class ShownChildrenAccessible : public QAccessibleWidget {
 public:
  using QAccessibleWidget::QAccessibleWidget;

  int childCount() const override { return static_cast<int>(Shown().size()); }

  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> shown = Shown();
    if (index < 0 || index >= shown.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(shown[index]);
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    auto* widget = child == nullptr ? nullptr : qobject_cast<QWidget*>(child->object());
    return static_cast<int>(Shown().indexOf(widget));
  }

 private:
  QList<QWidget*> Shown() const {
    QList<QWidget*> shown;
    for (QObject* child : widget()->children()) {
      auto* control = qobject_cast<QWidget*>(child);
      if (control != nullptr && !control->isWindow() && control->isVisibleTo(widget())) {
        shown.append(control);
      }
    }
    return shown;
  }
};

// Consulted by class name, most derived first; the names are the window's own classes, which
// a widget no longer has while it is being destroyed.
QAccessibleInterface* FormFactory(const QString& class_name, QObject* object) {
  if (class_name == QStringLiteral("mandati::MainForm") ||
      class_name == QStringLiteral("mandati::FormArea")) {
    auto* widget = qobject_cast<QWidget*>(object);
    return new ShownChildrenAccessible(
        widget, widget->isWindow() ? QAccessible::Window : QAccessible::Client);
  }
  return nullptr;
}

}  // namespace

void InstallFormAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(FormFactory);
    return true;
  }();
  static_cast<void>(installed);
}

}  // namespace mandati
