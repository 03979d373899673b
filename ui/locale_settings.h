// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/number_rules.h"

class QLocale;
class QObject;
class QTranslator;

namespace mandati {

// The user's number settings as a locale writes numbers: its decimal separator, its digit
// grouping (by thousands, or none when the locale omits group separators), whether a fraction
// below 1 has a zero before the separator, and the negative sign before the digits.
NumberSettings SettingsFromLocale(const QLocale& locale);

// Qt's own texts (a text box's context menu, the standard keys' names) for the user's language,
// from the translations Qt installs, or in Bulgarian, the window's language, where Qt has none
// for it. Null when neither can be read. The caller installs it.
QTranslator* QtTranslation(const QLocale& locale, QObject* parent);

}  // namespace mandati
