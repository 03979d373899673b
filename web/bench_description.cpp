// SPDX-License-Identifier: GPL-3.0-or-later
// What the page's side of the teaching bench needs to build its view (from the bench's module,
// instantiated on the page beside the worker that calculates): the bench's labels (the page's
// own words among them), its languages, its sample district, the methods it offers, by keyword
// and name from the core's tables, its views, the formats it offers as files, the companion's
// table of output formats, and the built-in elections it can load (name and title); and the
// link that reopens a district, written and read back checked (format/bench_link.h).

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cctype>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/method_choice.h"
#include "format/bench_link.h"
#include "format/built_in_elections.h"
#include "format/messages.h"
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

// Every format is offered as a file (the text table for terminals among them), its button named
// by its keyword in capitals.
val Downloads() {
  val downloads = val::array();
  for (const format::OutputFormatRule& rule : format::kOutputFormats) {
    std::string label(rule.keyword);
    for (char& c : label) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    downloads.call<void>("push", Choice(rule.keyword, label));
  }
  return downloads;
}

std::vector<std::string_view> ViewKeys() {
  std::vector<std::string_view> keys;
  for (const BenchView& view : kBenchViews) keys.push_back(view.key);
  return keys;
}

std::string StringField(const val& fields, const char* key) {
  const val field = fields[key];
  return field.isString() ? field.as<std::string>() : std::string();
}

}  // namespace

// In the bench's language (web/language_binding.cpp: Bulgarian until it is switched).
val BenchDescription() {
  val texts = val::object();
  for (const auto& table :
       {std::span<const PageText>(kBenchTexts), std::span<const PageText>(kPageTexts)}) {
    for (const PageText& text : table) texts.set(Text(text.key), format::Tr(text.english));
  }
  for (const BenchField& field : kBenchFields) texts.set(Text(field.key), format::Tr(field.label));
  val languages = val::array();
  for (const BenchLanguage& language : kBenchLanguages) {
    languages.call<void>("push", Choice(language.code, language.name));
  }
  val methods = val::array();
  for (const Method method : AllMethods()) {
    val entry = val::object();
    entry.set("keyword", Text(KeywordOf(method)));
    entry.set("name", Text(NameOf(method)));
    methods.call<void>("push", entry);
  }
  val views = val::array();
  for (const BenchView& view : kBenchViews) {
    val entry = Choice(view.key, format::Tr(view.label));
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
  description.set("languages", languages);
  description.set("language", Text(format::CodeOf(format::CurrentLanguage())));
  description.set("maxLinkBytes", format::kMaxLinkBytes);
  return description;
}

// The text of the link to what the bench's fields say ({parties, seats, methods, exact,
// explain, show, language}); empty when the district is too large for a link.
std::string BenchLinkText(const val& fields) {
  format::BenchLink link;
  link.fields.parties = StringField(fields, "parties");
  link.fields.seats = StringField(fields, "seats");
  const val methods = fields["methods"];
  if (methods.isArray()) {
    const auto length = methods["length"].as<unsigned>();
    for (unsigned i = 0; i < length; ++i) {
      if (methods[i].isString()) link.fields.methods.push_back(methods[i].as<std::string>());
    }
  }
  link.fields.exact = fields["exact"].isTrue();
  link.fields.explain = fields["explain"].isTrue();
  link.fields.format = StringField(fields, "show");
  link.language = StringField(fields, "language");
  return format::LinkText(link);
}

// The fields a link's text holds, checked, or {message} for a link that cannot be opened.
val ReadBenchLink(const std::string& text) {
  const std::vector<std::string_view> views = ViewKeys();
  const format::BenchLink link = format::ReadLink(text, views, format::Tr(NameOfField("parties")));
  val fields = val::object();
  if (!link.message.empty()) {
    fields.set("message", link.message);
    return fields;
  }
  fields.set("parties", link.fields.parties);
  fields.set("seats", link.fields.seats);
  val methods = val::array();
  for (const std::string& keyword : link.fields.methods) methods.call<void>("push", keyword);
  fields.set("methods", methods);
  fields.set("exact", link.fields.exact);
  fields.set("explain", link.fields.explain);
  fields.set("show", link.fields.format);
  fields.set("language", link.language);
  return fields;
}

EMSCRIPTEN_BINDINGS(mandati_bench_description) {
  emscripten::function("benchDescription", &BenchDescription);
  emscripten::function("benchLinkText", &BenchLinkText);
  emscripten::function("readBenchLink", &ReadBenchLink);
}

}  // namespace mandati::web
