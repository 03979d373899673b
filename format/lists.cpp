// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/lists.h"

#include <string_view>

#include "format/messages.h"

namespace mandati::format {

namespace {

// The items but the last joined by commas, the last by `last`, a text with {1} and {2}.
std::string Joined(const std::vector<std::string>& items, std::string_view last) {
  if (items.size() < 2) return items.empty() ? std::string() : items.front();
  std::string head;
  for (std::size_t i = 0; i + 1 < items.size(); ++i) head += (i > 0 ? ", " : "") + items[i];
  return Filled(last, {head, items.back()});
}

}  // namespace

std::string CommaList(const std::vector<std::string>& items) { return Joined(items, "{1}, {2}"); }

std::string AndList(const std::vector<std::string>& items) {
  return Joined(items, Tr("{1} and {2}"));
}

std::string OrList(const std::vector<std::string>& items) {
  return Joined(items, Tr("{1} or {2}"));
}

}  // namespace mandati::format
