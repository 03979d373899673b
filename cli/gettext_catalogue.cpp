// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/gettext_catalogue.h"

#include <libintl.h>
#include <stdlib.h>

#include <clocale>
#include <filesystem>
#include <system_error>
#include <utility>

namespace mandati::cli {

GettextCatalogue::GettextCatalogue(std::string domain, const std::string& directory)
    : domain_(std::move(domain)) {
  std::setlocale(LC_MESSAGES, "C.UTF-8");
  bindtextdomain(domain_.c_str(), directory.c_str());
  bind_textdomain_codeset(domain_.c_str(), "UTF-8");
}

// gettext gives back the key it was asked for when it has no translation.
std::optional<std::string_view> GettextCatalogue::Text(format::Language language,
                                                       std::string_view english) {
  Use(language);
  const std::string key(english);
  const char* text = dgettext(domain_.c_str(), key.c_str());
  if (text == key.c_str()) return std::nullopt;
  return text;
}

std::optional<std::string_view> GettextCatalogue::Plural(format::Language language,
                                                         std::string_view singular,
                                                         std::string_view plural, std::int64_t n) {
  Use(language);
  const std::string singular_key(singular);
  const std::string plural_key(plural);
  // A negative n is no count; as a huge unsigned one it takes the plural form, as (n != 1) says.
  const char* text = dngettext(domain_.c_str(), singular_key.c_str(), plural_key.c_str(),
                               static_cast<unsigned long>(n));
  if (text == singular_key.c_str() || text == plural_key.c_str()) return std::nullopt;
  return text;
}

void GettextCatalogue::Use(format::Language language) {
  if (language_ == language) return;
  setenv("LANGUAGE", std::string(format::CodeOf(language)).c_str(), 1);
  textdomain(textdomain(nullptr));
  language_ = language;
}

std::string CatalogueDirectory(std::string_view domain) {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  const std::filesystem::path beside = program.parent_path().parent_path() / "locale";
  for (const format::LanguageCode& entry : format::kLanguageCodes) {
    const std::filesystem::path file =
        beside / entry.code / "LC_MESSAGES" / (std::string(domain) + ".mo");
    if (!error && std::filesystem::is_regular_file(file, error)) return beside.string();
  }
  return MANDATI_LOCALEDIR;
}

}  // namespace mandati::cli
