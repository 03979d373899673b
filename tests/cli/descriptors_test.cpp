// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/descriptors.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

namespace mandati::cli {
namespace {

// What the pipe holds now, without waiting.
std::string Waiting(int fd) {
  char buffer[256];
  const ssize_t count = ::read(fd, buffer, sizeof buffer);
  return count > 0 ? std::string(buffer, static_cast<std::size_t>(count)) : std::string();
}

// Messages go out line by line, so that none is lost if the program is ended after it; the
// output in blocks, when flushed.
TEST(DescriptorSinkTest, LineByLineHandsOnEachCompleteLine) {
  int ends[2];
  ASSERT_EQ(::pipe2(ends, O_NONBLOCK), 0);
  {
    DescriptorSink lines(ends[1], DescriptorSink::Hand::kLineByLine);
    lines << "mandati-cli: "
          << "first";
    EXPECT_EQ(Waiting(ends[0]), "");
    lines << "\nsecond\nthi";
    EXPECT_EQ(Waiting(ends[0]), "mandati-cli: first\nsecond\n");
    DescriptorSink blocks(ends[1]);
    blocks << "a line\n";
    EXPECT_EQ(Waiting(ends[0]), "");
    EXPECT_TRUE(blocks.Flush());
    EXPECT_EQ(Waiting(ends[0]), "a line\n");
  }
  ::close(ends[0]);
  ::close(ends[1]);
}

}  // namespace
}  // namespace mandati::cli
