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
//
// The translations come from a Catalogue: mandati-cli reads the installed catalogues through
// the C library's gettext (cli/gettext_catalogue.h), the page the copies compiled into it
// (format/mo_catalogue.h). Both follow one rule: the plural form is the first for n == 1 and
// the second for every other n (both catalogues say `plural=(n != 1)`, which the build checks).

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace mandati::format {

enum class Language : std::uint8_t { kEnglish, kBulgarian };

// Each language with its ISO 639-1 code, the name of its catalogue (po/<code>.po) and of its
// folder of compiled catalogues (<code>/LC_MESSAGES/mandati.mo).
struct LanguageCode {
  Language language;
  std::string_view code;
};
inline constexpr LanguageCode kLanguageCodes[] = {{Language::kEnglish, "en"},
                                                  {Language::kBulgarian, "bg"}};

std::string_view CodeOf(Language language);
// The language whose code is `code` ("bg"), if it is one of kLanguageCodes.
std::optional<Language> LanguageOfCode(std::string_view code);

// The translations of one program: the message in `language` for an English key, or nothing
// when the catalogue has none (the key is then written as it is).
class Catalogue {
 public:
  virtual ~Catalogue() = default;
  virtual std::optional<std::string_view> Text(Language language, std::string_view english) = 0;
  // The plural form for `n`, from the pair of English forms that is the key.
  virtual std::optional<std::string_view> Plural(Language language, std::string_view singular,
                                                 std::string_view plural, std::int64_t n) = 0;
};

// The language of every text written from now on; English until a program chooses.
void SetLanguage(Language language);
Language CurrentLanguage();
// Where the texts are translated from now on (not owned; it must outlive its use); without
// one, every text is its English key.
void SetCatalogue(Catalogue* catalogue);

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
