// SPDX-License-Identifier: GPL-3.0-or-later
// mandati-cli run in-process on fuzzed arguments and party lines. Whatever it is given: the
// exit status is one of the documented ones; a refused input (2) writes nothing on standard
// output and one line on standard error, a refused method (3) one line per method while the
// others are shown; neither stream carries a control character other than the line feed; and
// a CSV or JSON result gives each quota's final seats as the remainder pass must: their total
// is the seat count or the preliminary total when that is larger, and no party has fewer final
// than preliminary seats.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/run_cli.h"
#include "format/sink.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

bool OnlyLineFeeds(std::string_view text) {
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\n') || c == 0x7F) return false;
  }
  return true;
}

// The seats of one quota's parties, summed.
struct QuotaSeats {
  long preliminary = 0;
  long final_seats = 0;
};

// Fields 7 and 8 of a CSV row counted from the right, final and preliminary seats (the name
// may hold commas).
void AddCsvRow(std::string_view row, std::vector<QuotaSeats>& quotas, std::string& method) {
  std::vector<std::string_view> right;
  while (right.size() < 9) {
    const auto comma = row.rfind(',');
    Check(comma != std::string_view::npos);
    right.push_back(row.substr(comma + 1));
    row = row.substr(0, comma);
  }
  const std::string this_method(row.substr(0, row.find(',')));
  if (quotas.empty() || this_method != method) quotas.emplace_back();
  method = this_method;
  // A divisor method has no preliminary seats.
  const long preliminary = right[7].empty() ? 0 : std::stol(std::string(right[7]));
  const long final_seats = std::stol(std::string(right[6]));
  Check(final_seats >= preliminary);
  quotas.back().preliminary += preliminary;
  quotas.back().final_seats += final_seats;
}

std::vector<QuotaSeats> CsvSeats(const std::string& csv) {
  std::vector<QuotaSeats> quotas;
  std::string method;
  std::istringstream rows(csv);
  std::string row;
  std::getline(rows, row);  // the heading
  while (std::getline(rows, row)) AddCsvRow(row, quotas, method);
  return quotas;
}

// Each "parties" list of a quota: its seats read by field name. Names are JSON strings, in
// which a quote is escaped, so a field name cannot be faked by one.
std::vector<QuotaSeats> JsonSeats(const std::string& json) {
  std::vector<QuotaSeats> quotas;
  for (auto at = json.find("\"parties\": ["); at != std::string::npos;
       at = json.find("\"parties\": [", at + 1)) {
    quotas.emplace_back();
    const auto end = json.find("\n      ]", at);
    for (auto p = json.find("\"preliminary_seats\": ", at); p < end;
         p = json.find("\"preliminary_seats\": ", p + 1)) {
      const long preliminary = std::atol(json.c_str() + p + 21);
      const auto f = json.find("\"final_seats\": ", p);
      const long final_seats = std::atol(json.c_str() + f + 15);
      Check(final_seats >= preliminary);
      quotas.back().preliminary += preliminary;
      quotas.back().final_seats += final_seats;
    }
  }
  return quotas;
}

}  // namespace

// Byte 0 picks the format, the methods, --explain and where the votes come from; bytes 1 and
// 2 the seat count (sometimes out of range); the rest is standard input, or arguments
// separated by NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::uint8_t choice = data[0];
  const int seats = (data[1] << 8 | data[2]) % 33000;
  const char* formats[] = {"csv", "json", "table"};
  const char* methods[][2] = {{"--quota", "all"},
                              {"--quota", "hare"},
                              {"--quota", "droop"},
                              {"--quota", "hagenbach-bischoff"},
                              {"--method", "imperiali"},
                              {"--method", "dhondt"},
                              {"--method", "sainte-lague,hare"}};
  const std::string format = formats[choice % 3];
  const auto* method = methods[choice / 3 % 7];
  std::vector<std::string> args = {"--seats", std::to_string(seats), "--format", format, method[0],
                                   method[1]};
  if (choice & 0x10 && format != "csv") args.push_back("--explain");
  const std::string rest(reinterpret_cast<const char*>(data + 3), size - 3);
  std::string stdin_text;
  if (choice & 0x20) {
    std::istringstream parts(rest);
    // No --input: a fuzzed path could name a device that never ends.
    for (std::string arg; std::getline(parts, arg, '\0');) {
      if (!arg.starts_with("--input")) args.push_back(arg);
    }
  } else {
    stdin_text = rest;
  }
  mandati::format::StringSource in(stdin_text);
  mandati::format::StringSink out_sink, err_sink;
  const int status = mandati::cli::RunCli(args, in, out_sink, err_sink);
  const std::string& out = out_sink.Text();
  const std::string& err = err_sink.Text();
  Check(status == 0 || status == 2 || status == 3);
  Check(OnlyLineFeeds(out) && OnlyLineFeeds(err));
  if (status == 2) {
    Check(out.empty());
    Check(err.starts_with("mandati-cli: ") && err.find('\n') == err.size() - 1);
    return 0;
  }
  if (status == 3) {
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);) Check(line.starts_with("mandati-cli: "));
    Check(err.ends_with('\n'));
    if (out.empty()) return 0;
  } else {
    Check(err.empty());
  }
  // A fuzzed --help asks for the help text instead of the seats.
  if (format == "table" || out.starts_with("Usage: ")) return 0;
  const auto totals = format == "csv" ? CsvSeats(out) : JsonSeats(out);
  Check(!totals.empty());
  for (const QuotaSeats& quota : totals) {
    Check(quota.final_seats == std::max<long>(seats, quota.preliminary));
  }
  return 0;
}
