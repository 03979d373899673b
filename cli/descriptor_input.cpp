// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/descriptor_input.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ios>

namespace mandati::cli {

DescriptorInput::int_type DescriptorInput::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  ssize_t count = 0;
  do {
    count = ::read(fd_, buffer_.data(), buffer_.size());
  } while (count < 0 && errno == EINTR);
  // The reading stream catches this and sets its badbit.
  if (count < 0) throw std::ios_base::failure(std::strerror(errno));
  if (count == 0) return traits_type::eof();
  setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
  return traits_type::to_int_type(buffer_[0]);
}

}  // namespace mandati::cli
