#include <QApplication>

#include "ui/main_form.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  mandati::MainForm form;
  form.show();
  return QApplication::exec();
}
