// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/html_format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string>

#include "core/party_table.h"
#include "format/explanation.h"
#include "format/figures.h"
#include "format/messages.h"
#include "format/svg_chart.h"

namespace mandati::format {

namespace {

// Print-friendly: black on white, thin rules, figures right-aligned in digits of one width,
// wide tables scrolled in their region on a screen and let out whole on paper.
constexpr std::string_view kStyle =
    "body{margin:1rem;color:#000;background:#fff;"
    "font:1rem/1.4 \"Liberation Sans\",Arial,sans-serif}\n"
    "main{max-width:60rem}\n"
    "h1{font-size:1.4rem}h2{font-size:1.2rem}h3{font-size:1rem;margin:1rem 0 .3rem}\n"
    ".district p{margin:.2rem 0}\n"
    ".scroll{overflow-x:auto;max-width:100%;margin:0 0 1rem}\n"
    ".scroll:focus-visible{outline:2px solid #0072B2;outline-offset:2px}\n"
    "table{border-collapse:collapse}\n"
    "caption{text-align:left;font-weight:bold;padding:.3rem 0}\n"
    "th,td{border:1px solid #888;padding:.15rem .5rem}\n"
    "thead th{vertical-align:bottom;text-align:right}\n"
    "thead th:first-child,tbody th{text-align:left}\n"
    "tbody th{font-weight:normal}\n"
    "td,.count{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}\n"
    ".party{display:inline-block;min-width:3ch;text-align:right;"
    "font-variant-numeric:tabular-nums}\n"
    ".sweep td{padding-right:calc(.5rem + 1ch)}\n"
    ".sweep td:nth-last-child(-n+2){padding-right:.5rem}\n"
    ".paradox{font-weight:bold}\n"
    ".mark{display:inline-block;width:1ch;margin-right:-1ch;text-align:left}\n"
    ".hidden{position:absolute;width:1px;height:1px;overflow:hidden;clip-path:inset(50%);"
    "white-space:nowrap}\n"
    "pre{margin:0;font-size:.9rem}\n"
    ".chart svg{max-width:100%;height:auto}\n"
    "@media print{@page{margin:12mm}body{margin:0;font-size:10pt}main{max-width:none}"
    ".scroll{overflow:visible;break-inside:avoid}.chart{break-inside:avoid}"
    "pre{font-size:8pt;white-space:pre-wrap}}\n";

// The window's own words (its headings and the methods' names) are Bulgarian in every
// language of the page; on a page in another language they are marked, so that a screen
// reader speaks them as Bulgarian.
std::string WindowLang() { return CurrentLanguage() == Language::kBulgarian ? "" : " lang=\"bg\""; }

std::string WindowHeading(std::string_view text) {
  return "<th scope=\"col\"" + WindowLang() + ">" + HtmlEscaped(text) + "</th>";
}

std::string Cell(std::string_view text) { return "<td>" + HtmlEscaped(text) + "</td>"; }

// A party's heading cell: its number, and its name isolated in <bdi>.
std::string PartyHeading(const District& district, std::size_t party, std::string_view scope) {
  std::string cell = "<th scope=\"" + std::string(scope) + "\"><span class=\"party\">" +
                     std::to_string(party + 1) + "</span>";
  const std::string& name = district.parties[party].name;
  if (!name.empty()) cell += " <bdi>" + HtmlEscaped(name) + "</bdi>";
  return cell + "</th>";
}

// A text of the text table, its blank lines and line feeds at both ends left out.
std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of('\n');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of('\n') - first + 1);
}

void WriteHead(Sink& out, std::string_view title) {
  out << "<!DOCTYPE html>\n<html lang=\"" << CodeOf(CurrentLanguage()) << "\">\n<head>\n"
      << "<meta charset=\"utf-8\"/>\n"
         "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
         "style-src 'unsafe-inline'\"/>\n"
         "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\"/>\n<title>"
      << HtmlEscaped(title) << "</title>\n<style>\n"
      << kStyle << "</style>\n</head>\n<body>\n<main>\n<h1>" << HtmlEscaped(title) << "</h1>\n";
}

