// SPDX-License-Identifier: GPL-3.0-or-later
// The teaching bench's own texts: the labels of its controls, written in English as the keys of
// the message catalogues and shown in the bench's language (Bulgarian until it is switched).
// The figures, tables, charts and messages it shows are the companion's own, from format/;
// its messages call the controls by the names their labels begin with.
#pragma once

#include <cstddef>
#include <string_view>

#include "format/messages.h"
#include "web/page_texts.h"

namespace mandati::web {

inline constexpr PageText kBenchTexts[] = {
    {"calculate", format::NoTr("Calculate")},
    {"busy", format::NoTr("Calculating…")},
    {"downloads", format::NoTr("Download")},
    {"messages", format::NoTr("Messages")},
    {"result", format::NoTr("Result")},
    {"chartCaption", format::NoTr("Chart of the result")},
    {"language", format::NoTr("Language")},
    {"copyLink", format::NoTr("Copy the link")},
    {"linkCopied", format::NoTr("The link to this district is copied.")},
    {"linkNotCopied", format::NoTr("The link could not be copied: copy it from the address bar.")},
    {"linkTooLong", format::NoTr("The district is too large for a link.")},
    {"wholeResult", format::NoTr("Download the whole result")},
    {"preparing", format::NoTr("Preparing the file…")},
    {"stop", format::NoTr("Stop")},
    {"fileStopped", format::NoTr("The file was not made: it was stopped.")},
    {"fileReplaced", format::NoTr("The file was not made: a new calculation stopped it.")},
    {"elections", format::NoTr("Elections")},
    {"noElection", format::NoTr("The parties in the box below")},
};

// The bench's languages, each by its own name.
struct BenchLanguage {
  std::string_view code;
  std::string_view name;
};
inline constexpr BenchLanguage kBenchLanguages[] = {{"bg", "български"}, {"en", "English"}};

// A control that gives the calculation a value: its label, and the name by which messages call
// it, with which the label begins (in every language: the catalogues keep it so).
struct BenchField {
  std::string_view key;
  std::string_view name;
  std::string_view label;
};

inline constexpr BenchField kBenchFields[] = {
    {"parties", format::NoTr("Parties"),
     format::NoTr("Parties, one a line: “name,votes” or “votes” (or rows of a spreadsheet)")},
    {"seats", format::NoTr("Number of seats"),
     format::NoTr("Number of seats, or a range such as 7 or 1..20")},
    {"methods", format::NoTr("Methods"), format::NoTr("Methods")},
    {"exact", format::NoTr("Exact comparison of remainders"),
     format::NoTr("Exact comparison of remainders")},
    {"explain", format::NoTr("Explanation of every seat"),
     format::NoTr("Explanation of every seat")},
    {"show", format::NoTr("Show"), format::NoTr("Show")},
};

constexpr bool LabelsBeginWithTheirNames() {
  for (const BenchField& field : kBenchFields) {
    if (!field.label.starts_with(field.name)) return false;
  }
  return true;
}
static_assert(LabelsBeginWithTheirNames(), "a message calls a control as its label begins");

constexpr std::string_view NameOfField(std::string_view key) {
  for (const BenchField& field : kBenchFields) {
    if (field.key == key) return field.name;
  }
  return key;
}

// The bench's views of a result: each shows one of the companion's formats, as tables or as a
// picture.
struct BenchView {
  std::string_view key;
  std::string_view format;  // the format's keyword
  std::string_view label;
  bool picture;
};

inline constexpr BenchView kBenchViews[] = {
    {"tables", "html", format::NoTr("Table"), false},
    {"chart", "svg", format::NoTr("Chart"), true},
};

// A district to start from: the worked example of the window's help text.
inline constexpr std::string_view kSampleParties = "58125\n45871\n27142\n15947\n12264\n";
inline constexpr std::string_view kSampleSeats = "7";

// The page holds a result whole (to show it and to offer it as a file), so it takes at most
// this many bytes of output; a larger one is refused.
inline constexpr std::size_t kMaxOutputBytes = 64u << 20;

// The most of a result's tables that the bench shows at once (a thousand rows of a small
// district, a hundred of 99 parties), and the largest chart it shows, so that showing them never
// holds up the page's main thread (a chart is drawn there); a larger result is shown in part, a
// larger chart not at all, and either is offered whole as a file.
inline constexpr std::size_t kMaxShownBytes = 128u << 10;

}  // namespace mandati::web
