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
#include "format/messages.h"
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
  const auto name = [](std::string_view key) { return format::Tr(NameOfField(key)); };
  return {name("parties"), name("seats"),   name("methods"),
          name("exact"),   name("explain"), name("show")};
}

// What the bench shows of an HTML page: the content of its <main> (the writer's own markup, in
// which every text is escaped), at most kMaxShownBytes of it, cut after a table row; the
// browser closes what a cut leaves open. `partial` says when it is cut, with the whole size.
struct Shown {
  std::string markup;
  std::string partial;
};

Shown ShownOf(const std::string& page) {
  constexpr std::string_view kOpen = "<main>\n";
  const std::size_t begin = page.find(kOpen);
  const std::size_t end = page.rfind("</main>");
  if (begin == std::string::npos || end == std::string::npos || end < begin) return {};
  const std::string_view main =
      std::string_view(page).substr(begin + kOpen.size(), end - begin - kOpen.size());
  if (main.size() <= kMaxShownBytes) return {std::string(main), ""};
  constexpr std::string_view kRowEnd = "</tr>\n";
  const std::size_t cut = main.rfind(kRowEnd, kMaxShownBytes);
  const std::size_t shown = cut == std::string_view::npos ? 0 : cut + kRowEnd.size();
  const auto kilobytes = [](std::size_t bytes) { return std::to_string((bytes + 1023) >> 10); };
  return {std::string(main.substr(0, shown)),
          format::Tr("Shown in part: the first {1} KB of the result's {2} KB. The whole result "
                     "is in its file.",
                     kilobytes(shown), kilobytes(page.size()))};
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
// show (a view's key or a format's keyword), election (a built-in election's name, or "")}.
// Returns {status, out, err, mediaType, fileName, summary}: mandati-cli's exit status, the
// output, the messages one a line (calling the bench's controls by their names), the output's
// media type and file name, and a sentence for the status region; and {markup, partial}: the
// tables to show (ShownOf) and what is left out.
val RunBench(const val& fields) {
  format::BenchFields request;
  request.parties = StringField(fields, "parties");
  request.seats = StringField(fields, "seats");
  request.methods = StringsField(fields, "methods");
  request.exact = BoolField(fields, "exact");
  request.explain = BoolField(fields, "explain");
  const std::string show = StringField(fields, "show");
  request.format = FormatOfKey(show);
  request.election = StringField(fields, "election");
  const format::BenchOutcome outcome = format::RunBench(request, Names(), kMaxOutputBytes);
  val value = ValueOf(outcome);
  // The table view shows the HTML writer's tables themselves; a view shows a chart whole or not.
  Shown shown;
  if (show == kBenchViews[0].key) {
    shown = ShownOf(outcome.out);
  } else if (outcome.out.size() > kMaxShownBytes) {
    shown.partial = format::Tr("The chart is {1} KB, too large to show here: it is in its file.",
                               std::to_string((outcome.out.size() + 1023) >> 10));
  }
  value.set("markup", shown.markup);
  value.set("partial", shown.partial);
  return value;
}

// The answer for a calculation that stopped without one, to be asked for before it starts.
val FailedBench() { return ValueOf(format::FailedBench()); }

EMSCRIPTEN_BINDINGS(mandati_bench) {
  emscripten::function("runBench", &RunBench);
  emscripten::function("failedBench", &FailedBench);
}

}  // namespace mandati::web
