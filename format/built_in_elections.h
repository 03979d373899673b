// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The election files of elections/, compiled into the program (--election NAME), so that
// mandati-cli and the page's bench offer them without installation or files.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mandati::format {

struct BuiltInElection {
  std::string_view name;  // the file's name without ".csv": "bg-2021-07-na46"
  std::string_view text;  // the whole file
};

// Every built-in election, in the order of their names.
std::span<const BuiltInElection> BuiltInElections();

// The election of that name, or nullptr.
const BuiltInElection* BuiltInElectionNamed(std::string_view name);

// What --election list shows of each: its name, its title and its seats, as its file gives
// them ("240"; "10 + 8" for two districts).
struct ElectionSummary {
  std::string name;
  std::string title;
  std::string seats;
};
std::vector<ElectionSummary> ElectionSummaries();

}  // namespace mandati::format
