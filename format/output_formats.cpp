// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/output_formats.h"

#include <vector>

#include "format/lists.h"

namespace mandati::format {

const OutputFormatRule& FormatRuleOf(OutputFormat format) {
  for (const OutputFormatRule& rule : kOutputFormats) {
    if (rule.format == format) return rule;
  }
  return kOutputFormats[0];
}

std::optional<OutputFormat> FormatNamed(std::string_view keyword) {
  for (const OutputFormatRule& rule : kOutputFormats) {
    if (rule.keyword == keyword) return rule.format;
  }
  return std::nullopt;
}

std::string FormatKeywords() {
  std::vector<std::string> keywords;
  for (const OutputFormatRule& rule : kOutputFormats) keywords.emplace_back(rule.keyword);
  return CommaList(keywords);
}

std::string ExplainingFormatKeywords() {
  std::vector<std::string> keywords;
  for (const OutputFormatRule& rule : kOutputFormats) {
    if (rule.explains) keywords.emplace_back(rule.keyword);
  }
  return OrList(keywords);
}

std::string FormatPurposes() {
  std::vector<std::string> purposes;
  for (const OutputFormatRule& rule : kOutputFormats) {
    purposes.push_back(std::string(rule.keyword) + " (" + Tr(rule.purpose) + ")");
  }
  return CommaList(purposes);
}

}  // namespace mandati::format
