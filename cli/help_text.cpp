// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/help_text.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/party_table.h"
#include "format/exit_status.h"
#include "format/messages.h"
#include "format/option_rules.h"
#include "format/party_input.h"
#include "format/text_table.h"

namespace mandati::cli {

using format::CharacterCount;
using format::kMaxLineBytes;
using format::kMaxLines;
using format::OptionRule;
using format::OptionRules;
using format::Tr;

namespace {

constexpr std::size_t kHelpWidth = 90;
constexpr std::size_t kMeaningColumn = 18;
constexpr std::size_t kStatusColumn = 6;

// `text` wrapped into lines of at most kHelpWidth places at blanks, the first line after
// `first`, the others after `indent` blanks.
std::string Wrapped(std::string_view text, std::string first, std::size_t indent) {
  std::string out;
  std::string line = std::move(first);
  const std::size_t start = line.size();
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = std::min(text.find(' ', pos), text.size());
    const std::string_view word = text.substr(pos, end - pos);
    if (line.size() > start && CharacterCount(line) + 1 + CharacterCount(word) > kHelpWidth) {
      out += line + '\n';
      line = std::string(indent, ' ');
    } else if (line.size() > start) {
      line += ' ';
    }
    line += word;
    pos = end + 1;
  }
  return out + line + '\n';
}

std::string Paragraph(std::string_view text) { return Wrapped(text, "", 0) + '\n'; }

std::string OptionLines() {
  std::string text = Tr("Options:") + '\n';
  for (const OptionRule& rule : OptionRules()) {
    std::string head = "  " + std::string(rule.name);
    if (!rule.value.empty()) head += " " + std::string(rule.value);
    head.resize(std::max(kMeaningColumn, head.size() + 1), ' ');
    text += Wrapped(rule.meaning, head, kMeaningColumn);
  }
  std::string help = "  -h, --help";
  help.resize(kMeaningColumn, ' ');
  return text + Wrapped(Tr("show this help"), help, kMeaningColumn) + '\n';
}

// Each exit status with its meaning, from the table of statuses.
std::string ExitStatusLines() {
  std::string text = Tr("Exit status:") + '\n';
  for (const format::ExitStatusRule& rule : format::kExitStatuses) {
    std::string head = "  " + std::to_string(rule.status);
    head.resize(kStatusColumn, ' ');
    text += Wrapped(format::MeaningOf(rule), head, kStatusColumn);
  }
  return text + '\n';
}

}  // namespace

std::string HelpText() {
  const std::string usage_word = Tr("Usage:");
  const std::string usage = usage_word + " mandati-cli --seats S [OPTIONS] [VOTES...]\n" +
                            std::string(CharacterCount(usage_word), ' ') +
                            " mandati-cli --input FILE | --election NAME [OPTIONS]\n\n";
  return usage +
         Paragraph(
             Tr("Shares S seats among parties by an electoral quota and the largest remainders, "
                "with the same rules as the mandati window: first the allocation pass gives each "
                "party one seat per full quota (the preliminary seats), then the remainder pass "
                "hands the seats still left to the largest remainders, equal remainders to the "
                "higher party number first. Beside the window's three quotas it knows the "
                "Imperiali quota and two divisor methods (highest averages), so that one district "
                "can be compared under all of them.")) +
         Paragraph(Tr(
             "The parties' votes come as arguments, one whole number per party in party order, "
             "or, when there are none, one party a line from --input FILE or standard input, as "
             "\"votes\", \"name,votes\" or a spreadsheet's row \"name<TAB>votes\" (UTF-8, "
             "without control or formatting characters, line or paragraph separators, "
             "private-use or unassigned code points, noncharacters, or other characters that show "
             "nothing, but for the joiners, variation selectors and flag tags that emoji and "
             "words need beside visible characters; a name must show more than blanks; at most {1} "
             "bytes a line and {2} lines, blank lines included, which are skipped). Votes are "
             "whole "
             "numbers from 1 to {3}; at most {4} parties. In csv, a name that begins with =, +, - "
             "or @ (also after blanks, and in their full-width forms) gets a leading ' so that "
             "spreadsheets show it as text.",
             std::to_string(kMaxLineBytes), std::to_string(kMaxLines), std::to_string(kMaxVotes),
             std::to_string(kMaxParties))) +
         Paragraph(Tr(
             "A header line whose votes field holds no digit (\"name,votes\") is skipped when it "
             "is the first. Numbers are written with digits only: a name that ends in a comma "
             "and digits outside double quotes is refused, since \"GERB,642,931\" would "
             "otherwise read as the party \"GERB,642\" with 931 votes; such a name goes in "
             "double quotes.")) +
         Paragraph(Tr(
             "An election file begins with \"# key: value\" lines: title, date (YYYY-MM-DD), "
             "source (an address), note (may come again), and seats, method, threshold, "
             "threshold base, exempt (may come again), first divisor and ties, which stand for "
             "the options of the same names (threshold base for --threshold-of) and take their "
             "values; an option given on the command line wins over its key, and --seats may "
             "then be left out. Its party lines may give the official seats in a third field, "
             "\"name,votes,seats\": a line that ends in two fields of digits has it, and every "
             "party line must have it or none. \"# district: NAME\" begins a district with its "
             "own keys and parties (keys before the first district apply to all); each district "
             "is calculated on its own, then each party's seats are added up by name. An unknown "
             "key, a key twice, a bad value or a key after the parties is refused with its line. "
             "Election files show each party's seat margins.")) +
         OptionLines() +
         Paragraph(Tr("An option's value follows it as the next argument or after \"=\" (--seats "
                      "7 or --seats=7). \"--\" ends the options: every argument after it is a "
                      "party's votes.")) +
         Paragraph(
             Tr("Every method shows the Gallagher and Loosemore-Hanby indices of "
                "disproportionality, in percentage points, and every format says how the quotas' "
                "remainders were ranked. The Hare, Hagenbach-Bischoff and Imperiali quotas are "
                "rounded down, so their full quotas can add up to more seats than the seat count "
                "(the Droop quota's cannot): as in the window, those preliminary seats are all "
                "kept, no seat is handed out, and more seats than S are given out.")) +
         ExitStatusLines() +
         // One example a paragraph, so that the manual page keeps them apart.
         Tr("Examples:") +
         "\n"
         "  mandati-cli --seats 7 58125 45871 27142 15947 12264\n\n"
         "  mandati-cli --seats 7 --method all --explain 58125 45871 27142 15947 12264\n\n"
         "  mandati-cli --seats 1..8 --method hare --format svg 18 17 6 > alabama.svg\n\n"
         "  mandati-cli --election bg-2021-07-na46 --check\n";
}

}  // namespace mandati::cli
