#include <QApplication>

#include "app/first_paint_exit.h"
#include "ui/main_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  mandati::MainForm form;
  mandati::ExitAfterFirstPaintWhenAsked(form);
  form.show();
  return QApplication::exec();
}
