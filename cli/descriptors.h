// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "format/sink.h"

namespace mandati::cli {

// The companion's input and output straight over file descriptors, with read(2) and write(2).
// A failed read (an I/O error, a directory) is reported as such, where std::cin, tied to C's
// stdio, would take it for the end of the input; a failed write keeps its errno for the
// message.

class DescriptorSource : public format::Source {
 public:
  // With `owned` the descriptor is closed with the source.
  explicit DescriptorSource(int fd, bool owned = false) : fd_(fd), owned_(owned) {}
  ~DescriptorSource() override;

 protected:
  std::optional<std::string_view> Piece() override;

 private:
  int fd_;
  bool owned_;
  std::array<char, 65536> buffer_{};
};

// Holds back up to 64 KB, so that the output goes out in few writes; Flush hands on the rest.
// Line by line, each line goes out as soon as it is complete: a message is never lost when the
// program is ended after writing it (by a signal, a reader that closed the output).
class DescriptorSink : public format::Sink {
 public:
  enum class Hand { kInBlocks, kLineByLine };
  explicit DescriptorSink(int fd, Hand hand = Hand::kInBlocks) : fd_(fd), hand_(hand) {}

 protected:
  void Put(std::string_view text) override;
  void Drain() override;

 private:
  void WriteOut(std::string_view text);

  int fd_;
  Hand hand_;
  std::string held_;
};

}  // namespace mandati::cli
