// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "format/messages.h"

namespace mandati::cli {

// mandati-cli's message catalogues, read by the C library's gettext from `directory`
// (<directory>/<language code>/LC_MESSAGES/<domain>.mo).
//
// glibc's gettext reads the language from LANGUAGE only while LC_MESSAGES is not the "C"
// locale, and many machines have no Bulgarian locale to set (schools' and CI machines often
// have only C.UTF-8). So the catalogue sets LC_MESSAGES to C.UTF-8, which every Debian system
// has, and names each language it is asked for in LANGUAGE. The other locale categories,
// numbers among them, stay "C". Its translations come in UTF-8 whatever the locale.
class GettextCatalogue final : public format::Catalogue {
 public:
  GettextCatalogue(std::string domain, const std::string& directory);

  std::optional<std::string_view> Text(format::Language language,
                                       std::string_view english) override;
  std::optional<std::string_view> Plural(format::Language language, std::string_view singular,
                                         std::string_view plural, std::int64_t n) override;

 private:
  // Points gettext at `language`: gettext keeps what it found for the language before, so a
  // change of LANGUAGE is announced to it, as its manual says, by setting the domain again.
  void Use(format::Language language);

  std::string domain_;
  std::optional<format::Language> language_;  // the one LANGUAGE names now
};

// The folder of mandati-cli's compiled catalogues: `locale` beside the program's folder when
// it holds catalogues of `domain` (build/locale for build/cli/mandati-cli, so that the program
// runs from the build tree without installation), else the folder they are installed in.
std::string CatalogueDirectory(std::string_view domain);

}  // namespace mandati::cli
