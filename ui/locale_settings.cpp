// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/locale_settings.h"

#include <QLocale>
#include <QString>

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

}  // namespace mandati
