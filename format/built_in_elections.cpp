// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/built_in_elections.h"

#include "format/election_file.h"
#include "format/sink.h"

namespace mandati::format {

namespace {

// The built-in files are tested whole (every one reproduces its official seats), so their keys
// need no second check here.
void AcceptOption(std::string_view /*option*/, const std::string& /*value*/) {}

}  // namespace

const BuiltInElection* BuiltInElectionNamed(std::string_view name) {
  for (const BuiltInElection& election : BuiltInElections()) {
    if (election.name == name) return &election;
  }
  return nullptr;
}

std::vector<ElectionSummary> ElectionSummaries() {
  std::vector<ElectionSummary> summaries;
  for (const BuiltInElection& built_in : BuiltInElections()) {
    StringSource in{std::string(built_in.text)};
    const Election election = ReadElection(in, std::string(built_in.name), AcceptOption);
    ElectionSummary summary{std::string(built_in.name), election.title, ""};
    for (const ElectionDistrict& district : election.districts) {
      for (const FileOption& option : district.options) {
        if (option.option != "--seats") continue;
        summary.seats += (summary.seats.empty() ? "" : " + ") + option.value;
      }
    }
    summaries.push_back(std::move(summary));
  }
  return summaries;
}

}  // namespace mandati::format
