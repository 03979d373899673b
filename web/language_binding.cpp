// SPDX-License-Identifier: GPL-3.0-or-later
// The language of the page's and the bench's words: the page sets it from its language switch,
// by its code ("bg", "en"; false for a code without a catalogue). The translations are the
// catalogues of po/, compiled into the module because the page's C library has no gettext. The page
// speaks Bulgarian until it is told otherwise.

#include <emscripten/bind.h>

#include <optional>
#include <string>

#include "format/messages.h"
#include "format/mo_catalogue.h"
#include "web/embedded_catalogues.h"

namespace mandati::web {

namespace {

format::MoCatalogue& PageCatalogue() {
  static format::MoCatalogue catalogue = [] {
    format::MoCatalogue embedded;
    for (const format::LanguageCode& entry : format::kLanguageCodes) {
      embedded.Add(entry.language, EmbeddedCatalogue(entry.code));
    }
    return embedded;
  }();
  return catalogue;
}

bool SetBenchLanguage(const std::string& code) {
  const std::optional<format::Language> language = format::LanguageOfCode(code);
  if (!language) return false;
  format::SetCatalogue(&PageCatalogue());
  format::SetLanguage(*language);
  return true;
}

}  // namespace

EMSCRIPTEN_BINDINGS(mandati_language) {
  emscripten::function("setLanguage", &SetBenchLanguage);
  SetBenchLanguage("bg");
}

}  // namespace mandati::web
