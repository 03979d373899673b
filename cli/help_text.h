// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace mandati::cli {

// The text of --help, made from the option table (format/option_rules.h) and the core's limits.
std::string HelpText();

}  // namespace mandati::cli
