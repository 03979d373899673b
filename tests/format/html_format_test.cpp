// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/html_format.h"

#include <gtest/gtest.h>

#include "core/margins.h"
#include "format/messages.h"
#include "format/sink.h"
#include "format/svg_chart.h"

namespace mandati::format {
namespace {

TEST(HtmlEscapedTest, MarkupCharactersBecomeReferencesAndTheRestStays) {
  const struct {
    const char* text;
    const char* escaped;
  } cases[] = {
      {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"A & B \"Q\" 'x'", "A &amp; B &quot;Q&quot; &#39;x&#39;"},
      {"&amp;", "&amp;amp;"},
      {"Зелени שלום 123", "Зелени שלום 123"},
  };
  for (const auto& c : cases) EXPECT_EQ(HtmlEscaped(c.text), c.escaped) << c.text;
}

std::string PageIn(Language language) {
  District district;
  district.seats = 2;
  district.parties = {{"", 30}, {"", 20}};
  SetLanguage(language);
  StringSink out;
  WriteHtml(out, district,
            {CalculateMethod(QuotaMethod::Hare, VotesOf(district), 2, MethodRules{})}, false);
  SetLanguage(Language::kEnglish);
  return out.Text();
}

std::size_t Count(const std::string& text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// The window's Bulgarian words are marked as such on a page in another language only.
TEST(HtmlPageTest, LanguageOfThePageAndOfTheWindowsWords) {
  const std::string bulgarian = PageIn(Language::kBulgarian);
  EXPECT_TRUE(bulgarian.starts_with("<!DOCTYPE html>\n<html lang=\"bg\">"));
  EXPECT_EQ(Count(bulgarian, "lang=\"bg\""), 1u);
  const std::string english = PageIn(Language::kEnglish);
  EXPECT_TRUE(english.starts_with("<!DOCTYPE html>\n<html lang=\"en\">"));
  EXPECT_NE(english.find("<th scope=\"col\" lang=\"bg\">манд. оконч.</th>"), std::string::npos);
}

// The chart is a picture inside the page, not a document of its own.
TEST(HtmlPageTest, ChartIsAnInlinePictureWithoutAnXmlDeclaration) {
  const std::string page = PageIn(Language::kEnglish);
  EXPECT_EQ(page.find("<?xml"), std::string::npos);
  EXPECT_EQ(Count(page, "<svg role=\"img\" xmlns=\"http://www.w3.org/2000/svg\""), 1u);
  EXPECT_LT(page.find("<svg"), page.find("</main>"));
}

// The seat margins are two more columns of the method's table (D'Hondt, 2 seats, 60 40 1: see
// FormatsTest.ShowEachPartysSeatMargins for the arithmetic).
TEST(HtmlPageTest, SeatMarginsAreColumnsOfTheMethodsTable) {
  const District district{2, {{"", 60}, {"", 40}, {"", 1}}, {}};
  const Method method = DivisorMethod::DHondt;
  StringSink out;
  WriteHtml(out, district, {CalculateMethod(method, VotesOf(district), 2, MethodRules{})}, false,
            {SeatMargins(method, VotesOf(district), 2, MethodRules{})});
  for (const char* part : {"<th scope=\"col\">Votes for one more seat</th><th scope=\"col\">Votes "
                           "lost for one seat less</th></tr>",
                           "<td>21</td><td>40</td></tr>", "<td>39</td><td>—</td></tr>"}) {
    EXPECT_EQ(Count(out.Text(), part), 1) << part;
  }
}

// The sweep's page calculates the sweep once for its tables and its chart: the chart is the
// one the sweep's own picture draws, here with more parties than it draws (party 12 loses a
// seat at 28 seats and is drawn first) and a seat count left out.
TEST(HtmlSweepTest, ChartIsTheSweepsOwnPicture) {
  District district;
  for (const std::int32_t v :
       {983, 631, 362, 938, 568, 855, 501, 677, 682, 502, 451, 194, 307, 839, 661, 420, 727}) {
    district.parties.push_back(Party{"", v});
  }
  const SweepRequest request{
      {{QuotaMethod::Hare, {{1, 12}, {14, 30}}}, {DivisorMethod::DHondt, {{1, 30}}}},
      1,
      30,
      MethodRules{}};
  StringSink page;
  WriteSweepHtml(page, district, request);
  StringSink chart;
  WriteSweepSvg(chart, district, request);
  const std::string svg = chart.Text();
  ASSERT_NE(svg.find("<title>Партия 12: 1 → 0</title>"), std::string::npos);
  EXPECT_NE(page.Text().find("<svg role=\"img\"" + svg.substr(svg.find("<svg") + 4)),
            std::string::npos);
  EXPECT_EQ(Count(page.Text(), "<td class=\"paradox\">"), 1u);
}

}  // namespace
}  // namespace mandati::format
