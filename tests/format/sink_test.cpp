// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/sink.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <limits>

namespace mandati::format {
namespace {

TEST(SinkTest, WritesWholeNumbersOfEveryWidthInDigits) {
  StringSink out;
  out << std::int16_t{-32768} << ' ' << std::numeric_limits<std::int64_t>::min() << ' '
      << std::numeric_limits<std::uint64_t>::max() << ' ' << std::size_t{0} << ' ' << 7;
  EXPECT_EQ(out.Text(), "-32768 -9223372036854775808 18446744073709551615 0 7");
}

// A bounded sink takes nothing that would pass its bound, and nothing after that, and says
// so as a full disk would.
TEST(SinkTest, ABoundedStringFailsLikeAFullDisk) {
  StringSink out(10);
  out << "12345"
      << "678";
  EXPECT_TRUE(out.Flush());
  out << "abc"
      << "x";
  EXPECT_FALSE(out.Flush());
  EXPECT_EQ(out.Error(), ENOSPC);
  EXPECT_EQ(out.Text(), "12345678");
}

}  // namespace
}  // namespace mandati::format
