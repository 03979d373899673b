// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for scripts/startup-bench: a Qt window of the calculator's size that shows one
// line of text in the calculator's font, so that it loads the fonts before its first paint as
// the calculator does. With MANDATI_EXIT_AFTER_FIRST_PAINT set it leaves right after that paint.
#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

#include "app/first_paint_exit.h"

namespace {

// The calculator's client area: 7680 x 6900 twips at 15 twips a pixel.
constexpr int kWidth = 512;
constexpr int kHeight = 460;

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("bare window"));
  window.setFixedSize(kWidth, kHeight);
  window.setAutoFillBackground(true);
  auto* label = new QLabel(QStringLiteral("Брой партии:"), &window);
  label->setFont(QFont(QStringLiteral("Times New Roman"), 12));
  label->move(8, 8);
  mandati::ExitAfterFirstPaintWhenAsked(window);
  window.show();
  return QApplication::exec();
}
