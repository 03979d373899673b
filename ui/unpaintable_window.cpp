// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/unpaintable_window.h"

#include <QApplication>
#include <QBackingStore>
#include <QEvent>
#include <QObject>
#include <QPaintDevice>
#include <QWidget>

namespace mandati {

namespace {

class PaintFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
    // While a window paints, its store's device is the picture the painters draw on.
    QBackingStore* store = static_cast<QWidget*>(watched)->backingStore();
    if (store == nullptr) return false;
    const QPaintDevice* device = store->paintDevice();
    return device != nullptr && device->paintEngine() == nullptr;
  }
};

}  // namespace

void SkipPaintingWhereNothingCanBePainted(QApplication& application) {
  application.installEventFilter(new PaintFilter(&application));
}

}  // namespace mandati
