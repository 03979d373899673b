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

// The round trip is the page's test (tests/web/bench_test.py); here, what the reader refuses.
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
