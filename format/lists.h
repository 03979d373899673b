// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Lists in the companion's sentences: "hare, droop, all", "3, 2 and 1", "table or json".

#include <string>
#include <vector>

namespace mandati::format {

std::string CommaList(const std::vector<std::string>& items);
std::string AndList(const std::vector<std::string>& items);
std::string OrList(const std::vector<std::string>& items);

}  // namespace mandati::format
