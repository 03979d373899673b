#include "cli/table_format.h"

#include <algorithm>

#include "cli/text_table.h"
#include "core/quota_rules.h"

namespace mandati::cli {

namespace {

constexpr std::size_t kColumnsPerQuota = 3;

bool AnyName(const District& district) {
  return std::any_of(district.parties.begin(), district.parties.end(),
                     [](const Party& party) { return !party.name.empty(); });
}

std::string QuotaTitle(const Calculation& outcome) {
  return std::string(QuotaName(outcome.method)) + ": " + std::to_string(outcome.quota);
}

// Партия, [Име], each quota's three columns, глас. %, Гласували: the window's order.
TextTable PartyRows(const District& district, const std::vector<Calculation>& outcomes,
                    bool names) {
  std::vector<Align> aligns = {Align::kRight};
  std::vector<std::string> headings = {"Партия"};
  if (names) {
    aligns.push_back(Align::kLeft);
    headings.emplace_back("Име");
  }
  for (std::size_t q = 0; q < outcomes.size(); ++q) {
    aligns.insert(aligns.end(), kColumnsPerQuota, Align::kRight);
    headings.insert(headings.end(), {"манд. предв.", "манд. оконч.", "манд/квота"});
  }
  aligns.insert(aligns.end(), {Align::kRight, Align::kRight});
  headings.insert(headings.end(), {"глас. %", "Гласували"});
  TextTable table(std::move(aligns));
  table.AddRow(std::move(headings));
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    std::vector<std::string> cells = {std::to_string(i + 1)};
    if (names) cells.push_back(district.parties[i].name);
    for (const Calculation& outcome : outcomes) {
      const PartyOutcome& party = outcome.parties[i];
      cells.insert(cells.end(), {std::to_string(party.preliminary_seats),
                                 std::to_string(party.final_seats), party.ratio_text});
    }
    cells.insert(cells.end(), {outcomes.front().parties[i].share_text,
                               std::to_string(district.parties[i].votes)});
    table.AddRow(std::move(cells));
  }
  return table;
}

// The line of quota names above their groups of columns.
std::string GroupTitles(TextTable& table, const std::vector<Calculation>& outcomes,
                        std::size_t first_group_column) {
  const std::size_t gap = table.Gap().size();
  for (std::size_t q = 0; q < outcomes.size(); ++q) {
    const std::size_t first = first_group_column + q * kColumnsPerQuota;
    const std::vector<std::size_t> widths = table.Widths();
    const std::size_t span = widths[first] + widths[first + 1] + widths[first + 2] + 2 * gap;
    const std::size_t title = DisplayWidth(QuotaTitle(outcomes[q]));
    if (title > span) table.Widen(first + 2, widths[first + 2] + title - span);
  }
  const std::vector<std::size_t> widths = table.Widths();
  std::size_t start = 0;
  for (std::size_t c = 0; c < first_group_column; ++c) start += widths[c] + gap;
  std::string line(start, ' ');
  for (std::size_t q = 0; q < outcomes.size(); ++q) {
    const std::size_t first = first_group_column + q * kColumnsPerQuota;
    const std::size_t span = widths[first] + widths[first + 1] + widths[first + 2] + 2 * gap;
    line += PadRight(QuotaTitle(outcomes[q]), span + gap);
  }
  line.erase(line.find_last_not_of(' ') + 1);
  return line + '\n';
}

}  // namespace

std::string TableText(const District& district, const std::vector<Calculation>& outcomes) {
  std::string text = "Брой мандати: " + std::to_string(district.seats) + '\n';
  text += "Общо гл.: " + std::to_string(outcomes.front().total_votes) + '\n';
  const bool names = AnyName(district);
  TextTable table = PartyRows(district, outcomes, names);
  if (outcomes.size() == 1) {
    text += QuotaTitle(outcomes.front()) + "\n\n";
  } else {
    text += '\n' + GroupTitles(table, outcomes, names ? 2 : 1);
  }
  return text + table.Render();
}

}  // namespace mandati::cli
