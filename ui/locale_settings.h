// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/number_rules.h"

class QLocale;

namespace mandati {

// The user's number settings as a locale writes numbers: its decimal separator, its digit
// grouping (by thousands, or none when the locale omits group separators), whether a fraction
// below 1 has a zero before the separator, and the negative sign before the digits.
NumberSettings SettingsFromLocale(const QLocale& locale);

}  // namespace mandati
