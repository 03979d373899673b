// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/sweep_format.h"

#include <algorithm>

#include "format/figures.h"
#include "format/machine_formats.h"
#include "format/text_table.h"

namespace mandati::format {

namespace {

// Whether `party` (1-based) lost a seat on the way to `seat_count`.
bool LostASeat(const SeatSweep& sweep, std::int32_t party, std::int32_t seat_count) {
  return std::any_of(sweep.paradoxes.begin(), sweep.paradoxes.end(),
                     [&](const AlabamaParadox& paradox) {
                       return paradox.party == party && paradox.seat_count + 1 == seat_count;
                     });
}

std::optional<Disproportionality> IndicesOf(const District& district, const SweepRow& row) {
  return MeasureDisproportionality(VotesOf(district), row.final_seats);
}

std::string Joined(const std::vector<std::string>& items, const std::string& separator) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) text += (i == 0 ? "" : separator) + items[i];
  return text;
}

std::string ParadoxLines(const District& district, const MethodSweep& sweep) {
  if (sweep.sweep.paradoxes.empty()) return "  No Alabama paradox in this range.\n";
  std::string text;
  for (const AlabamaParadox& paradox : sweep.sweep.paradoxes) {
    text +=
        "  Alabama paradox: " + PartyLabel(district, static_cast<std::size_t>(paradox.party - 1)) +
        " gets " + std::to_string(paradox.before) + " of " + std::to_string(paradox.seat_count) +
        " seats but " + std::to_string(paradox.after) + " of " +
        std::to_string(paradox.seat_count + 1) + ".\n";
  }
  return text;
}

}  // namespace

std::string SweepTableText(const District& district, const std::vector<MethodSweep>& sweeps,
                           WidthOf width) {
  std::string text;
  for (const MethodSweep& sweep : sweeps) {
    std::vector<Align> aligns(district.parties.size() + 3, Align::kRight);
    TextTable table(std::move(aligns), width);
    std::vector<std::string> headings = {"Брой мандати"};
    for (std::size_t i = 0; i < district.parties.size(); ++i) {
      // The blank stands over the column of the "!", so the figures sit under the number.
      headings.push_back(std::to_string(i + 1) + ' ');
    }
    headings.insert(headings.end(), {"Gallagher", "Loosemore-Hanby"});
    table.AddRow(std::move(headings));
    for (const SweepRow& row : sweep.sweep.rows) {
      std::vector<std::string> cells = {std::to_string(row.seat_count)};
      for (std::size_t i = 0; i < row.final_seats.size(); ++i) {
        const bool lost = LostASeat(sweep.sweep, static_cast<std::int32_t>(i + 1), row.seat_count);
        cells.push_back(std::to_string(row.final_seats[i]) + (lost ? "!" : " "));
      }
      const auto indices = IndicesOf(district, row);
      cells.push_back(IndexText(indices, &Disproportionality::gallagher));
      cells.push_back(IndexText(indices, &Disproportionality::loosemore_hanby));
      table.AddRow(std::move(cells));
    }
    text += (text.empty() ? "" : "\n") + NameOf(sweep.method) +
            ": final seats per party (! fewer than at one seat fewer)\n\n" + table.Render() + '\n' +
            ParadoxLines(district, sweep);
  }
  return text;
}

std::string SweepCsvText(const District& district, const std::vector<MethodSweep>& sweeps) {
  std::string text = "method,seats,party,final_seats,alabama_paradox,gallagher,loosemore_hanby\n";
  for (const MethodSweep& sweep : sweeps) {
    for (const SweepRow& row : sweep.sweep.rows) {
      const auto indices = IndicesOf(district, row);
      const std::string tail = IndexText(indices, &Disproportionality::gallagher) + "," +
                               IndexText(indices, &Disproportionality::loosemore_hanby) + "\n";
      for (std::size_t i = 0; i < row.final_seats.size(); ++i) {
        const auto party = static_cast<std::int32_t>(i + 1);
        text += std::string(KeywordOf(sweep.method)) + "," + std::to_string(row.seat_count) + "," +
                std::to_string(party) + "," + std::to_string(row.final_seats[i]) + "," +
                (LostASeat(sweep.sweep, party, row.seat_count) ? "1" : "0") + "," + tail;
      }
    }
  }
  return text;
}

std::string SweepJsonText(const District& district, const std::vector<MethodSweep>& sweeps) {
  std::vector<std::string> methods;
  for (const MethodSweep& sweep : sweeps) {
    std::vector<std::string> rows;
    for (const SweepRow& row : sweep.sweep.rows) {
      std::vector<std::string> seats;
      for (const std::int32_t s : row.final_seats) seats.push_back(std::to_string(s));
      const auto indices = IndicesOf(district, row);
      const auto number = [](const std::string& t) { return t.empty() ? "null" : t; };
      rows.push_back("{\"seats\": " + std::to_string(row.seat_count) + ", \"final_seats\": [" +
                     Joined(seats, ", ") + "], \"gallagher\": " +
                     number(IndexText(indices, &Disproportionality::gallagher)) +
                     ", \"loosemore_hanby\": " +
                     number(IndexText(indices, &Disproportionality::loosemore_hanby)) + "}");
    }
    std::vector<std::string> paradoxes;
    for (const AlabamaParadox& paradox : sweep.sweep.paradoxes) {
      paradoxes.push_back("{\"party\": " + std::to_string(paradox.party) +
                          ", \"seats\": " + std::to_string(paradox.seat_count) +
                          ", \"before\": " + std::to_string(paradox.before) +
                          ", \"after\": " + std::to_string(paradox.after) + "}");
    }
    methods.push_back("    {\n      \"method\": " + JsonString(KeywordOf(sweep.method)) +
                      ",\n      \"name\": " + JsonString(NameOf(sweep.method)) +
                      ",\n      \"rows\": [\n        " + Joined(rows, ",\n        ") +
                      "\n      ],\n      \"paradoxes\": [" + Joined(paradoxes, ", ") + "]\n    }");
  }
  return "{\n  \"sweep\": [\n" + Joined(methods, ",\n") + "\n  ]\n}\n";
}

}  // namespace mandati::format
