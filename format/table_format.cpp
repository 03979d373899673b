// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/table_format.h"

#include <algorithm>

#include "core/column_captions.h"
#include "format/figures.h"
#include "format/messages.h"
#include "format/text_table.h"

namespace mandati::format {

namespace {

constexpr std::size_t kColumnsPerMethod = 3;

bool AnyName(const District& district) {
  return std::any_of(district.parties.begin(), district.parties.end(),
                     [](const Party& party) { return !party.name.empty(); });
}

// The columns that name a party, before any figure: Партия, and Име where names are shown.
void AddPartyColumns(bool names, std::vector<Align>& aligns, std::vector<std::string>& headings) {
  aligns.push_back(Align::kRight);
  headings.emplace_back(CaptionOf(Caption::kParty));
  if (names) {
    aligns.push_back(Align::kLeft);
    headings.emplace_back("Име");
  }
}

// Партия, [Име], each method's three columns, глас. %, Гласували: the window's order.
TextTable PartyRows(const District& district, const std::vector<MethodOutcome>& outcomes,
                    bool names, WidthOf width) {
  std::vector<Align> aligns;
  std::vector<std::string> headings;
  AddPartyColumns(names, aligns, headings);
  for (const MethodOutcome& outcome : outcomes) {
    aligns.insert(aligns.end(), kColumnsPerMethod, Align::kRight);
    if (outcome.quota) {
      headings.insert(headings.end(), {std::string(CaptionOf(Caption::kPreliminarySeats)),
                                       std::string(CaptionOf(Caption::kFinalSeats)),
                                       std::string(CaptionOf(Caption::kQuotaRatio))});
    } else {
      headings.insert(headings.end(),
                      {"", std::string(CaptionOf(Caption::kFinalSeats)), "делител"});
    }
  }
  aligns.insert(aligns.end(), {Align::kRight, Align::kRight});
  headings.insert(headings.end(), {std::string(CaptionOf(Caption::kVoteShare)),
                                   std::string(HeadingOf(Caption::kVotes))});
  TextTable table(std::move(aligns), width);
  table.AddRow(std::move(headings));
  const std::vector<std::string> shares = VoteShareTexts(district);
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    std::vector<std::string> cells = {std::to_string(i + 1)};
    if (names) cells.push_back(district.parties[i].name);
    for (const MethodOutcome& outcome : outcomes) {
      const PartyFigures figures = FiguresOf(outcome, i);
      cells.insert(cells.end(), {figures.preliminary_seats, figures.final_seats,
                                 UnderThreshold(outcome, i) ? UnderThresholdMark()
                                 : outcome.quota            ? figures.quota_ratio
                                                            : figures.last_divisor});
    }
    cells.insert(cells.end(), {shares[i], std::to_string(district.parties[i].votes)});
    table.AddRow(std::move(cells));
  }
  return table;
}

// The line of method names above their groups of columns.
std::string GroupTitles(TextTable& table, const std::vector<MethodOutcome>& outcomes,
                        std::size_t first_group_column, const Decimal& first_divisor) {
  const std::size_t gap = table.Gap().size();
  for (std::size_t q = 0; q < outcomes.size(); ++q) {
    const std::size_t first = first_group_column + q * kColumnsPerMethod;
    const std::vector<std::size_t> widths = table.Widths();
    const std::size_t span = widths[first] + widths[first + 1] + widths[first + 2] + 2 * gap;
    const std::size_t title = table.Width()(TitleOf(outcomes[q], first_divisor));
    if (title > span) table.Widen(first + 2, widths[first + 2] + title - span);
  }
  const std::vector<std::size_t> widths = table.Widths();
  std::size_t start = 0;
  for (std::size_t c = 0; c < first_group_column; ++c) start += widths[c] + gap;
  std::string line(start, ' ');
  for (std::size_t q = 0; q < outcomes.size(); ++q) {
    const std::size_t first = first_group_column + q * kColumnsPerMethod;
    const std::size_t span = widths[first] + widths[first + 1] + widths[first + 2] + 2 * gap;
    line += table.PadRight(TitleOf(outcomes[q], first_divisor), span + gap);
  }
  line.erase(line.find_last_not_of(' ') + 1);
  return line + '\n';
}

std::string IndexLines(const std::vector<MethodOutcome>& outcomes, WidthOf width) {
  TextTable table({Align::kLeft, Align::kRight, Align::kRight}, width);
  table.AddRow({IndicesTitle() + ':', GallagherName(), LoosemoreHanbyName()});
  for (const MethodOutcome& outcome : outcomes) {
    table.AddRow({"  " + NameOf(outcome.method),
                  IndexText(outcome.disproportionality, &Disproportionality::gallagher),
                  IndexText(outcome.disproportionality, &Disproportionality::loosemore_hanby)});
  }
  return table.Render();
}

// Each party's seat margins under each method: "+" the fewest extra votes for one more seat,
// "−" the fewest lost votes for one seat less.
std::string MarginLines(const District& district, const std::vector<MethodOutcome>& outcomes,
                        const Margins& margins, bool names, WidthOf width) {
  std::vector<Align> aligns;
  std::vector<std::string> headings;
  AddPartyColumns(names, aligns, headings);
  for (const MethodOutcome& outcome : outcomes) {
    aligns.insert(aligns.end(), 2, Align::kRight);
    headings.insert(headings.end(), {NameOf(outcome.method) + " +", NameOf(outcome.method) + " −"});
  }
  TextTable table(std::move(aligns), width);
  table.AddRow(std::move(headings));
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    std::vector<std::string> cells = {std::to_string(i + 1)};
    if (names) cells.push_back(district.parties[i].name);
    for (const std::vector<SeatMargin>& method : margins) {
      cells.insert(cells.end(), {MarginText(method[i].gain), MarginText(method[i].loss)});
    }
    table.AddRow(std::move(cells));
  }
  return Tr("Seat margins in votes: + for one more seat, − for one seat less:") + '\n' +
         table.Render();
}

}  // namespace

void WriteTable(Sink& out, const District& district, const std::vector<MethodOutcome>& outcomes,
                WidthOf width, const Margins& margins) {
  if (outcomes.empty()) return;
  out << CaptionOf(Caption::kSeatCount) << ' ' << district.seats << '\n'
      << CaptionOf(Caption::kTotalVotes) << ' ' << outcomes.front().total_votes << '\n';
  const bool names = AnyName(district);
  TextTable table = PartyRows(district, outcomes, names, width);
  if (outcomes.size() == 1) {
    out << TitleOf(outcomes.front(), district.rules.first_divisor) << "\n\n";
  } else {
    out << '\n' << GroupTitles(table, outcomes, names ? 2 : 1, district.rules.first_divisor);
  }
  table.Write(out);
  std::vector<Method> methods;
  methods.reserve(outcomes.size());
  for (const MethodOutcome& outcome : outcomes) methods.push_back(outcome.method);
  out << RankingLine(methods, FlooredRankedExactly(outcomes));
  // The bar is the same for every method: they share the listed votes and the seats.
  for (const std::string& sentence : ThresholdSentences(district, outcomes.front())) {
    out << sentence << '\n';
  }
  out << TieRuleLine(district.rules.tie_rule);
  if (std::any_of(outcomes.begin(), outcomes.end(),
                  [](const MethodOutcome& outcome) { return outcome.divisors.has_value(); })) {
    out << '\n' << DivisorNote() << '\n';
  }
  out << '\n' << IndexLines(outcomes, width);
  if (!margins.empty()) out << '\n' << MarginLines(district, outcomes, margins, names, width);
}

}  // namespace mandati::format
