// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <streambuf>

namespace mandati::cli {

// A stream buffer that reads a file descriptor with read(2). A failed read (an I/O error,
// a directory) sets the reading stream's badbit, where std::cin, tied to C's stdio, would
// take it for the end of the input.
class DescriptorInput : public std::streambuf {
 public:
  explicit DescriptorInput(int fd) : fd_(fd) {}

 protected:
  int_type underflow() override;

 private:
  int fd_;
  std::array<char, 65536> buffer_{};
};

}  // namespace mandati::cli
