// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/bench_link.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace mandati::format {
namespace {

constexpr std::array<std::string_view, 2> kViews = {"tables", "chart"};

std::string Link(std::string_view lines, std::string_view parties = "А,5\n") {
  return "mandati-bench 1\n" + std::string(lines) + "parties=\n" + std::string(parties);
}

constexpr std::string_view kLines =
    "language=en\nview=chart\nseats=1..8\nmethods=hare,dhondt\nexact=1\nexplain=0\n";

TEST(BenchLinkTest, ReadsBackWhatItWrites) {
  const BenchLink read = ReadLink(Link(kLines, "Зелени,58125\n\"a,b\",3\n"), kViews, "Parties");
  ASSERT_EQ(read.message, "");
  EXPECT_EQ(read.language, "en");
  EXPECT_EQ(read.fields.format, "chart");
  EXPECT_EQ(read.fields.seats, "1..8");
  EXPECT_EQ(read.fields.methods, (std::vector<std::string>{"hare", "dhondt"}));
  EXPECT_TRUE(read.fields.exact);
  EXPECT_FALSE(read.fields.explain);
  EXPECT_EQ(read.fields.parties, "Зелени,58125\n\"a,b\",3\n");
  EXPECT_EQ(LinkText(read), Link(kLines, "Зелени,58125\n\"a,b\",3\n"));
  BenchLink huge = read;
  huge.fields.parties.assign(kMaxLinkBytes, '7');
  EXPECT_EQ(LinkText(huge), "");  // too large for a link
}

TEST(BenchLinkTest, RefusesWhatTheBenchWouldNotOffer) {
  const std::string refused[] = {
      "",
      "mandati-bench 2\n",
      Link("language=en\n"),  // cut short
      Link("language=fr\nview=chart\nseats=7\nmethods=hare\nexact=1\nexplain=0\n"),
      Link("language=en\nview=<b>\nseats=7\nmethods=hare\nexact=1\nexplain=0\n"),
      Link("language=en\nview=chart\nseats=7;x\nmethods=hare\nexact=1\nexplain=0\n"),
      Link("language=en\nview=chart\nseats=7\nmethods=hare,x\nexact=1\nexplain=0\n"),
      Link("language=en\nview=chart\nseats=7\nmethods=hare\nexact=yes\nexplain=0\n"),
      Link("language=en\nlanguage=en\nview=chart\nseats=7\nmethods=hare\nexact=1\n"),
      Link(kLines,
           "a\x1b"
           "b,5\n"),  // the parties' own reader
      Link(kLines, std::string(kMaxLinkBytes, '1')),
  };
  for (const std::string& text : refused) {
    const BenchLink read = ReadLink(text, kViews, "Parties");
    EXPECT_TRUE(read.message.starts_with("The link does not hold a district"))
        << text.substr(0, 80);
    EXPECT_EQ(read.fields.parties, "") << text.substr(0, 80);
  }
}

}  // namespace
}  // namespace mandati::format
