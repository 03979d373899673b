// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/sweep_format.h"

#include <algorithm>
#include <string>

#include "core/column_captions.h"
#include "format/figures.h"
#include "format/machine_formats.h"
#include "format/messages.h"
#include "format/rule_values.h"

namespace mandati::format {

namespace {

std::string ParadoxLine(const District& district, const AlabamaParadox& paradox) {
  return "  " +
         ParadoxSentence(PartyLabel(district, static_cast<std::size_t>(paradox.party - 1)),
                         paradox) +
         '\n';
}

// Whether `party` (1-based) is among the paradoxes a row completes.
bool LostASeat(std::span<const AlabamaParadox> paradoxes, std::int32_t party) {
  return std::any_of(paradoxes.begin(), paradoxes.end(),
                     [&](const AlabamaParadox& paradox) { return paradox.party == party; });
}

struct RowIndices {
  std::string gallagher;
  std::string loosemore_hanby;
};

RowIndices IndicesOf(const District& district, const SweepRow& row) {
  const auto indices = MeasureDisproportionality(VotesOf(district), row.final_seats);
  return {IndexText(indices, &Disproportionality::gallagher),
          IndexText(indices, &Disproportionality::loosemore_hanby)};
}

// The sweep table of one method. Its columns are as wide as their headings or the widest
// figure a column can hold (the range's last seat count, an index of 100.00), so each row is
// written as it comes.
void WriteMethodTable(Sink& out, const District& district, const SweptMethod& swept,
                      const SweepRequest& request, WidthOf width) {
  const std::size_t parties = district.parties.size();
  TextTable table(std::vector<Align>(parties + 3, Align::kRight), width);
  std::vector<std::string> headings = {std::string(HeadingOf(Caption::kSeatCount))};
  // The blank stands over the column of the "!", so the figures sit under the number.
  for (std::size_t i = 0; i < parties; ++i) headings.push_back(std::to_string(i + 1) + ' ');
  headings.insert(headings.end(), {GallagherName(), LoosemoreHanbyName()});
  const std::size_t figure = std::to_string(request.last).size();
  std::vector<std::size_t> widths(headings.size());
  std::transform(headings.begin(), headings.end(), widths.begin(), width);
  widths[0] = std::max(widths[0], figure);
  for (std::size_t c = 1; c <= parties; ++c) widths[c] = std::max(widths[c], figure + 1);
  for (std::size_t c = parties + 1; c < widths.size(); ++c) {
    widths[c] = std::max<std::size_t>(widths[c], 6);
  }
  out << SweepTitle(swept.method) << "\n\n" << table.Line(headings, widths);
  std::string paradox_lines;
  std::vector<std::string> cells(headings.size());
  SweepRuns(district, swept, request.rules,
            [&](const SweepRow& row, std::span<const AlabamaParadox> paradoxes) {
              cells[0] = std::to_string(row.seat_count);
              for (std::size_t i = 0; i < parties; ++i) {
                const bool lost = LostASeat(paradoxes, static_cast<std::int32_t>(i + 1));
                cells[i + 1] = std::to_string(row.final_seats[i]) + (lost ? "!" : " ");
              }
              RowIndices indices = IndicesOf(district, row);
              cells[parties + 1] = std::move(indices.gallagher);
              cells[parties + 2] = std::move(indices.loosemore_hanby);
              out << table.Line(cells, widths);
              for (const AlabamaParadox& paradox : paradoxes) {
                paradox_lines += ParadoxLine(district, paradox);
              }
            });
  out << '\n' << (paradox_lines.empty() ? "  " + NoParadoxSentence() + '\n' : paradox_lines);
}

void Append(std::string& text, std::int64_t number) { text += std::to_string(number); }

}  // namespace

void WriteSweepTable(Sink& out, const District& district, const SweepRequest& request,
                     WidthOf width) {
  for (std::size_t m = 0; m < request.methods.size(); ++m) {
    if (m > 0) out << '\n';
    WriteMethodTable(out, district, request.methods[m], request, width);
  }
  out << RankingLine(MethodsOf(request), request.rules.ranking == Ranking::kExact);
  const std::string threshold = SweepThresholdSentence(request.rules.threshold);
  if (!threshold.empty()) out << threshold << '\n';
  out << TieRuleLine(request.rules.tie_rule);
}

void WriteSweepCsv(Sink& out, const District& district, const SweepRequest& request) {
  const bool ties = request.rules.tie_rule != TieRule::kOrder;
  out << "method,seats,party,final_seats,alabama_paradox,gallagher,loosemore_hanby,ranking"
      << (ties ? ",tie_rule\n" : "\n");
  std::string lines;
  for (const SweptMethod& swept : request.methods) {
    const Method method = swept.method;
    const std::string ranking =
        "," + RankingWord(method, request.rules.ranking == Ranking::kExact) +
        (ties ? "," + std::string(TieRuleKeyword(request.rules.tie_rule)) : std::string()) + "\n";
    const std::string keyword(KeywordOf(method));
    SweepRuns(district, swept, request.rules,
              [&](const SweepRow& row, std::span<const AlabamaParadox> paradoxes) {
                const RowIndices indices = IndicesOf(district, row);
                const std::string tail =
                    "," + indices.gallagher + "," + indices.loosemore_hanby + ranking;
                lines.clear();
                for (std::size_t i = 0; i < row.final_seats.size(); ++i) {
                  const auto party = static_cast<std::int32_t>(i + 1);
                  lines += keyword;
                  lines += ',';
                  Append(lines, row.seat_count);
                  lines += ',';
                  Append(lines, party);
                  lines += ',';
                  Append(lines, row.final_seats[i]);
                  lines += LostASeat(paradoxes, party) ? ",1" : ",0";
                  lines += tail;
                }
                out << lines;
              });
  }
}

void WriteSweepJson(Sink& out, const District& district, const SweepRequest& request) {
  out << "{\n  \"sweep\": [\n";
  for (std::size_t m = 0; m < request.methods.size(); ++m) {
    const Method method = request.methods[m].method;
    out << (m > 0 ? ",\n" : "") << "    {\n      \"method\": " << JsonString(KeywordOf(method))
        << ",\n      \"name\": " << JsonString(NameOf(method));
    if (std::holds_alternative<QuotaMethod>(method)) {
      out << ",\n      \"ranking\": "
          << JsonString(RankingWord(request.rules.ranking == Ranking::kExact));
    }
    if (request.rules.tie_rule != TieRule::kOrder) {
      out << ",\n      \"tie_rule\": " << JsonString(TieRuleKeyword(request.rules.tie_rule));
    }
    out << ",\n      \"rows\": [";
    std::string paradox_items;
    std::string line;
    bool first_row = true;
    SweepRuns(district, request.methods[m], request.rules,
              [&](const SweepRow& row, std::span<const AlabamaParadox> paradoxes) {
                const auto null_if_empty = [](const std::string& t) {
                  return t.empty() ? std::string("null") : t;
                };
                const RowIndices indices = IndicesOf(district, row);
                line = first_row ? "\n        " : ",\n        ";
                first_row = false;
                line += "{\"seats\": " + std::to_string(row.seat_count) + ", \"final_seats\": [";
                for (std::size_t i = 0; i < row.final_seats.size(); ++i) {
                  if (i > 0) line += ", ";
                  Append(line, row.final_seats[i]);
                }
                line += "], \"gallagher\": " + null_if_empty(indices.gallagher) +
                        ", \"loosemore_hanby\": " + null_if_empty(indices.loosemore_hanby) + "}";
                out << line;
                for (const AlabamaParadox& paradox : paradoxes) {
                  paradox_items += std::string(paradox_items.empty() ? "" : ", ") +
                                   "{\"party\": " + std::to_string(paradox.party) +
                                   ", \"seats\": " + std::to_string(paradox.seat_count) +
                                   ", \"before\": " + std::to_string(paradox.before) +
                                   ", \"after\": " + std::to_string(paradox.after) + "}";
                }
              });
    out << "\n      ],\n      \"paradoxes\": [" << paradox_items << "]\n    }";
  }
  out << "\n  ]\n}\n";
}

}  // namespace mandati::format
