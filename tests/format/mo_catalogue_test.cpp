// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/mo_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <iterator>
#include <utility>
#include <vector>

namespace mandati::format {
namespace {

using Bytes = std::vector<unsigned char>;

// tests/format/data/bg.po, compiled by msgfmt at build time.
Bytes TestCatalogue() {
  std::ifstream file(MANDATI_TEST_LOCALEDIR "/bg/LC_MESSAGES/mandati-test.mo", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Where byte `i` of a word of a .mo file is, in the byte order of the machine that wrote it,
// which its magic number 0x950412de shows.
std::size_t Byte(const Bytes& bytes, std::size_t word, std::size_t i) {
  return 4 * word + (bytes[0] == 0xde ? i : 3 - i);
}
std::uint32_t Word(const Bytes& bytes, std::size_t index) {
  std::uint32_t word = 0;
  for (std::size_t i = 4; i-- > 0;) word = (word << 8) | bytes[Byte(bytes, index, i)];
  return word;
}
void SetWord(Bytes& bytes, std::size_t index, std::uint32_t word) {
  for (std::size_t i = 0; i < 4; ++i) {
    bytes[Byte(bytes, index, i)] = static_cast<unsigned char>(word >> (8 * i));
  }
}

TEST(MoFileTest, FindsEveryTranslatedKeyAndNoOther) {
  const Bytes bytes = TestCatalogue();
  // The same catalogue as a machine of the other byte order writes it: every word of the header
  // and of the two tables of lengths and offsets (up to the translations' table's end) reversed.
  Bytes swapped = bytes;
  for (std::size_t word = 0; word < Word(bytes, 4) / 4 + 2 * Word(bytes, 2); ++word) {
    std::reverse(swapped.begin() + static_cast<std::ptrdiff_t>(4 * word),
                 swapped.begin() + static_cast<std::ptrdiff_t>(4 * word + 4));
  }
  using namespace std::string_view_literals;
  const std::pair<std::string_view, std::optional<std::string_view>> cases[] = {
      {"Party {1}", "Партия {1}"},
      {"Total votes", "Общо гласове"},
      {"{1} of {2} seats", "от {2} мандата {1}"},
      {"{1} vote", "{1} глас\0{1} гласа"sv},
      {"{1} votes", std::nullopt},
      {"not translated", std::nullopt},
      {"Party", std::nullopt},
      {"~", std::nullopt},
  };
  for (const Bytes& catalogue : {bytes, swapped}) {
    const std::optional<MoFile> file = MoFile::Read(catalogue);
    ASSERT_TRUE(file.has_value());
    for (const auto& [key, translation] : cases) EXPECT_EQ(file->Find(key), translation) << key;
  }
}

TEST(MoFileTest, RefusesBytesThatAreNotAWholeCatalogue) {
  const Bytes bytes = TestCatalogue();
  const std::size_t keys = Word(bytes, 3);  // the offset of the keys' lengths and offsets
  const std::pair<const char*, std::function<void(Bytes&)>> cases[] = {
      {"shorter than a header", [](Bytes& b) { b.resize(19); }},
      {"cut in the strings", [](Bytes& b) { b.resize(b.size() - 10); }},
      {"another magic number", [](Bytes& b) { b[0] ^= 1; }},
      {"revision 1.0", [](Bytes& b) { SetWord(b, 1, 0x10000); }},
      {"more strings than bytes", [](Bytes& b) { SetWord(b, 2, 0xffffffff); }},
      {"a key beyond the end", [&](Bytes& b) { SetWord(b, keys / 4 + 1, 0xfffffff0); }},
      {"keys out of order",
       [&](Bytes& b) {
         std::swap_ranges(b.begin() + static_cast<std::ptrdiff_t>(keys + 8),
                          b.begin() + static_cast<std::ptrdiff_t>(keys + 16),
                          b.begin() + static_cast<std::ptrdiff_t>(keys + 16));
       }},
  };
  ASSERT_TRUE(MoFile::Read(bytes).has_value());
  for (const auto& [fault, make] : cases) {
    Bytes faulty = bytes;
    make(faulty);
    EXPECT_FALSE(MoFile::Read(faulty).has_value()) << fault;
  }
}

}  // namespace
}  // namespace mandati::format