void WriteFoot(Sink& out) { out << "</main>\n</body>\n</html>\n"; }

// A table's start: its region, which scrolls sideways on a narrow screen and is named by the
// caption with `id`, the table's tag and the caption.
void OpenTable(Sink& out, std::string_view id, std::string_view caption, bool window_words,
               std::string_view table_tag = "<table>") {
  out << "<div class=\"scroll\" role=\"region\" aria-labelledby=\"" << id << "\" tabindex=\"0\">\n"
      << table_tag << "\n<caption id=\"" << id << "\"" << (window_words ? WindowLang() : "") << ">"
      << HtmlEscaped(caption) << "</caption>\n";
}

void CloseTable(Sink& out) { out << "</tbody>\n</table>\n</div>\n"; }

void WriteParagraph(Sink& out, const std::string& text) {
  if (!text.empty()) out << "<p>" << HtmlEscaped(text) << "</p>\n";
}

// The charts' SVG as a part of the page: without the XML declaration, which only a file of
// its own carries, and with role="img", so that the chart's <title> names it as a picture.
// The chart writers write their head first; it is held until its <svg is seen.
class InlineSvg : public Sink {
 public:
  explicit InlineSvg(Sink& page) : page_(page) {}

 protected:
  void Put(std::string_view text) override {
    if (started_) {
      page_ << text;
      return;
    }
    head_ += text;
    const std::size_t svg = head_.find("<svg");
    if (svg == std::string::npos) return;
    started_ = true;
    page_ << "<svg role=\"img\"" << std::string_view(head_).substr(svg + 4);
  }

 private:
  Sink& page_;
  std::string head_;
  bool started_ = false;
};

// Final seats side by side, one column a method: the comparison at a glance.
void WriteFinalSeats(Sink& out, const District& district,
                     const std::vector<MethodOutcome>& outcomes) {
  OpenTable(out, "final-seats", Tr("Final seats under each method"), false);
  out << "<thead><tr>" << WindowHeading("Партия");
  for (const MethodOutcome& outcome : outcomes) out << WindowHeading(NameOf(outcome.method));
  out << "</tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    out << "<tr>" << PartyHeading(district, i, "row");
    for (const MethodOutcome& outcome : outcomes) out << Cell(FiguresOf(outcome, i).final_seats);
    out << "</tr>\n";
  }
  CloseTable(out);
}

// One method's table, with the window's columns: a divisor method has no preliminary seats,
// and the divisor of its last seat instead of the votes-to-quota ratio.
void WriteMethodTable(Sink& out, const District& district, const MethodOutcome& outcome,
                      const std::string& id, const std::vector<std::string>& shares,
                      std::span<const SeatMargin> margins) {
  OpenTable(out, id, TitleOf(outcome, district.rules.first_divisor), true);
  out << "<thead><tr>" << WindowHeading("Партия");
  if (outcome.quota) out << WindowHeading("манд. предв.");
  out << WindowHeading("манд. оконч.") << WindowHeading(outcome.quota ? "манд/квота" : "делител")
      << WindowHeading("глас. %") << WindowHeading("Гласували");
  if (!margins.empty()) {
    out << "<th scope=\"col\">" << HtmlEscaped(Tr("Votes for one more seat"))
        << "</th><th scope=\"col\">" << HtmlEscaped(Tr("Votes lost for one seat less")) << "</th>";
  }
  out << "</tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < district.parties.size(); ++i) {
    const PartyFigures figures = FiguresOf(outcome, i);
    out << "<tr>" << PartyHeading(district, i, "row");
    if (outcome.quota) out << Cell(figures.preliminary_seats);
    out << Cell(figures.final_seats)
        << Cell(UnderThreshold(outcome, i) ? UnderThresholdMark()
                : outcome.quota            ? figures.quota_ratio
                                           : figures.last_divisor)
        << Cell(shares[i]) << Cell(std::to_string(district.parties[i].votes));
    if (!margins.empty())
      out << Cell(MarginText(margins[i].gain)) << Cell(MarginText(margins[i].loss));
    out << "</tr>\n";
  }
  CloseTable(out);
}

