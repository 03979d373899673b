// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The bench's district as the text of a link: what its controls say (the parties, the seats or
// range, the methods, the options, the view and the language) written as a few `key=value`
// lines and the party lines after `parties=`, and read back by a bounded reader that checks
// every value, so that a link from anywhere reopens a district or is refused with a message.
// The page compresses the text into its address's fragment; it is never sent anywhere.
//
//   mandati-bench 1
//   language=bg
//   view=table
//   seats=1..8
//   methods=hare,dhondt
//   exact=0
//   explain=1
//   parties=
//   Зелени,58125
//   45871

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "format/bench_request.h"

namespace mandati::format {

// The most text a link may hold: 99 parties with long names fit many times over.
inline constexpr std::size_t kMaxLinkBytes = 256u << 10;

struct BenchLink {
  BenchFields fields;    // `format` holds the view's key
  std::string language;  // its code, "bg"
  std::string message;   // why the link cannot be made or read; empty when it can
};

// The link's text for `link`, or an empty text when it would be longer than kMaxLinkBytes.
std::string LinkText(const BenchLink& link);

// The district a link's text holds, each value checked: the language one of kLanguageCodes,
// the view one of `views`, the methods by their keywords, the parties as the bench reads them
// (its messages calling them `parties_name`).
// A text that is not a link, or holds anything else, gives a link with only its message.
BenchLink ReadLink(std::string_view text, std::span<const std::string_view> views,
                   const std::string& parties_name);

}  // namespace mandati::format
