// SPDX-License-Identifier: GPL-3.0-or-later
// The page's own words and what the page knows of its build: the version, the commit and the
// source archive beside the page (web/build_info.cmake writes them at each build).

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <string_view>

#include "format/messages.h"
#include "web/build_info.h"
#include "web/page_texts.h"

namespace mandati::web {

namespace {

using emscripten::val;

val Text(std::string_view text) { return val(std::string(text)); }

std::string VersionText() {
  std::string version(kBuildVersion);
  if (!std::string_view(kBuildCommit).empty()) {
    version = format::Tr(kBuildHasLocalChanges ? kChangedCommitText : kCommitText, version,
                         std::string_view(kBuildCommit));
  }
  return format::Tr(kVersionText, version);
}

}  // namespace

// In the page's language (web/language_binding.cpp: Bulgarian until it is switched).
val PageDescription() {
  val texts = val::object();
  for (const PageText& text : kPageTexts) texts.set(Text(text.key), format::Tr(text.english));
  texts.set("version", VersionText());
  val description = val::object();
  description.set("texts", texts);
  description.set("sourceArchive", Text(kBuildSourceArchive));
  return description;
}

EMSCRIPTEN_BINDINGS(mandati_page_description) {
  emscripten::function("pageDescription", &PageDescription);
}

}  // namespace mandati::web
