// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "format/district.h"
#include "format/sink.h"

namespace mandati::format {

// `text` for markup: &, <, > and " as character references, and ' too where `apostrophe` (a
// page's attributes may be quoted either way; the charts quote theirs with ").
std::string XmlEscaped(std::string_view text, bool apostrophe = false);

// A chart draws at most this many parties, those with the most votes, so that a district of
// hundreds of parties still gives a picture of a slide's size; a note says how many it left
// out. Up to 8 parties are told apart by colour, beyond that by colour and dash pattern.
inline constexpr std::size_t kMaxChartParties = 16;

// The parties a chart draws, as indices in party order: every party up to kMaxChartParties,
// else kMaxChartParties of them: those that `first` marks (by index) before the others, and
// among each the most votes first (the lower party number first among equals).
std::vector<std::size_t> ChartParties(const District& district,
                                      const std::vector<bool>& first = {});

// A standalone SVG 1.1 picture for a slide: per party a group of bars, its share of the
// votes and its share of the seats under each method (a bar of no seats labelled "0"), with
// a legend; names too long for their group are turned aslant.
void WriteSharesSvg(Sink& out, const District& district,
                    const std::vector<MethodOutcome>& outcomes);

// A standalone SVG 1.1 picture: per method, each party's seats against the seat count as
// steps at whole seat counts (parties drawn a little apart, so equal lines stay visible),
// every Alabama paradox circled where the party loses its seat, and a labelled tick at every
// count, or at a readable step that still labels each paradox's count. The sweep is
// calculated as it is drawn; a chart that cannot draw every party first sweeps once for the
// parties with a paradox, and draws them before the others.
void WriteSweepSvg(Sink& out, const District& district, const SweepRequest& request);
// The same chart drawn from rows read from `rows`, for a page that calculated the sweep once
// for its tables as well.
void WriteSweepSvg(Sink& out, const District& district, const SweepRequest& request,
                   const SweepRowsOf& rows);

}  // namespace mandati::format
