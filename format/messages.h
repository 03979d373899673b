// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every sentence and word that the companion and the page write goes through Tr or TrN. The
// English text is the key of the message catalogues (po/*.po, GNU gettext), which give it in
// the chosen language; a text missing from a catalogue is written in English.
//
//   Tr("the name before the votes is empty")
//   Tr("{1}, line {2}: {3}", source, line, why)            placeholders {1}, {2}, ... so that
//                                                          a translation can reorder them
//   TrN("{1} seat", "{1} seats", seats, seats_text)        the plural form for the number
//
// A text kept in a table is marked for the catalogues with NoTr("...") where it is written and
// translated with Tr(entry) where it is shown. The window's own words (its captions, column
// headings and quota names) are the window's and are not translated.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace mandati::format {

enum class Language : std::uint8_t { kEnglish, kBulgarian };

// The language of every text written from now on; English until a program chooses.
void SetLanguage(Language language);
Language CurrentLanguage();

// `text` with "{1}", "{2}", ... replaced by the arguments in that order.
std::string Filled(std::string_view text, std::initializer_list<std::string_view> arguments);

// The message in the current language.
std::string TranslatedText(std::string_view english);
// The plural form for `n` of the message in the current language.
std::string TranslatedPlural(std::string_view singular, std::string_view plural, std::int64_t n);

template <typename... Arguments>
std::string Tr(std::string_view english, const Arguments&... arguments) {
  return Filled(TranslatedText(english), {std::string_view(arguments)...});
}

template <typename... Arguments>
std::string TrN(std::string_view singular, std::string_view plural, std::int64_t n,
                const Arguments&... arguments) {
  return Filled(TranslatedPlural(singular, plural, n), {std::string_view(arguments)...});
}

// Marks a text kept in a table for the catalogues; it is translated where it is shown.
constexpr std::string_view NoTr(std::string_view english) { return english; }

}  // namespace mandati::format
