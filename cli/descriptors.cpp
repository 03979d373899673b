// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/descriptors.h"

#include <unistd.h>

#include <cerrno>

namespace mandati::cli {

namespace {

constexpr std::size_t kHeldBytes = 65536;

}  // namespace

DescriptorSource::~DescriptorSource() {
  if (owned_) ::close(fd_);
}

std::optional<std::string_view> DescriptorSource::Piece() {
  ssize_t count = 0;
  do {
    count = ::read(fd_, buffer_.data(), buffer_.size());
  } while (count < 0 && errno == EINTR);
  if (count < 0) return Fail(errno);
  return std::string_view(buffer_.data(), static_cast<std::size_t>(count));
}

void DescriptorSink::Put(std::string_view text) {
  if (held_.size() + text.size() > kHeldBytes) {
    Drain();
    if (text.size() >= kHeldBytes) return WriteOut(text);
  }
  held_ += text;
  const std::size_t line_end = held_.rfind('\n');
  if (hand_ == Hand::kLineByLine && line_end != std::string::npos) {
    WriteOut(std::string_view(held_).substr(0, line_end + 1));
    held_.erase(0, line_end + 1);
  }
}

void DescriptorSink::Drain() {
  WriteOut(held_);
  held_.clear();
}

void DescriptorSink::WriteOut(std::string_view text) {
  while (!text.empty() && !Failed()) {
    const ssize_t count = ::write(fd_, text.data(), text.size());
    if (count < 0 && errno == EINTR) continue;
    // A write that takes nothing would repeat forever; it fails without a reason.
    if (count <= 0) return Fail(count < 0 ? errno : 0);
    text.remove_prefix(static_cast<std::size_t>(count));
  }
}

}  // namespace mandati::cli
