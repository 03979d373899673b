#include <QApplication>

#include "app/exit_after_first_paint.h"
#include "ui/main_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The launcher's name without ".desktop": Wayland desktops find its icon and name by it.
  QApplication::setDesktopFileName(QStringLiteral("example.c_seed_a7c68709.mandati"));
  mandati::ExitAfterFirstPaint exit_after_first_paint;
  mandati::MainForm form;
  if (!qEnvironmentVariableIsEmpty("MANDATI_EXIT_AFTER_FIRST_PAINT")) {
    form.installEventFilter(&exit_after_first_paint);
  }
  form.show();
  return QApplication::exec();
}