void WriteIndices(Sink& out, const std::vector<MethodOutcome>& outcomes) {
  OpenTable(out, "indices", IndicesTitle(), false);
  out << "<thead><tr><th scope=\"col\">" << HtmlEscaped(Tr("Method")) << "</th><th scope=\"col\">"
      << HtmlEscaped(GallagherName()) << "</th><th scope=\"col\">"
      << HtmlEscaped(LoosemoreHanbyName())
      << "</th></tr>"
         "</thead>\n<tbody>\n";
  for (const MethodOutcome& outcome : outcomes) {
    out << "<tr><th scope=\"row\"" << WindowLang() << ">" << HtmlEscaped(NameOf(outcome.method))
        << "</th>" << Cell(IndexText(outcome.disproportionality, &Disproportionality::gallagher))
        << Cell(IndexText(outcome.disproportionality, &Disproportionality::loosemore_hanby))
        << "</tr>\n";
  }
  CloseTable(out);
}

// Each method's explanation under its own heading, the explanation's first line; the rest
// keeps the columns it lines up, in a region of its own.
void WriteExplanations(Sink& out, const District& district,
                       const std::vector<MethodOutcome>& outcomes, const Margins& margins) {
  out << "<h2>" << HtmlEscaped(Tr("How the seats were handed out")) << "</h2>\n";
  for (std::size_t m = 0; m < outcomes.size(); ++m) {
    const std::string text = ExplanationText(
        district, outcomes[m], margins.empty() ? std::span<const SeatMargin>() : margins[m]);
    const std::size_t feed = std::min(text.find('\n'), text.size());
    const std::string id = "explanation-" + std::to_string(m + 1);
    out << "<section>\n<h3 id=\"" << id << "\"" << WindowLang() << ">"
        << HtmlEscaped(text.substr(0, feed)) << "</h3>\n<div class=\"scroll\" role=\"region\" "
        << "aria-labelledby=\"" << id << "\" tabindex=\"0\"><pre>"
        << HtmlEscaped(Trimmed(text.substr(feed))) << "</pre></div>\n</section>\n";
  }
}

// "Alabama paradox: <bdi>name</bdi> gets ...", the sentence escaped around the name.
std::string ParadoxItem(const District& district, const AlabamaParadox& paradox) {
  const std::string name =
      HtmlEscaped(PartyLabel(district, static_cast<std::size_t>(paradox.party - 1)));
  return "<li>" +
         Filled(HtmlEscaped(ParadoxSentence("{1}", paradox)), {"<bdi>" + name + "</bdi>"}) +
         "</li>\n";
}

// A sweep's row: the seat count, each party's seats with a paradox marked by `mark`, and the
// indices of disproportionality.
std::string SweepRowHtml(const SweepRow& row, const std::vector<bool>& lost_a_seat,
                         std::span<const std::int32_t> votes, const std::string& mark) {
  std::string text =
      "<tr><th scope=\"row\" class=\"count\">" + std::to_string(row.seat_count) + "</th>";
  for (std::size_t i = 0; i < row.final_seats.size(); ++i) {
    text += lost_a_seat[i] ? "<td class=\"paradox\">" : "<td>";
    text += std::to_string(row.final_seats[i]);
    if (lost_a_seat[i]) text += mark;
    text += "</td>";
  }
  const auto indices = MeasureDisproportionality(votes, row.final_seats);
  return text + Cell(IndexText(indices, &Disproportionality::gallagher)) +
         Cell(IndexText(indices, &Disproportionality::loosemore_hanby)) + "</tr>\n";
}

