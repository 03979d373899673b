// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mandati::format {

// One option of mandati-cli's command line. The parser, --help and, through help2man, the
// manual page are all made from one table of these, so they cannot disagree.
struct OptionRule {
  std::string_view name;   // "--seats"
  std::string_view value;  // the name of its value in the help, "" for an option without one
  std::string meaning;     // the help's text; limits and keywords from the core's tables
};

// Every option but --help, in the order the help lists them.
const std::vector<OptionRule>& OptionRules();

}  // namespace mandati::format
