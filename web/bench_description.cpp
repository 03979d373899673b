// SPDX-License-Identifier: GPL-3.0-or-later
// What the page needs to build the teaching bench's view before its calculation is loaded:
// the bench's labels, its sample district, the methods it offers, by keyword and name from
// the core's tables, its views, the formats it offers as files, the companion's table of
// output formats, and the built-in elections it can load (name and title).

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cctype>
#include <string>
#include <string_view>

#include "core/method_choice.h"
#include "format/built_in_elections.h"
#include "format/output_formats.h"
#include "web/bench_texts.h"

namespace mandati::web {

namespace {

using emscripten::val;

val Text(std::string_view text) { return val(std::string(text)); }

val Choice(std::string_view key, std::string_view label) {
  val entry = val::object();
  entry.set("key", Text(key));
  entry.set("label", Text(label));
  return entry;
}

// The table is shown as text, which the page prints; every other format is offered as a file,
// its button named by its keyword in capitals.
val Downloads() {
  val downloads = val::array();
  for (const format::OutputFormatRule& rule : format::kOutputFormats) {
    if (rule.format == format::OutputFormat::kTable) continue;
    std::string label(rule.keyword);
    for (char& c : label) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    downloads.call<void>("push", Choice(rule.keyword, label));
  }
  return downloads;
}

}  // namespace

val BenchDescription() {
  val texts = val::object();
  for (const BenchText& text : kBenchTexts) texts.set(Text(text.key), Text(text.text));
  for (const BenchField& field : kBenchFields) texts.set(Text(field.key), Text(field.label));
  val methods = val::array();
  for (const Method method : AllMethods()) {
    val entry = val::object();
    entry.set("keyword", Text(KeywordOf(method)));
    entry.set("name", Text(NameOf(method)));
    methods.call<void>("push", entry);
  }
  val views = val::array();
  for (const BenchView& view : kBenchViews) {
    val entry = Choice(view.key, view.label);
    entry.set("picture", view.picture);
    views.call<void>("push", entry);
  }
  val formats = val::array();
  for (const format::OutputFormatRule& rule : format::kOutputFormats) {
    val entry = val::object();
    entry.set("keyword", Text(rule.keyword));
    entry.set("explains", rule.explains);
    entry.set("mediaType", Text(rule.media_type));
    entry.set("extension", Text(rule.extension));
    formats.call<void>("push", entry);
  }
  val description = val::object();
  description.set("texts", texts);
  description.set("methods", methods);
  description.set("views", views);
  description.set("downloads", Downloads());
  description.set("formats", formats);
  val elections = val::array();
  for (const format::ElectionSummary& summary : format::ElectionSummaries()) {
    elections.call<void>("push", Choice(summary.name, summary.title));
  }
  description.set("elections", elections);
  description.set("sampleParties", Text(kSampleParties));
  description.set("sampleSeats", Text(kSampleSeats));
  return description;
}

EMSCRIPTEN_BINDINGS(mandati_bench_description) {
  emscripten::function("benchDescription", &BenchDescription);
}

}  // namespace mandati::web