// A sweep calculated once, for the page's tables and its chart alike: per method the seats of
// each row, party by party, and the paradoxes each row completes. The seats are held in 16
// bits (a party never has more than kMaxSeats = 32767), so that the largest sweep, 999
// parties over 1000 seat counts under six methods, takes 12 MB.
class CalculatedSweep {
 public:
  CalculatedSweep(const District& district, const SweepRequest& request)
      : parties_(district.parties.size()), methods_(request.methods.size()) {
    static_assert(kMaxSeats <= std::numeric_limits<std::int16_t>::max());
    for (std::size_t m = 0; m < methods_.size(); ++m) {
      Rows& rows = methods_[m];
      std::size_t counts = 0;
      for (const SeatRange& run : request.methods[m].runs) {
        counts += static_cast<std::size_t>(run.last - run.first + 1);
      }
      rows.seats.reserve(counts * parties_);
      SweepRuns(district, request.methods[m], request.rules,
                [&](const SweepRow& row, std::span<const AlabamaParadox> paradoxes) {
                  rows.counts.push_back(row.seat_count);
                  for (const std::int32_t seats : row.final_seats) {
                    rows.seats.push_back(static_cast<std::int16_t>(seats));
                  }
                  rows.paradoxes.insert(rows.paradoxes.end(), paradoxes.begin(), paradoxes.end());
                  rows.paradox_ends.push_back(rows.paradoxes.size());
                });
    }
  }

  // Each row of method m with the paradoxes it completes, as SweepRuns gave them.
  void ReadRows(std::size_t m, const SweepRowSink& on_row) const {
    const Rows& rows = methods_[m];
    SweepRow row{0, std::vector<std::int32_t>(parties_)};
    const std::span<const AlabamaParadox> paradoxes = rows.paradoxes;
    std::size_t first_paradox = 0;
    for (std::size_t r = 0; r < rows.counts.size(); ++r) {
      row.seat_count = rows.counts[r];
      std::copy_n(rows.seats.begin() + static_cast<std::ptrdiff_t>(r * parties_), parties_,
                  row.final_seats.begin());
      on_row(row, paradoxes.subspan(first_paradox, rows.paradox_ends[r] - first_paradox));
      first_paradox = rows.paradox_ends[r];
    }
  }

 private:
  struct Rows {
    std::vector<std::int32_t> counts;       // the seat count of each row
    std::vector<std::int16_t> seats;        // row after row, party by party
    std::vector<AlabamaParadox> paradoxes;  // in the order the rows completed them
    std::vector<std::size_t> paradox_ends;  // per row, the end of its paradoxes
  };
  std::size_t parties_;
  std::vector<Rows> methods_;
};

// One method's sweep: its table written row by row, then its paradoxes in words.
void WriteSweepMethod(Sink& out, const District& district, const SweptMethod& swept,
                      const SweepRowsOf& rows, std::size_t m, const std::string& id) {
  const std::size_t parties = district.parties.size();
  OpenTable(out, id, SweepTitle(swept.method), false, "<table class=\"sweep\">");
  out << "<thead><tr>" << WindowHeading("Брой мандати");
  for (std::size_t i = 0; i < parties; ++i) out << PartyHeading(district, i, "col");
  out << "<th scope=\"col\">" << HtmlEscaped(GallagherName()) << "</th><th scope=\"col\">"
      << HtmlEscaped(LoosemoreHanbyName())
      << "</th></tr></thead>\n"
         "<tbody>\n";
  // The "!" is for the eye; a screen reader says the word instead.
  const std::string mark =
      "<span class=\"mark\" aria-hidden=\"true\">!</span><span class=\"hidden\"> " +
      HtmlEscaped(Tr("Alabama paradox")) + "</span>";
  const std::vector<std::int32_t> votes = VotesOf(district);
  std::vector<bool> lost_a_seat;
  std::string paradox_items;
  rows(m, [&](const SweepRow& row, std::span<const AlabamaParadox> paradoxes) {
    lost_a_seat.assign(parties, false);
    for (const AlabamaParadox& paradox : paradoxes) {
      lost_a_seat[static_cast<std::size_t>(paradox.party - 1)] = true;
      paradox_items += ParadoxItem(district, paradox);
    }
    out << SweepRowHtml(row, lost_a_seat, votes, mark);
  });
  CloseTable(out);
  if (paradox_items.empty()) {
    WriteParagraph(out, NoParadoxSentence());
  } else {
    out << "<ul>\n" << paradox_items << "</ul>\n";
  }
}

}  // namespace

