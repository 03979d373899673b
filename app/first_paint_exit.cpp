// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/first_paint_exit.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <cstdio>

namespace mandati {

namespace {

class ExitAfterFirstPaint : public QObject {
 public:
  explicit ExitAfterFirstPaint(QObject& window) : QObject(&window), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Paint && !exit_queued_) {
      exit_queued_ = true;
      // Queued, so the paint under way (the window and all its controls) is finished and
      // shown before the program leaves.
      QMetaObject::invokeMethod(
          QCoreApplication::instance(),
          [] {
            std::fflush(nullptr);
            _exit(0);
          },
          Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const QObject& window_;
  bool exit_queued_ = false;
};

}  // namespace

void ExitAfterFirstPaintWhenAsked(QObject& window) {
  if (qEnvironmentVariableIsEmpty("MANDATI_EXIT_AFTER_FIRST_PAINT")) return;
  // On the application, and installed last, so that it sees the first paint event before any
  // other filter, also where a window that cannot be painted has its paint events dropped
  // (ui/unpaintable_window.h).
  QCoreApplication::instance()->installEventFilter(new ExitAfterFirstPaint(window));
}

}  // namespace mandati
