// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/user_language.h"

#include <cstdlib>
#include <optional>
#include <string_view>

#include "cli/gettext_catalogue.h"

namespace mandati::cli {

namespace {

// The catalogues' text domain: po/ compiles them into <code>/LC_MESSAGES/mandati.mo.
constexpr char kDomain[] = "mandati";

// The language of a locale or LANGUAGE entry, "bg" in "bg_BG.UTF-8@latin", if it has a
// catalogue.
std::optional<format::Language> LanguageOf(std::string_view locale) {
  return format::LanguageOfCode(locale.substr(0, locale.find_first_of("_.@")));
}

}  // namespace

format::Language LanguageFromEnvironment(const std::function<const char*(const char*)>& variable) {
  const char* const languages = variable("LANGUAGE");
  for (std::string_view list = languages ? languages : ""; !list.empty();) {
    const std::size_t colon = list.find(':');
    if (const auto language = LanguageOf(list.substr(0, colon))) return *language;
    list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
  }
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* const locale = variable(name);
    if (locale == nullptr || *locale == '\0') continue;
    return LanguageOf(locale) == format::Language::kBulgarian ? format::Language::kBulgarian
                                                              : format::Language::kEnglish;
  }
  return format::Language::kEnglish;
}

void UseUsersLanguage() {
  static GettextCatalogue catalogue(kDomain, CatalogueDirectory(kDomain));
  format::SetCatalogue(&catalogue);
  format::SetLanguage(
      LanguageFromEnvironment([](const char* name) -> const char* { return std::getenv(name); }));
}

}  // namespace mandati::cli
