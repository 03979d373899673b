// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An election file: party lines as ReadParties reads them, which may begin with "# key: value"
// lines that say how the election was held, and may give each party's official seats in a third
// field. A file without such lines reads as a list of parties and nothing more.
//
//   # title: 46-о Народно събрание, 11 юли 2021
//   # source: https://...
//   # seats: 240
//   # method: hare-niemeyer
//   # threshold: 4%
//   ГЕРБ-СДС,642165,63
//
// The keys of the calculation stand for the options of the same names (kFileKeys) and take
// their values: an option given on the command line wins over its key. A file may hold several
// districts, each begun by "# district: NAME" and followed by its own keys and parties; keys
// before the first district apply to every district unless the district gives its own.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/party_input.h"
#include "format/sink.h"

namespace mandati::format {

// One key of an election file: the option it stands for ("" for the keys that describe the
// election), whether it may come more than once, and whether a district may give it.
struct FileKey {
  std::string_view key;
  std::string_view option;
  bool repeatable;
  bool in_district;
};

inline constexpr std::array<FileKey, 12> kFileKeys{{
    {"title", "", false, false},
    {"date", "", false, false},
    {"source", "", false, false},
    {"note", "", true, true},
    {"seats", "--seats", false, true},
    {"method", "--method", false, true},
    {"threshold", "--threshold", false, true},
    {"threshold base", "--threshold-of", false, true},
    {"exempt", "--exempt", true, true},
    {"first divisor", "--first-divisor", false, true},
    {"ties", "--ties", false, true},
    {"district", "", false, false},
}};

// A key of the calculation as the file gives it, with its line for messages.
struct FileOption {
  std::string_view option;  // "--seats"
  std::string value;
  int line = 0;
};

struct ElectionDistrict {
  std::string name;                 // "" in a file without districts
  std::vector<FileOption> options;  // the file's keys for every district, then its own
  std::vector<std::string> notes;   // its own notes
  std::vector<Party> parties;
  std::vector<std::int32_t> official_seats;  // per party; empty when the file gives none
  int first_line = 0;                        // of its "# district:" line, or its first party line
};

struct Election {
  std::string source_name;  // the file's name in messages
  bool has_keys = false;    // some "# key: value" line: the file describes an election
  std::string title;
  std::string date;
  std::string source;
  std::vector<std::string> notes;
  std::vector<ElectionDistrict> districts;  // at least one
};

// Reads an election file within ReadParties's limits (each district at most kMaxParties
// parties). Refuses with InputError naming `source` and the line: an unknown key, a key twice
// in one place, a value its option refuses (`check_option` raises that InputError), title, date
// or source after the first district, a key after the parties of its place, parties before the
// first district of a file that has districts, a district without parties or a name twice, a
// third field in some party lines but not in others, and, in a file of several districts, a
// party without a name.
using OptionCheck = void (*)(std::string_view option, const std::string& value);
Election ReadElection(Source& in, const std::string& source, OptionCheck check_option);

}  // namespace mandati::format
