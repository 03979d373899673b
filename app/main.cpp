// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QLocale>
#include <QTranslator>

#include "app/first_paint_exit.h"
#include "ui/locale_settings.h"
#include "ui/main_form.h"
#include "ui/unpaintable_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The launcher's name without ".desktop": Wayland desktops find its icon and name by it.
  QApplication::setDesktopFileName(QStringLiteral("example.c_seed_a7c68709.mandati"));
  if (QTranslator* qt_texts = mandati::QtTranslation(QLocale(), &application)) {
    QApplication::installTranslator(qt_texts);
  }
  mandati::UseWindowFontByDefault();
  mandati::SkipPaintingWhereNothingCanBePainted(application);
  mandati::MainForm form;
  mandati::ExitAfterFirstPaintWhenAsked(form);
  form.show();
  return QApplication::exec();
}
