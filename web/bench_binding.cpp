// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching bench's calculation, run in a Web Worker (see bench.js): the bench's fields in,
// everything the page shows or saves out. The fields become a request through the companion's
// own option table (format/bench_request.h), so the page and mandati-cli cannot disagree; the
// page decides no rule, format, file name or message.

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <string_view>
#include <vector>

#include "format/bench_request.h"
#include "web/bench_texts.h"

namespace mandati::web {

namespace {

using emscripten::val;

std::string StringField(const val& fields, const char* key) {
  const val field = fields[key];
  return field.isString() ? field.as<std::string>() : std::string();
}

bool BoolField(const val& fields, const char* key) {
  const val field = fields[key];
  return field.isTrue();
}

std::vector<std::string> StringsField(const val& fields, const char* key) {
  const val field = fields[key];
  if (!field.isArray()) return {};
  std::vector<std::string> strings;
  const auto length = field["length"].as<unsigned>();
  for (unsigned i = 0; i < length; ++i) {
    if (field[i].isString()) strings.push_back(field[i].as<std::string>());
  }
  return strings;
}

// A view shows one of the formats; the other keys are the formats' own keywords.
std::string FormatOfKey(const std::string& key) {
  for (const BenchView& view : kBenchViews) {
    if (view.key == key) return std::string(view.format);
  }
  return key;
}

format::BenchNames Names() {
  return {std::string(NameOfField("parties")), std::string(NameOfField("seats")),
          std::string(NameOfField("methods")), std::string(NameOfField("exact")),
          std::string(NameOfField("explain")), std::string(NameOfField("show"))};
}

val ValueOf(const format::BenchOutcome& outcome) {
  val value = val::object();
  value.set("status", outcome.status);
  value.set("out", outcome.out);
  value.set("err", outcome.err);
  value.set("mediaType", outcome.media_type);
  value.set("fileName", outcome.file_name);
  value.set("summary", outcome.summary);
  return value;
}

}  // namespace

// Calculates what the bench's fields say: {parties, seats, methods (keywords), exact, explain,
// show (a view's key or a format's keyword), election (a built-in election's name, or "")}. Returns
// {status, out, err, mediaType, fileName, summary}: mandati-cli's exit status, the output, the
// messages one a line (calling the bench's controls by their names), the output's media type and
// file name, and a sentence for the status region.
val RunBench(const val& fields) {
  format::BenchFields request;
  request.parties = StringField(fields, "parties");
  request.seats = StringField(fields, "seats");
  request.methods = StringsField(fields, "methods");
  request.exact = BoolField(fields, "exact");
  request.explain = BoolField(fields, "explain");
  request.format = FormatOfKey(StringField(fields, "show"));
  request.election = StringField(fields, "election");
  return ValueOf(format::RunBench(request, Names(), kMaxOutputBytes));
}

// The answer for a calculation that stopped without one, to be asked for before it starts.
val FailedBench() { return ValueOf(format::FailedBench()); }

EMSCRIPTEN_BINDINGS(mandati_bench) {
  emscripten::function("runBench", &RunBench);
  emscripten::function("failedBench", &FailedBench);
}

}  // namespace mandati::web
