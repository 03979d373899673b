// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "format/district.h"
#include "format/sink.h"

namespace mandati::format {

// The results as one self-contained page to print or to hand out: HTML in the language of the
// texts, with an inline style sheet and the charts inline as SVG, no script and nothing
// loaded from elsewhere. Each table sits in a region of its own that scrolls sideways on a
// narrow screen, so that the page itself never does. Every text is escaped, and every party
// name is isolated in <bdi>, so that a right-to-left name cannot reorder its row or sentence.
// The page is well-formed XML as well, so XML tools can read it.

// One seat count: the seat count and total of votes, a table of the final seats side by side
// when there are several methods, then per method a table with its quota or divisors in the
// caption and one row per party (the text table's figures), how remainders were ranked, the
// notes, the indices of disproportionality, with `explain` the explanations, and the chart.
// With no outcome nothing is written.
// With `margins`, each method's table ends in two columns: each party's seat margins.
void WriteHtml(Sink& out, const District& district, const std::vector<MethodOutcome>& outcomes,
               bool explain, const Margins& margins = {});

// A seat-count sweep: per method a table of seat counts by parties, each Alabama paradox
// marked ("!" and a word for screen readers), the indices per seat count and the paradoxes
// in words; then the sweep's chart. The sweep is calculated once, for the tables and the chart
// alike, and held in memory meanwhile (12 MB for the largest).
void WriteSweepHtml(Sink& out, const District& district, const SweepRequest& request);

// `text` with &, <, >, " and ' written as character references, for HTML text and attribute
// values alike.
std::string HtmlEscaped(std::string_view text);

}  // namespace mandati::format