std::string HtmlEscaped(std::string_view text) { return XmlEscaped(text, /*apostrophe=*/true); }

void WriteHtml(Sink& out, const District& district, const std::vector<MethodOutcome>& outcomes,
               bool explain, const Margins& margins) {
  if (outcomes.empty()) return;
  const std::string seats = std::to_string(district.seats);
  WriteHead(out, TrN("Seats of a district of {1} seat", "Seats of a district of {1} seats",
                     district.seats, seats));
  out << "<div class=\"district\"" << WindowLang() << "><p>Брой мандати: " << seats
      << "</p><p>Общо гл.: " << outcomes.front().total_votes << "</p></div>\n";
  if (outcomes.size() > 1) WriteFinalSeats(out, district, outcomes);
  const std::vector<std::string> shares = VoteShareTexts(district);
  std::vector<Method> methods;
  for (std::size_t m = 0; m < outcomes.size(); ++m) {
    WriteMethodTable(out, district, outcomes[m], "method-" + std::to_string(m + 1), shares,
                     margins.empty() ? std::span<const SeatMargin>() : margins[m]);
    methods.push_back(outcomes[m].method);
  }
  WriteParagraph(out, Trimmed(RankingLine(methods, FlooredRankedExactly(outcomes))));
  for (const std::string& sentence : ThresholdSentences(district, outcomes.front())) {
    WriteParagraph(out, sentence);
  }
  WriteParagraph(out, Trimmed(TieRuleLine(district.rules.tie_rule)));
  if (std::any_of(outcomes.begin(), outcomes.end(),
                  [](const MethodOutcome& outcome) { return outcome.divisors.has_value(); })) {
    WriteParagraph(out, DivisorNote());
  }
  WriteIndices(out, outcomes);
  if (explain) WriteExplanations(out, district, outcomes, margins);
  out << "<div class=\"chart\">\n";
  InlineSvg chart(out);
  WriteSharesSvg(chart, district, outcomes);
  out << "</div>\n";
  WriteFoot(out);
}

void WriteSweepHtml(Sink& out, const District& district, const SweepRequest& request) {
  WriteHead(out, Tr("Seats of a district of {1} to {2} seats", std::to_string(request.first),
                    std::to_string(request.last)));
  const CalculatedSweep sweep(district, request);
  const SweepRowsOf rows = [&sweep](std::size_t m, const SweepRowSink& on_row) {
    sweep.ReadRows(m, on_row);
  };
  for (std::size_t m = 0; m < request.methods.size(); ++m) {
    WriteSweepMethod(out, district, request.methods[m], rows, m, "sweep-" + std::to_string(m + 1));
  }
  WriteParagraph(
      out, Trimmed(RankingLine(MethodsOf(request), request.rules.ranking == Ranking::kExact)));
  WriteParagraph(out, SweepThresholdSentence(request.rules.threshold));
  WriteParagraph(out, Trimmed(TieRuleLine(request.rules.tie_rule)));
  out << "<div class=\"chart\">\n";
  InlineSvg chart(out);
  WriteSweepSvg(chart, district, request, rows);
  out << "</div>\n";
  WriteFoot(out);
}

}  // namespace mandati::format
