// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/svg_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace mandati::format {

namespace {

// Okabe and Ito's colours, told apart by viewers with any common colour-vision deficiency.
constexpr std::string_view kPalette[] = {"#0072B2", "#E69F00", "#009E73", "#CC79A7",
                                         "#56B4E9", "#D55E00", "#F0E442", "#000000"};
constexpr std::string_view kVotesColour = "#999999";
constexpr std::string_view kFont = "font-family=\"Liberation Sans, Arial, sans-serif\"";

std::string_view Colour(std::size_t i) { return kPalette[i % std::size(kPalette)]; }

std::string Number(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", x);
  return text;
}

std::string Escaped(std::string_view text) {
  std::string out;
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
      default:
        out += c;
    }
  }
  return out;
}

std::string Text(double x, double y, std::string_view text, std::string_view extra = "") {
  return "  <text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" " + std::string(kFont) +
         " font-size=\"12\"" + (extra.empty() ? "" : " " + std::string(extra)) + ">" +
         Escaped(text) + "</text>\n";
}

std::string Rect(double x, double y, double width, double height, std::string_view fill) {
  return "  <rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
         "\" height=\"" + Number(height) + "\" fill=\"" + std::string(fill) + "\"/>\n";
}

std::string Line(double x1, double y1, double x2, double y2, std::string_view stroke) {
  return "  <line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) +
         "\" y2=\"" + Number(y2) + "\" stroke=\"" + std::string(stroke) + "\"/>\n";
}

std::string Document(double width, double height, std::string_view title, const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
         Number(width) + "\" height=\"" + Number(height) + "\" viewBox=\"0 0 " + Number(width) +
         " " + Number(height) + "\">\n  <title>" + Escaped(title) + "</title>\n" +
         Rect(0, 0, width, height, "#FFFFFF") + body + "</svg>\n";
}

// The width of a text in the 12-pixel font, near enough for laying out a legend: UTF-8
// continuation bytes take no place.
double TextWidth(std::string_view text) {
  double characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) == 0x80 ? 0 : 1;
  return characters * 7;
}

// Legend entries, a coloured square and its text each, in rows from (x, y) that wrap before
// `right`; `y` comes back below the last row.
std::string Legend(double x, double& y, double right,
                   const std::vector<std::pair<std::string, std::string_view>>& entries) {
  std::string out;
  double at = x;
  for (const auto& [label, colour] : entries) {
    const double width = 24 + TextWidth(label);
    if (at > x && at + width > right) {
      at = x;
      y += 18;
    }
    out += Rect(at, y - 10, 10, 10, colour) + Text(at + 14, y, label);
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
           Text(left - 6, y + 4, Number(v).substr(0, Number(v).size() - 2), "text-anchor=\"end\"");
  }
  return out + Line(left, bottom, left, bottom - height, "#000000") +
         Line(left, bottom, left + width, bottom, "#000000") +
         Text(left - 6, bottom - height - 10, unit, "text-anchor=\"end\"");
}

double NiceTop(double largest, double step) {
  return std::max(step, std::ceil(largest / step) * step);
}

}  // namespace

std::string SharesSvg(const std::vector<std::string>& parties,
                      const std::vector<double>& vote_shares,
                      const std::vector<ShareSeries>& methods, int seats) {
  const double bar = 12;
  const double group = bar * static_cast<double>(methods.size() + 1) + 16;
  const double left = 60, plot_height = 260;
  const double width = std::max(480.0, left + group * static_cast<double>(parties.size()) + 30);
  double largest = 0;
  for (const double share : vote_shares) largest = std::max(largest, share);
  for (const ShareSeries& method : methods) {
    for (const double share : method.seat_shares) largest = std::max(largest, share);
  }
  const double top = NiceTop(largest, 10);
  std::string body = Text(left, 24, "Гласове и мандати в %, брой мандати: " + std::to_string(seats),
                          "font-weight=\"bold\"");
  std::vector<std::pair<std::string, std::string_view>> legend = {{"глас. %", kVotesColour}};
  for (std::size_t m = 0; m < methods.size(); ++m) {
    legend.emplace_back(methods[m].method, Colour(m));
  }
  double legend_bottom = 48;
  body += Legend(left, legend_bottom, width - 20, legend);
  const double bottom = legend_bottom + 20 + plot_height;
  body += Axis(left, bottom, width - left - 20, plot_height, top, 10, "%");
  for (std::size_t p = 0; p < parties.size(); ++p) {
    const double x = left + 8 + group * static_cast<double>(p);
    const auto bar_of = [&](std::size_t k, double share, std::string_view colour) {
      const double height = share / top * plot_height;
      return Rect(x + bar * static_cast<double>(k), bottom - height, bar - 1, height, colour);
    };
    body += bar_of(0, vote_shares[p], kVotesColour);
    for (std::size_t m = 0; m < methods.size(); ++m) {
      body += bar_of(m + 1, methods[m].seat_shares[p], Colour(m));
    }
    body += Text(x + group / 2 - 8, bottom + 16, parties[p], "text-anchor=\"middle\"");
  }
  return Document(width, bottom + 30, "Гласове и мандати в %", body);
}

