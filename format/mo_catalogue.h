// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The message catalogues where no gettext is at hand (the page's C library has none): the
// compiled catalogues (.mo files, GNU gettext's documented layout) read in place, looked up
// by binary search of their sorted keys. The hashing table that the files also carry is not
// needed for that, and is not read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "format/messages.h"

namespace mandati::format {

// One compiled catalogue; its bytes must outlive it.
class MoFile {
 public:
  // The catalogue in `bytes`, or nothing when they are not a whole .mo file (its magic number,
  // revision 0, every string inside the bytes, the keys in strictly ascending order).
  static std::optional<MoFile> Read(std::span<const unsigned char> bytes);

  // The translation of the key `english` (of a plural message: its singular), its plural forms
  // separated by NUL; nothing when the key is missing or its translation is empty.
  std::optional<std::string_view> Find(std::string_view english) const;

 private:
  MoFile(std::span<const unsigned char> bytes, bool swapped);
  std::uint32_t Word(std::size_t offset) const;
  // The string whose length and offset are at `entry` of a table.
  std::string_view String(std::size_t entry) const;
  // The key of string `index`: a plural message's key is "singular\0plural", found by singular.
  std::string_view Key(std::uint32_t index) const;

  std::span<const unsigned char> bytes_;
  bool swapped_;  // written on a machine of the other byte order
  std::uint32_t count_ = 0;
  std::uint32_t keys_ = 0;          // offset of the table of the keys' lengths and offsets
  std::uint32_t translations_ = 0;  // offset of the same table of the translations
};

// The compiled catalogues of several languages.
class MoCatalogue final : public Catalogue {
 public:
  // Adds the catalogue of `language` in `bytes`; false, and nothing added, when they are not one.
  bool Add(Language language, std::span<const unsigned char> bytes);

  std::optional<std::string_view> Text(Language language, std::string_view english) override;
  std::optional<std::string_view> Plural(Language language, std::string_view singular,
                                         std::string_view plural, std::int64_t n) override;

 private:
  const MoFile* FileOf(Language language) const;

  std::vector<std::pair<Language, MoFile>> files_;
};

}  // namespace mandati::format
