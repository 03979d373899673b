// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/bench_link.h"

#include <algorithm>
#include <vector>

#include "core/method_choice.h"
#include "format/errors.h"
#include "format/messages.h"
#include "format/party_input.h"
#include "format/sink.h"

namespace mandati::format {

namespace {

constexpr std::string_view kFirstLine = "mandati-bench 1\n";
constexpr std::string_view kPartiesKey = "parties=\n";
constexpr std::size_t kMaxSeatsBytes = 32;

bool Flag(std::string_view value, bool& flag) {
  if (value != "0" && value != "1") return false;
  flag = value == "1";
  return true;
}

bool Methods(std::string_view value, std::vector<std::string>& methods) {
  while (!value.empty()) {
    const std::size_t comma = value.find(',');
    const std::string_view keyword = value.substr(0, comma);
    if (!MethodNamed(keyword)) return false;
    methods.emplace_back(keyword);
    value = comma == std::string_view::npos ? std::string_view() : value.substr(comma + 1);
  }
  return true;
}

// Takes one `key=value` line; false when its key is unknown, given twice or its value is not
// one the bench offers.
bool Take(BenchLink& link, std::string_view key, std::string_view value,
          std::span<const std::string_view> views, std::vector<std::string_view>& seen) {
  if (std::find(seen.begin(), seen.end(), key) != seen.end()) return false;
  seen.push_back(key);
  if (key == "language") {
    link.language = value;
    return LanguageOfCode(value).has_value();
  }
  if (key == "view") {
    link.fields.format = value;
    return std::find(views.begin(), views.end(), value) != views.end();
  }
  if (key == "seats") {
    link.fields.seats = value;
    return value.size() <= kMaxSeatsBytes && std::all_of(value.begin(), value.end(), [](char c) {
             return (c >= '0' && c <= '9') || c == '.';
           });
  }
  if (key == "methods") return Methods(value, link.fields.methods);
  if (key == "exact") return Flag(value, link.fields.exact);
  if (key == "explain") return Flag(value, link.fields.explain);
  return false;
}

BenchLink Refused(const std::string& message) {
  BenchLink link;
  link.message = Tr("The link does not hold a district that the bench can open: {1}", message);
  return link;
}

}  // namespace

std::string LinkText(const BenchLink& link) {
  std::string methods;
  for (const std::string& keyword : link.fields.methods)
    methods += (methods.empty() ? "" : ",") + keyword;
  std::string text = std::string(kFirstLine) + "language=" + link.language +
                     "\nview=" + link.fields.format + "\nseats=" + link.fields.seats +
                     "\nmethods=" + methods + "\nexact=" + (link.fields.exact ? "1" : "0") +
                     "\nexplain=" + (link.fields.explain ? "1" : "0") + "\n" +
                     std::string(kPartiesKey) + link.fields.parties;
  return text.size() <= kMaxLinkBytes ? text : std::string();
}

BenchLink ReadLink(std::string_view text, std::span<const std::string_view> views,
                   const std::string& parties_name) {
  if (text.size() > kMaxLinkBytes) {
    return Refused(Tr("it holds more than {1} KB", std::to_string(kMaxLinkBytes >> 10)));
  }
  if (!text.starts_with(kFirstLine)) return Refused(Tr("it is not a link of this page"));
  text.remove_prefix(kFirstLine.size());
  BenchLink link;
  std::vector<std::string_view> seen;
  while (!text.starts_with(kPartiesKey)) {
    const std::size_t end = text.find('\n');
    const std::size_t equals = text.find('=');
    if (end == std::string_view::npos || equals > end) {
      return Refused(Tr("it is cut short or changed"));
    }
    if (!Take(link, text.substr(0, equals), text.substr(equals + 1, end - equals - 1), views,
              seen)) {
      return Refused(Tr("it holds a value that the bench does not offer"));
    }
    text.remove_prefix(end + 1);
  }
  if (seen.size() != 6) return Refused(Tr("it is cut short or changed"));
  link.fields.parties = text.substr(kPartiesKey.size());
  // The parties as the bench reads them: what it would refuse, the link does not open.
  try {
    StringSource in(link.fields.parties);
    ReadParties(in, parties_name);
  } catch (const InputError& error) {
    return Refused(error.what());
  }
  return link;
}

}  // namespace mandati::format
