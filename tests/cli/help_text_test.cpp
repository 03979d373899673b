// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/help_text.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "core/quota_rules.h"
#include "core/seat_methods.h"
#include "format/exit_status.h"
#include "format/option_rules.h"
#include "format/party_input.h"
#include "format/text_table.h"

namespace mandati::cli {

using namespace mandati::format;  // NOLINT(google-build-using-namespace)
namespace {

// The help is made from the option table and the core's tables: every keyword and limit is
// there, no line passes 90 places, and each example is a paragraph of its own for the manual.
TEST(HelpTextTest, MadeFromTheTables) {
  const std::string help = HelpText();
  // The text with its line breaks and indents as single blanks.
  const std::string flat = std::regex_replace(help, std::regex("\n *"), " ");
  for (const QuotaRule& rule : kQuotaRules) {
    EXPECT_NE(flat.find(": " + std::string(rule.keyword)) == std::string::npos
                  ? flat.find(", " + std::string(rule.keyword))
                  : 0,
              std::string::npos)
        << rule.keyword;
  }
  for (const DivisorRule& rule : kDivisorRules) {
    EXPECT_NE(flat.find(std::string(rule.keyword) + " (divisors " + std::string(rule.divisors)),
              std::string::npos);
  }
  for (const std::string& limit :
       {"1 to " + std::to_string(kMaxSeats), "at most " + std::to_string(kMaxSweepCounts),
        std::to_string(kMaxLineBytes) + " bytes", std::to_string(kMaxLines) + " lines",
        "at most " + std::to_string(kMaxParties) + " parties"}) {
    EXPECT_NE(flat.find(limit), std::string::npos) << limit;
  }
  for (const OptionRule& rule : OptionRules()) {
    const std::string head = "  " + std::string(rule.name) + " " + std::string(rule.value);
    EXPECT_NE(help.find(head), std::string::npos) << head;
  }
  EXPECT_NE(help.find("  -h, --help "), std::string::npos);
  // Every status and its meaning, from their table; and how values and "--" are written.
  const std::string blanks = std::regex_replace(help, std::regex("\\s+"), " ");
  for (const ExitStatusRule& rule : kExitStatuses) {
    const std::string line = " " + std::to_string(rule.status) + " " + MeaningOf(rule) + " ";
    EXPECT_NE(blanks.find(line), std::string::npos) << line;
  }
  for (const char* syntax : {"(--seats 7 or --seats=7)", "\"--\" ends the options"}) {
    EXPECT_NE(blanks.find(syntax), std::string::npos) << syntax;
  }
  std::istringstream lines(help);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(CharacterCount(line), 90u) << line;
  }
  const std::string examples = help.substr(help.find("Examples:\n"));
  EXPECT_EQ(examples.find("\n  mandati-cli", examples.find("\n  mandati-cli") + 1),
            examples.find("\n\n  mandati-cli") + 1);
}

}  // namespace
}  // namespace mandati::cli
