// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "format/messages.h"

namespace mandati::cli {

// The language mandati-cli writes in, from the user's environment, as gettext reads it: the
// first entry of LANGUAGE (a colon-separated list such as "bg_BG:en") that names Bulgarian or
// English decides; without one, the locale that the first of LC_ALL, LC_MESSAGES and LANG
// that is set and not empty names: Bulgarian when its language is bg ("bg_BG.UTF-8"), else
// English ("C", "C.UTF-8", "de_DE.UTF-8", nothing set). Unlike gettext, which ignores
// LANGUAGE under the "C" locale, LANGUAGE always counts, so that LANGUAGE=bg works on a
// machine that has no Bulgarian locale. `variable` gives the value of an environment variable,
// or null when it is not set.
format::Language LanguageFromEnvironment(const std::function<const char*(const char*)>& variable);

// From now on, mandati-cli writes in the language of its environment, from its catalogues.
void UseUsersLanguage();

}  // namespace mandati::cli
