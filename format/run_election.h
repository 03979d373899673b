// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A request over an election file (format/election_file.h): each district calculated on its
// own under the file's keys and the command line's options (an option given wins), then each
// party's totals across the districts, and --check's comparison with the official seats.

#include <string_view>

#include "format/election_file.h"
#include "format/request.h"
#include "format/sink.h"
#include "format/text_table.h"

namespace mandati::format {

// The election that --election names, read from the program's own files; --election list is
// no election. Raises InputError for a name that is none of them.
Election BuiltInElectionOf(std::string_view name);

// --election list: each built-in election's name, title and seats.
void WriteElectionList(Sink& out, WidthOf width);

// Runs `request` over `election` as RunRequest runs it over one district, which it is for a
// file without keys (the output is then exactly RunRequest's). A file with keys shows its
// title, date and source first; several districts are each
// shown under their name, then the totals. --check adds a line for each party whose seats differ
// from the official ones, then MATCH or MISMATCH. Returns RunRequest's exit statuses, or
// kMismatch when the seats are shown and some differ from the official ones. Messages call the
// options as `called` does.
int RunElection(const Request& request, const Election& election, Sink& out, Sink& err,
                WidthOf width, std::string_view prefix, const OptionCaller& called = AsOption);

}  // namespace mandati::format