std::string SweepSvg(const std::vector<std::string>& parties,
                     const std::vector<MethodSweep>& methods) {
  const double left = 60, panel_height = 220, panel_gap = 60, plot_width = 640;
  std::string body =
      Text(left, 24, "Мандати на партиите според броя на мандатите", "font-weight=\"bold\"");
  std::vector<std::pair<std::string, std::string_view>> legend;
  for (std::size_t p = 0; p < parties.size(); ++p) legend.emplace_back(parties[p], Colour(p));
  legend.emplace_back("○ парадокс на Алабама", "#FFFFFF");
  double top_margin = 48;
  body += Legend(left, top_margin, left + plot_width, legend);
  top_margin += 30;
  for (std::size_t m = 0; m < methods.size(); ++m) {
    const SeatSweep& sweep = methods[m].sweep;
    const double bottom =
        top_margin + panel_height + (panel_height + panel_gap) * static_cast<double>(m);
    if (sweep.rows.empty()) continue;
    const double first = sweep.rows.front().seat_count;
    const double span = std::max(1.0, sweep.rows.back().seat_count - first);
    int most = 0;
    for (const SweepRow& row : sweep.rows) {
      for (const int seats : row.final_seats) most = std::max(most, seats);
    }
    const double step = std::max(1.0, std::ceil(most / 5.0));
    const double top = NiceTop(most, step);
    const auto x_of = [&](double seat_count) {
      return left + (seat_count - first) / span * plot_width;
    };
    const auto y_of = [&](double seats) { return bottom - seats / top * panel_height; };
    body +=
        Text(left, bottom - panel_height - 14, NameOf(methods[m].method), "font-weight=\"bold\"") +
        Axis(left, bottom, plot_width, panel_height, top, step, "мандати");
    body += Text(left + plot_width, bottom + 28, "брой мандати", "text-anchor=\"end\"") +
            Text(left, bottom + 16, std::to_string(sweep.rows.front().seat_count),
                 "text-anchor=\"middle\"") +
            Text(left + plot_width, bottom + 16, std::to_string(sweep.rows.back().seat_count),
                 "text-anchor=\"middle\"");
    for (std::size_t p = 0; p < parties.size(); ++p) {
      std::string points;
      for (const SweepRow& row : sweep.rows) {
        points += (points.empty() ? "" : " ") + Number(x_of(row.seat_count)) + "," +
                  Number(y_of(row.final_seats[p]));
      }
      body += "  <polyline fill=\"none\" stroke=\"" + std::string(Colour(p)) +
              "\" stroke-width=\"1.5\" points=\"" + points + "\"/>\n";
    }
    for (const AlabamaParadox& paradox : sweep.paradoxes) {
      body += "  <circle cx=\"" + Number(x_of(paradox.seat_count + 1)) + "\" cy=\"" +
              Number(y_of(paradox.after)) + "\" r=\"5\" fill=\"none\" stroke=\"" +
              std::string(Colour(static_cast<std::size_t>(paradox.party - 1))) +
              "\" stroke-width=\"2\"><title>" +
              Escaped(parties[static_cast<std::size_t>(paradox.party - 1)] + ": " +
                      std::to_string(paradox.before) + " → " + std::to_string(paradox.after)) +
              "</title></circle>\n";
    }
  }
  const double height =
      top_margin + (panel_height + panel_gap) * static_cast<double>(methods.size());
  return Document(left + plot_width + 40, height, "Мандати според броя на мандатите", body);
}

}  // namespace mandati::format
