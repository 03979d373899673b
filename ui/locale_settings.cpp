// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locale_settings.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QTranslator>

namespace mandati {

namespace {

constexpr int kThousands = 3;

}  // namespace

NumberSettings SettingsFromLocale(const QLocale& locale) {
  NumberSettings settings;
  settings.decimal_separator = locale.decimalPoint().toStdString();
  settings.group_separator = locale.groupSeparator().toStdString();
  settings.group_size =
      locale.numberOptions().testFlag(QLocale::OmitGroupSeparator) ? 0 : kThousands;
  settings.leading_zero = locale.toString(0.5, 'f', 1).startsWith(locale.zeroDigit());
  // Every locale writes its negative sign before the digits (Qt offers no other form).
  settings.negative_form = NumberSettings::NegativeForm::kLeadingMinus;
  return settings;
}

QTranslator* QtTranslation(const QLocale& locale, QObject* parent) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(parent);
  const QString prefix = QStringLiteral("qtbase");
  const QString separator = QStringLiteral("_");
  if (translator->load(locale, prefix, separator, folder) ||
      translator->load(QLocale(QLocale::Bulgarian), prefix, separator, folder)) {
    return translator;
  }
  delete translator;
  return nullptr;
}

}  // namespace mandati
