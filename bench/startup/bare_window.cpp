// The yardstick for scripts/startup-bench: an empty Qt window of the calculator's size,
// built with the same compiler and Qt. With MANDATI_EXIT_AFTER_FIRST_PAINT set it leaves
// right after its first paint, as the calculator does. With MANDATI_BARE_WITH_TEXT set it
// also shows one line of text in the calculator's font, to tell what the first text costs.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include "app/exit_after_first_paint.h"

namespace {

// The calculator's client area: 7680 x 6900 twips at 15 twips a pixel.
constexpr int kWidth = 512;
constexpr int kHeight = 460;

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  mandati::ExitAfterFirstPaint exit_after_first_paint;
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
