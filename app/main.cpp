// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "app/first_paint_exit.h"
#include "ui/main_form.h"
#include "ui/unpaintable_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The launcher's name without ".desktop": Wayland desktops find its icon and name by it.
  QApplication::setDesktopFileName(QStringLiteral("example.c_seed_a7c68709.mandati"));
  mandati::UseWindowFontByDefault();
  mandati::SkipPaintingWhereNothingCanBePainted(application);
  mandati::MainForm form;
  mandati::ExitAfterFirstPaintWhenAsked(form);
  form.show();
  return QApplication::exec();
}
