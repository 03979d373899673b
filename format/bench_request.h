// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The page's teaching bench asks in its own words: its fields, as the page's controls hold
// them, become a request through the same option actions as mandati-cli's arguments (one
// parser, two sources of values), and the answer carries everything the page shows or saves.
// The bench's messages call its fields by the names on its controls, never by options,
// arguments or standard input.

#include <cstddef>
#include <string>
#include <vector>

namespace mandati::format {

// What the bench's controls say. All of it comes from the page, so all of it is checked.
struct BenchFields {
  std::string parties;               // one party a line, as mandati-cli reads standard input
  std::string seats;                 // "7", or "1..8" for a sweep
  std::vector<std::string> methods;  // the chosen methods' keywords
  bool exact = false;
  bool explain = false;  // taken where the format can carry it, left out where it cannot
  std::string format;    // the output format's keyword
  // A built-in election's name (format/built_in_elections.h), calculated instead of `parties`,
  // `seats` and `methods` with its own seats, method and rules, and in the table compared with
  // its official seats (--check's MATCH line); "" for none.
  std::string election;
};

// How the bench's messages call each field: the names on its controls.
struct BenchNames {
  std::string parties;
  std::string seats;
  std::string methods;
  std::string exact;
  std::string explain;
  std::string format;
};

// The answer to one calculation of the bench.
struct BenchOutcome {
  int status = 0;          // as mandati-cli's exit status (see ExitStatus)
  std::string out;         // the output in the chosen format
  std::string err;         // the messages, one a line
  std::string media_type;  // of `out`, for showing it or saving it
  std::string file_name;   // for `out` saved: "mandati-1-8-seats-hare-dhondt.csv"
  std::string summary;     // one sentence for the status region: "Calculated: 6 methods, 7 seats"
};

// Calculates what the fields ask and writes the chosen format, holding at most `max_bytes` of
// output: a larger output is refused with kWriteFailed, as a full disk would be.
BenchOutcome RunBench(const BenchFields& fields, const BenchNames& names, std::size_t max_bytes);

// The answer when a calculation stopped without one (most likely for want of memory): made
// before each calculation, since a module that failed cannot be asked again.
BenchOutcome FailedBench();

}  // namespace mandati::format
