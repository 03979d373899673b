// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mandati::format {

struct Request;

// One option of mandati-cli's command line. The parser, --help and, through help2man, the
// manual page are all made from one table of these, so they cannot disagree; the page's bench
// applies the same actions to its fields.
struct OptionRule {
  std::string_view name;   // "--seats"
  std::string_view value;  // the name of its value in the help, "" for an option without one
  std::string meaning;     // the help's text; limits and keywords from the core's tables
  // Applies the option to a request: its value ("" for an option without one), and how
  // messages call it (see OptionCaller). Raises InputError for a value it cannot use.
  void (*apply)(Request& request, const std::string& value, std::string_view called);
  // Another option that chooses the same thing: the two cannot both be given.
  std::string_view excludes = {};
};

// Every option but --help, in the order the help lists them.
std::vector<OptionRule> OptionRules();

// The option of this name, if there is one.
std::optional<OptionRule> OptionNamed(std::string_view name);

}  // namespace mandati::format
