#pragma once

// For start-up measurements (scripts/startup-bench): watching a window, this ends the program
// as soon as the window has been painted for the first time. Shared with the bare yardstick
// window, so both programs stop at the same point.
#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>

namespace mandati {

class ExitAfterFirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !exit_queued_) {
      exit_queued_ = true;
      // Queued, so the paint under way (the window and all its controls) is finished and
      // flushed to the screen before the event loop ends.
      QMetaObject::invokeMethod(
          QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool exit_queued_ = false;
};

}  // namespace mandati
