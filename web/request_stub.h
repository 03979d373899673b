// SPDX-License-Identifier: GPL-3.0-or-later
// TEMPORARY: the companion's request handling as it will come to format/request.h, with the
// same names, so that the bench can be built before it lands. Removed at the merge.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/method_choice.h"
#include "format/party_input.h"
#include "format/text_table.h"

namespace mandati::format {

enum class OutputFormat { kTable, kCsv, kJson, kSvg };
struct Request {
  bool help = false;
  std::int16_t seats = 0, last_seats = 0;
  std::vector<Method> methods;
  bool exact = false;
  OutputFormat format = OutputFormat::kTable;
  bool explain = false;
  std::optional<std::string> input_path;
  std::vector<std::string> votes;
};
Request ParseRequest(const std::vector<std::string>& args);
enum ExitStatus : int { kSuccess = 0, kUnusableInput = 2, kNoCalculation = 3, kWriteFailed = 4 };
int RunRequest(const Request& request, const std::vector<Party>& parties, std::ostream& out,
               std::ostream& err, WidthOf width, std::string_view prefix);

}  // namespace mandati::format
