// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <numeric>
#include <string>
#include <string_view>
#include <utility>

#include "core/column_captions.h"
#include "format/figures.h"
#include "format/messages.h"
#include "format/text_table.h"

namespace mandati::format {

namespace {

// Okabe and Ito's colours, told apart by viewers with any common colour-vision deficiency.
constexpr std::string_view kPalette[] = {"#0072B2", "#E69F00", "#009E73", "#CC79A7",
                                         "#56B4E9", "#D55E00", "#F0E442", "#000000"};
// Beyond the palette's 8 colours each further 8 parties get a dash pattern.
constexpr std::string_view kDashes[] = {"", "7 3"};
static_assert(std::size(kPalette) * std::size(kDashes) >= kMaxChartParties);
constexpr std::string_view kVotesColour = "#999999";
constexpr std::string_view kFont = "font-family=\"Liberation Sans, Arial, sans-serif\"";
// Party names in a chart are cut to this many characters; the full name is the tooltip.
constexpr std::size_t kLabelCharacters = 40;
constexpr double kCharacterWidth = 7;  // in the 12-pixel font, near enough for a layout

std::string_view Colour(std::size_t i) { return kPalette[i % std::size(kPalette)]; }
std::string_view Dash(std::size_t i) { return kDashes[i / std::size(kPalette)]; }

std::string Number(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", x);
  return text;
}

std::string Text(double x, double y, std::string_view text, std::string_view extra = "") {
  return "  <text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" " + std::string(kFont) +
         " font-size=\"12\"" + (extra.empty() ? "" : " " + std::string(extra)) + ">" +
         XmlEscaped(text) + "</text>\n";
}

std::string Rect(double x, double y, double width, double height, std::string_view fill) {
  return "  <rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
         "\" height=\"" + Number(height) + "\" fill=\"" + std::string(fill) + "\"/>\n";
}

std::string Line(double x1, double y1, double x2, double y2, std::string_view stroke,
                 std::string_view extra = "") {
  return "  <line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
         "\" y2=\"" + Number(y2) + "\" stroke=\"" + std::string(stroke) + "\"" +
         (extra.empty() ? "" : " " + std::string(extra)) + "/>\n";
}

std::string DashAttribute(std::string_view dash) {
  return dash.empty() ? "" : "stroke-dasharray=\"" + std::string(dash) + "\"";
}

void WriteHeader(Sink& out, double width, double height, std::string_view title) {
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\""
      << Number(width) << "\" height=\"" << Number(height) << "\" viewBox=\"0 0 " << Number(width)
      << " " << Number(height) << "\">\n  <title>" << XmlEscaped(title) << "</title>\n"
      << Rect(0, 0, width, height, "#FFFFFF");
}

// A party's name as a chart shows it: cut to kLabelCharacters characters.
std::string Label(const District& district, std::size_t party) {
  std::string label = PartyLabel(district, party);
  if (CharacterCount(label) <= kLabelCharacters) return label;
  std::string cut;
  for (std::size_t pos = 0, count = 0; count < kLabelCharacters; ++count) {
    std::size_t length = 1;
    while (pos + length < label.size() &&
           (static_cast<unsigned char>(label[pos + length]) & 0xC0) == 0x80) {
      ++length;
    }
    cut += label.substr(pos, length);
    pos += length;
  }
  return cut + "…";
}

double TextWidth(std::string_view text) {
  return static_cast<double>(CharacterCount(text)) * kCharacterWidth;
}

struct LegendEntry {
  std::string label;
  std::string_view colour;
  std::string_view dash;  // "" solid; a dashed entry shows a line instead of a square
};

// Legend entries in rows from (x, y) that wrap before `right`; `y` comes back below the
// last row.
std::string Legend(double x, double& y, double right, const std::vector<LegendEntry>& entries) {
  std::string out;
  double at = x;
  for (const LegendEntry& entry : entries) {
    const double width = 28 + TextWidth(entry.label);
    if (at > x && at + width > right) {
      at = x;
      y += 18;
    }
    out += entry.dash.empty() ? Rect(at, y - 10, 14, 10, entry.colour)
                              : Line(at, y - 5, at + 14, y - 5, entry.colour,
                                     "stroke-width=\"2\" " + DashAttribute(entry.dash));
    out += Text(at + 18, y, entry.label);
    at += width;
  }
  y += 18;
  return out;
}

// A vertical axis from 0 to `top` over `height` pixels with gridlines every `step`.
std::string Axis(double left, double bottom, double width, double height, double top, double step,
                 std::string_view unit) {
  std::string out;
  const int lines = static_cast<int>(std::lround(top / step));
  for (int line = 0; line <= lines; ++line) {
    const double v = step * line;
    const double y = bottom - v / top * height;
    out += Line(left, y, left + width, y, "#DDDDDD") +
           Text(left - 6, y + 4, std::to_string(std::lround(v)), "text-anchor=\"end\"");
  }
  return out + Line(left, bottom, left, bottom - height, "#000000") +
         Line(left, bottom, left + width, bottom, "#000000") +
         Text(left - 6, bottom - height - 10, unit, "text-anchor=\"end\"");
}

double NiceTop(double largest, double step) {
  return std::max(step, std::ceil(largest / step) * step);
}

// The notes under a chart: how remainders were ranked, then `more` (the parties left out).
std::string Notes(double x, double& y, const std::vector<Method>& methods, bool exact,
                  const std::vector<std::string>& more) {
  std::string out;
  if (std::any_of(methods.begin(), methods.end(),
                  [](Method m) { return std::holds_alternative<QuotaMethod>(m); })) {
    out +=
        Text(x, y,
             exact ? "Остатъците са подредени точно (--exact)."
                   : "Остатъците са подредени по ключове с 8 десетични знака, както в прозореца.");
    y += 18;
  }
  for (const std::string& line : more) {
    out += Text(x, y, line);
    y += 18;
  }
  return out;
}

// The note on the parties a chart of the most voted leaves out.
std::vector<std::string> LeftOutNote(const District& district, std::size_t shown) {
  if (shown == district.parties.size()) return {};
  return {"Показани са " + std::to_string(shown) + "-те партии с най-много гласове от " +
          std::to_string(district.parties.size()) + "."};
}

}  // namespace

std::vector<std::size_t> ChartParties(const District& district, const std::vector<bool>& first) {
  std::vector<std::size_t> parties(district.parties.size());
  std::iota(parties.begin(), parties.end(), std::size_t{0});
  if (parties.size() <= kMaxChartParties) return parties;
  const auto marked = [&](std::size_t party) { return party < first.size() && first[party]; };
  std::stable_sort(parties.begin(), parties.end(), [&](std::size_t a, std::size_t b) {
    if (marked(a) != marked(b)) return marked(a);
    return district.parties[a].votes > district.parties[b].votes;
  });
  parties.resize(kMaxChartParties);
  std::sort(parties.begin(), parties.end());
  return parties;
}

void WriteSharesSvg(Sink& out, const District& district,
                    const std::vector<MethodOutcome>& outcomes) {
  const std::vector<std::size_t> parties = ChartParties(district);
  const std::vector<double> vote_shares = SharesInPercent(VotesOf(district));
  std::vector<std::vector<double>> seat_shares;
  std::vector<Method> methods;
  bool exact = false;
  for (const MethodOutcome& outcome : outcomes) {
    seat_shares.push_back(SharesInPercent(outcome.final_seats));
    seat_shares.back().resize(district.parties.size());  // no seats at all: shares of 0
    methods.push_back(outcome.method);
    exact = exact || (outcome.quota && outcome.quota->ranked_exactly);
  }
  const double bar = 12;
  const double group = bar * static_cast<double>(outcomes.size() + 1) + 16;
  const double left = 60, plot_height = 260;
  double largest = 0, widest_label = 0;
  for (const std::size_t p : parties) {
    largest = std::max(largest, vote_shares[p]);
    for (const auto& shares : seat_shares) largest = std::max(largest, shares[p]);
    widest_label = std::max(widest_label, TextWidth(Label(district, p)));
  }
  // Names wider than their group are turned aslant, 35 degrees down from the axis.
  const bool aslant = widest_label > group - 4;
  const double angle = 35 * std::numbers::pi / 180;
  const double label_depth = aslant ? 16 + widest_label * std::sin(angle) : 16;
  const double plot_right = left + group * static_cast<double>(parties.size());
  const double width =
      std::max({600.0, plot_right + 30, aslant ? plot_right + widest_label * std::cos(angle) : 0});
  const double top = NiceTop(largest, 10);
  std::string body =
      Text(left, 24, "Гласове и мандати в %, брой мандати: " + std::to_string(district.seats),
           "font-weight=\"bold\"");
  std::vector<LegendEntry> legend = {
      {std::string(CaptionOf(Caption::kVoteShare)), kVotesColour, ""}};
  for (std::size_t m = 0; m < outcomes.size(); ++m) {
    legend.push_back({NameOf(outcomes[m].method), Colour(m), ""});
  }
  double legend_bottom = 48;
  body += Legend(left, legend_bottom, width - 20, legend);
  const double bottom = legend_bottom + 20 + plot_height;
  body += Axis(left, bottom, width - left - 20, plot_height, top, 10, "%");
  for (std::size_t k = 0; k < parties.size(); ++k) {
    const std::size_t p = parties[k];
    const double x = left + 8 + group * static_cast<double>(k);
    const auto bar_of = [&](std::size_t b, double share, std::string_view colour) {
      const double height = share / top * plot_height;
      const double at = x + bar * static_cast<double>(b);
      std::string drawn = Rect(at, bottom - height, bar - 1, height, colour);
      if (share == 0) drawn += Text(at + bar / 2, bottom - 3, "0", "text-anchor=\"middle\"");
      return drawn;
    };
    body += bar_of(0, vote_shares[p], kVotesColour);
    for (std::size_t m = 0; m < outcomes.size(); ++m)
      body += bar_of(m + 1, seat_shares[m][p], Colour(m));
    const double centre = x + (group - 16) / 2;
    const std::string label = Label(district, p);
    body +=
        aslant ? Text(centre, bottom + 14, label,
                      "transform=\"rotate(35 " + Number(centre) + " " + Number(bottom + 14) + ")\"")
               : Text(centre, bottom + 16, label, "text-anchor=\"middle\"");
  }
  double notes_y = bottom + label_depth + 20;
  body += Notes(left, notes_y, methods, exact, LeftOutNote(district, parties.size()));
  if (!outcomes.empty()) {
    for (const std::string& sentence : ThresholdSentences(district, outcomes.front())) {
      body += Text(left, notes_y, sentence);
      notes_y += 18;
    }
  }
  WriteHeader(out, width, notes_y + 8, "Гласове и мандати в %");
  out << body << "</svg>\n";
}

namespace {

// The labelled seat counts of a sweep's axis: every count when there are few, else the
// multiples of a step of 1, 2 or 5 times a power of ten that gives at most 20, and always the
// first, the last and every count at which a party lost a seat.
std::vector<std::int32_t> TickCounts(const SweepRequest& request,
                                     const std::vector<std::int32_t>& paradox_counts) {
  std::int32_t step = 1;
  for (std::int32_t scale = 1; (request.last - request.first) / step > 20; scale *= 10) {
    for (const std::int32_t k : {1, 2, 5}) {
      step = k * scale;
      if ((request.last - request.first) / step <= 20) break;
    }
  }
  std::vector<std::int32_t> counts = {request.first, request.last};
  for (std::int32_t s = (request.first / step + 1) * step; s < request.last; s += step) {
    counts.push_back(s);
  }
  counts.insert(counts.end(), paradox_counts.begin(), paradox_counts.end());
  std::sort(counts.begin(), counts.end());
  counts.erase(std::unique(counts.begin(), counts.end()), counts.end());
  return counts;
}

struct Panel {
  double left;
  double bottom;
  double width;
  double height;
};

// The drawn parties' seats at each seat count a method calculated, kept until its panel is
// drawn, and the paradoxes of the drawn parties.
struct PanelSeats {
  std::vector<std::int32_t> counts;              // the seat count of each row
  std::vector<std::vector<std::int32_t>> seats;  // per drawn party, per row
  std::vector<AlabamaParadox> paradoxes;
  std::int32_t most = 0;
};

PanelSeats SeatsOfPanel(const SweepRowsOf& rows, std::size_t m,
                        const std::vector<std::size_t>& parties) {
  PanelSeats panel{{}, std::vector<std::vector<std::int32_t>>(parties.size()), {}, 0};
  rows(m, [&](const SweepRow& row, std::span<const AlabamaParadox> completed) {
    panel.counts.push_back(row.seat_count);
    for (std::size_t k = 0; k < parties.size(); ++k) {
      panel.seats[k].push_back(row.final_seats[parties[k]]);
      panel.most = std::max(panel.most, row.final_seats[parties[k]]);
    }
    for (const AlabamaParadox& paradox : completed) {
      const auto drawn =
          std::find(parties.begin(), parties.end(), static_cast<std::size_t>(paradox.party - 1));
      if (drawn != parties.end()) panel.paradoxes.push_back(paradox);
    }
  });
  return panel;
}

// One method's panel: each drawn party's seats as steps over the seat counts calculated, a
// count left out breaking the line.
void WriteSweepPanel(Sink& out, const District& district, const SweptMethod& swept,
                     const SweepRequest& request, const std::vector<std::size_t>& parties,
                     const Panel& panel, const PanelSeats& drawn) {
  const double step = std::max(1.0, std::ceil(drawn.most / 5.0));
  const double top = NiceTop(drawn.most, step);
  const double counts = request.last - request.first + 1;
  const auto x_of = [&](double seat_count) {
    return panel.left + (seat_count - request.first + 0.5) / counts * panel.width;
  };
  // Parties drawn 1.5 pixels apart around their true height, so that equal seats stay visible.
  const auto y_of = [&](double party_seats, std::size_t k) {
    const double offset =
        (static_cast<double>(k) - static_cast<double>(parties.size() - 1) / 2) * 1.5;
    return panel.bottom - party_seats / top * panel.height + offset;
  };
  out << Text(panel.left, panel.bottom - panel.height - 14, NameOf(swept.method),
              "font-weight=\"bold\"")
      << Axis(panel.left, panel.bottom, panel.width, panel.height, top, step, "мандати")
      << Text(panel.left + panel.width, panel.bottom + 34, "брой мандати", "text-anchor=\"end\"");
  std::vector<std::int32_t> paradox_counts(drawn.paradoxes.size());
  std::transform(drawn.paradoxes.begin(), drawn.paradoxes.end(), paradox_counts.begin(),
                 [](const AlabamaParadox& paradox) { return paradox.seat_count + 1; });
  for (const std::int32_t count : TickCounts(request, paradox_counts)) {
    const double x = x_of(count);
    out << Line(x, panel.bottom, x, panel.bottom + 4, "#000000")
        << Text(x, panel.bottom + 16, std::to_string(count), "text-anchor=\"middle\"");
  }
  for (std::size_t k = 0; k < parties.size(); ++k) {
    std::string path;
    for (std::size_t i = 0; i < drawn.counts.size(); ++i) {
      const double y = y_of(drawn.seats[k][i], k);
      path += i > 0 && drawn.counts[i] == drawn.counts[i - 1] + 1
                  ? " V" + Number(y)
                  : std::string(i > 0 ? " " : "") + "M" + Number(x_of(drawn.counts[i] - 0.5)) +
                        " " + Number(y);
      path += " H" + Number(x_of(drawn.counts[i] + 0.5));
    }
    out << "  <path fill=\"none\" stroke=\"" << Colour(k) << "\" stroke-width=\"1.5\" "
        << (Dash(k).empty() ? "" : DashAttribute(Dash(k)) + " ") << "d=\"" << path << "\"/>\n";
  }
  for (const AlabamaParadox& paradox : drawn.paradoxes) {
    const auto k = static_cast<std::size_t>(
        std::find(parties.begin(), parties.end(), static_cast<std::size_t>(paradox.party - 1)) -
        parties.begin());
    out << "  <circle cx=\"" << Number(x_of(paradox.seat_count + 1)) << "\" cy=\""
        << Number(y_of(paradox.after, k)) << "\" r=\"5\" fill=\"none\" stroke=\"" << Colour(k)
        << "\" stroke-width=\"2\"><title>"
        << XmlEscaped(PartyLabel(district, parties[k]) + ": " + std::to_string(paradox.before) +
                      " → " + std::to_string(paradox.after))
        << "</title></circle>\n";
  }
}

// How many Alabama paradoxes each party has in the sweep: a first pass over it, for a chart
// that cannot draw every party and must not leave out one that lost a seat.
std::vector<std::int32_t> ParadoxCounts(const District& district, const SweepRequest& request,
                                        const SweepRowsOf& rows) {
  std::vector<std::int32_t> counts(district.parties.size(), 0);
  for (std::size_t m = 0; m < request.methods.size(); ++m) {
    rows(m, [&](const SweepRow&, std::span<const AlabamaParadox> paradoxes) {
      for (const AlabamaParadox& paradox : paradoxes) {
        ++counts[static_cast<std::size_t>(paradox.party - 1)];
      }
    });
  }
  return counts;
}

// The parties of a sweep's chart: those with an Alabama paradox first, then those with the
// most votes; and the notes on those left out.
std::vector<std::size_t> SweepChartParties(const District& district, const SweepRequest& request,
                                           const SweepRowsOf& rows,
                                           std::vector<std::string>& notes) {
  if (district.parties.size() <= kMaxChartParties) return ChartParties(district);
  const std::vector<std::int32_t> paradoxes = ParadoxCounts(district, request, rows);
  std::vector<bool> lost_a_seat(paradoxes.size());
  std::transform(paradoxes.begin(), paradoxes.end(), lost_a_seat.begin(),
                 [](std::int32_t count) { return count > 0; });
  std::vector<std::size_t> parties = ChartParties(district, lost_a_seat);
  if (parties == ChartParties(district)) {
    notes = LeftOutNote(district, parties.size());
  } else {
    notes.push_back(
        Tr("{1} of {2} parties are shown: those with an Alabama paradox, then those "
           "with the most votes.",
           std::to_string(parties.size()), std::to_string(district.parties.size())));
  }
  std::int64_t not_drawn = std::accumulate(paradoxes.begin(), paradoxes.end(), std::int64_t{0});
  for (const std::size_t party : parties) not_drawn -= paradoxes[party];
  if (not_drawn > 0) {
    notes.push_back(TrN("{1} Alabama paradox of parties not shown: the table lists it.",
                        "{1} Alabama paradoxes of parties not shown: the table lists them.",
                        not_drawn, std::to_string(not_drawn)));
  }
  return parties;
}

}  // namespace

void WriteSweepSvg(Sink& out, const District& district, const SweepRequest& request) {
  WriteSweepSvg(out, district, request, [&](std::size_t m, const SweepRowSink& on_row) {
    SweepRuns(district, request.methods[m], request.rules, on_row);
  });
}

void WriteSweepSvg(Sink& out, const District& district, const SweepRequest& request,
                   const SweepRowsOf& rows) {
  const double left = 60, panel_height = 220, panel_gap = 70, plot_width = 640;
  std::vector<std::string> left_out;
  const std::vector<std::size_t> parties = SweepChartParties(district, request, rows, left_out);
  std::string head =
      Text(left, 24, "Мандати на партиите според броя на мандатите", "font-weight=\"bold\"");
  std::vector<LegendEntry> legend;
  for (std::size_t k = 0; k < parties.size(); ++k) {
    legend.push_back({Label(district, parties[k]), Colour(k), Dash(k)});
  }
  legend.push_back({"○ парадокс на Алабама", "#FFFFFF", ""});
  double top_margin = 48;
  head += Legend(left, top_margin, left + plot_width, legend);
  top_margin += 30;
  double notes_y =
      top_margin + (panel_height + panel_gap) * static_cast<double>(request.methods.size());
  const std::string notes =
      Notes(left, notes_y, MethodsOf(request), request.rules.ranking == Ranking::kExact, left_out);
  WriteHeader(out, left + plot_width + 40, notes_y, "Мандати според броя на мандатите");
  out << head;
  for (std::size_t m = 0; m < request.methods.size(); ++m) {
    const double bottom =
        top_margin + panel_height + (panel_height + panel_gap) * static_cast<double>(m);
    WriteSweepPanel(out, district, request.methods[m], request, parties,
                    {left, bottom, plot_width, panel_height}, SeatsOfPanel(rows, m, parties));
  }
  out << notes << "</svg>\n";
}

std::string XmlEscaped(std::string_view text, bool apostrophe) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += apostrophe ? std::string_view("&#39;") : std::string_view("'");
        break;
      default:
        out += c;
    }
  }
  return out;
}

}  // namespace mandati::format
