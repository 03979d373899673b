#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>

#include "ui/main_form.h"

namespace {

// For start-up measurements (scripts/startup-bench): with MANDATI_EXIT_AFTER_FIRST_PAINT
// set, the program leaves as soon as its window has been painted for the first time.
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

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  ExitAfterFirstPaint exit_after_first_paint;
  mandati::MainForm form;
  if (!qEnvironmentVariableIsEmpty("MANDATI_EXIT_AFTER_FIRST_PAINT")) {
    form.installEventFilter(&exit_after_first_paint);
  }
  form.show();
  return QApplication::exec();
}
