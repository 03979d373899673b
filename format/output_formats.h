// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The output formats, in one table that the request's parser, its messages, --help and the
// page's bench all read.

#include <optional>
#include <string>
#include <string_view>

#include "format/messages.h"

namespace mandati::format {

enum class OutputFormat { kTable, kCsv, kJson, kSvg, kHtml };

struct OutputFormatRule {
  OutputFormat format;
  std::string_view keyword;     // --format's word for it
  std::string_view purpose;     // what it is for, as --help says it
  bool explains;                // --explain can go with it
  std::string_view media_type;  // its Internet media type, with UTF-8 where text needs it said
  std::string_view extension;   // the name ending of a file that holds it
};

inline constexpr OutputFormatRule kOutputFormats[] = {
    {OutputFormat::kTable, "table", NoTr("for people"), true, "text/plain; charset=utf-8", "txt"},
    {OutputFormat::kCsv, "csv", NoTr("for spreadsheets and programs"), false,
     "text/csv; charset=utf-8", "csv"},
    {OutputFormat::kJson, "json", NoTr("for programs"), true, "application/json", "json"},
    {OutputFormat::kSvg, "svg", NoTr("a chart for a slide"), false, "image/svg+xml", "svg"},
    {OutputFormat::kHtml, "html", NoTr("a page to print: tables, notes and the chart"), true,
     "text/html; charset=utf-8", "html"},
};

const OutputFormatRule& FormatRuleOf(OutputFormat format);
std::optional<OutputFormat> FormatNamed(std::string_view keyword);

// The keywords, "table, csv, json, svg"; and those that --explain goes with, "table or json".
std::string FormatKeywords();
std::string ExplainingFormatKeywords();

// Each format with its purpose, for --help: "table (for people), csv (...), ...".
std::string FormatPurposes();

}  // namespace mandati::format
