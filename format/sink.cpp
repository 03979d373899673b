// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/sink.h"

#include <cerrno>
#include <charconv>

namespace mandati::format {

Sink& Sink::operator<<(std::string_view text) {
  if (!failed_ && !text.empty()) Put(text);
  return *this;
}

bool Sink::Flush() {
  if (!failed_) Drain();
  return !failed_;
}

Sink& Sink::Digits(std::int64_t number) {
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, number);
  return *this << std::string_view(digits, static_cast<std::size_t>(written.ptr - digits));
}

Sink& Sink::Digits(std::uint64_t number) {
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, number);
  return *this << std::string_view(digits, static_cast<std::size_t>(written.ptr - digits));
}

void StringSink::Put(std::string_view text) {
  if (text.size() > max_bytes_ - text_.size()) return Fail(ENOSPC);
  text_ += text;
}

Source::LineRead Source::ReadLine(std::string& line, std::size_t max_bytes) {
  line.clear();
  for (bool started = false;; started = true) {
    if (piece_.empty()) {
      const std::optional<std::string_view> piece = Piece();
      if (!piece) return LineRead::kFailed;
      if (piece->empty()) return started ? LineRead::kLine : LineRead::kEnd;
      piece_ = *piece;
    }
    const std::size_t feed = piece_.find('\n');
    const std::string_view part = piece_.substr(0, feed);
    if (part.size() > max_bytes - line.size()) return LineRead::kTooLong;
    line += part;
    piece_.remove_prefix(feed == std::string_view::npos ? piece_.size() : feed + 1);
    if (feed != std::string_view::npos) return LineRead::kLine;
  }
}

}  // namespace mandati::format
