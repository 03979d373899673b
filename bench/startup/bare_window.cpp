// The yardstick for scripts/startup-bench: an empty Qt window of the calculator's size,
// built with the same compiler and Qt. With MANDATI_EXIT_AFTER_FIRST_PAINT set it leaves
// right after its first paint, as the calculator does. With MANDATI_BARE_WITH_TEXT set it
// also shows one line of text in the calculator's font, to tell what the first text costs.
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMetaObject>
#include <QObject>
#include <QWidget>

namespace {

class ExitAfterFirstPaint : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !exit_queued_) {
      exit_queued_ = true;
      QMetaObject::invokeMethod(
          QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool exit_queued_ = false;
};

// The calculator's client area: 7680 x 6900 twips at 15 twips a pixel.
constexpr int kWidth = 512;
constexpr int kHeight = 460;

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  ExitAfterFirstPaint exit_after_first_paint;
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare window"));
  window.setFixedSize(kWidth, kHeight);
  window.setAutoFillBackground(true);
  if (!qEnvironmentVariableIsEmpty("MANDATI_BARE_WITH_TEXT")) {
    auto* label = new QLabel(QStringLiteral("Брой партии:"), &window);
    label->setFont(QFont(QStringLiteral("Times New Roman"), 12));
    label->move(8, 8);
  }
  if (!qEnvironmentVariableIsEmpty("MANDATI_EXIT_AFTER_FIRST_PAINT")) {
    window.installEventFilter(&exit_after_first_paint);
  }
  window.show();
  return QApplication::exec();
}
