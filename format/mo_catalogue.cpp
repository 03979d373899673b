// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/mo_catalogue.h"

namespace mandati::format {

namespace {

// The start of a .mo file: its magic number, as written on the machine that made it, the
// revision, the number of strings and the offsets of the keys' and translations' tables.
constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::uint32_t kSwappedMagic = 0xde120495;
constexpr std::size_t kHeaderBytes = 20;
constexpr std::size_t kEntryBytes = 8;  // a string's length, then its offset

std::uint32_t LittleEndianWord(std::span<const unsigned char> bytes, std::size_t offset) {
  std::uint32_t word = 0;
  for (std::size_t i = 4; i-- > 0;) word = (word << 8) | bytes[offset + i];
  return word;
}

std::uint32_t Swapped(std::uint32_t word) {
  return (word >> 24) | ((word >> 8) & 0xff00U) | ((word << 8) & 0xff0000U) | (word << 24);
}

}  // namespace

MoFile::MoFile(std::span<const unsigned char> bytes, bool swapped)
    : bytes_(bytes), swapped_(swapped) {}

std::optional<MoFile> MoFile::Read(std::span<const unsigned char> bytes) {
  if (bytes.size() < kHeaderBytes) return std::nullopt;
  const std::uint32_t magic = LittleEndianWord(bytes, 0);
  if (magic != kMagic && magic != kSwappedMagic) return std::nullopt;
  MoFile file(bytes, magic == kSwappedMagic);
  if (file.Word(4) >> 16 != 0) return std::nullopt;  // a major revision this reader does not know
  file.count_ = file.Word(8);
  file.keys_ = file.Word(12);
  file.translations_ = file.Word(16);
  // Sums of two 32-bit numbers, counted in 64 bits, cannot wrap round.
  const std::uint64_t table_bytes = std::uint64_t{file.count_} * kEntryBytes;
  for (const std::uint32_t table : {file.keys_, file.translations_}) {
    if (table + table_bytes > bytes.size()) return std::nullopt;
    for (std::size_t entry = table; entry < table + table_bytes; entry += kEntryBytes) {
      if (std::uint64_t{file.Word(entry)} + file.Word(entry + 4) > bytes.size()) {
        return std::nullopt;
      }
    }
  }
  for (std::uint32_t i = 1; i < file.count_; ++i) {
    if (!(file.Key(i - 1) < file.Key(i))) return std::nullopt;
  }
  return file;
}

std::optional<std::string_view> MoFile::Find(std::string_view english) const {
  std::uint32_t low = 0;
  std::uint32_t high = count_;
  while (low < high) {
    const std::uint32_t middle = low + (high - low) / 2;
    const std::string_view key = Key(middle);
    if (key == english) {
      const std::string_view translation =
          String(translations_ + std::size_t{middle} * kEntryBytes);
      if (translation.empty()) return std::nullopt;
      return translation;
    }
    if (key < english) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return std::nullopt;
}

std::uint32_t MoFile::Word(std::size_t offset) const {
  const std::uint32_t word = LittleEndianWord(bytes_, offset);
  return swapped_ ? Swapped(word) : word;
}

std::string_view MoFile::String(std::size_t entry) const {
  const std::uint32_t length = Word(entry);
  const std::uint32_t offset = Word(entry + 4);
  return {reinterpret_cast<const char*>(bytes_.data() + offset), length};
}

std::string_view MoFile::Key(std::uint32_t index) const {
  const std::string_view key = String(keys_ + std::size_t{index} * kEntryBytes);
  return key.substr(0, key.find('\0'));
}

bool MoCatalogue::Add(Language language, std::span<const unsigned char> bytes) {
  std::optional<MoFile> file = MoFile::Read(bytes);
  if (!file) return false;
  files_.emplace_back(language, *file);
  return true;
}

std::optional<std::string_view> MoCatalogue::Text(Language language, std::string_view english) {
  const MoFile* file = FileOf(language);
  if (file == nullptr) return std::nullopt;
  return file->Find(english);
}

std::optional<std::string_view> MoCatalogue::Plural(Language language, std::string_view singular,
                                                    std::string_view /*plural*/, std::int64_t n) {
  std::optional<std::string_view> forms = Text(language, singular);
  if (!forms) return std::nullopt;
  if (n != 1) {
    const std::size_t end_of_first = forms->find('\0');
    if (end_of_first == std::string_view::npos) return std::nullopt;
    forms->remove_prefix(end_of_first + 1);
  }
  const std::string_view form = forms->substr(0, forms->find('\0'));
  if (form.empty()) return std::nullopt;
  return form;
}

const MoFile* MoCatalogue::FileOf(Language language) const {
  for (const auto& [file_language, file] : files_) {
    if (file_language == language) return &file;
  }
  return nullptr;
}

}  // namespace mandati::format
