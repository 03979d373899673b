// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/utf8.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "format/messages.h"

namespace mandati::format {

namespace {

std::string Escaped(std::string_view bytes) {
  std::string text;
  for (const char byte : bytes) {
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(byte));
    text += escaped;
  }
  return text;
}

using enum CharacterClass;

constexpr char32_t kWavingBlackFlag = 0x1F3F4;
constexpr char32_t kCancelTag = 0xE007F;

std::string CodePoint(char32_t code) {
  char text[12];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
  return text;
}

// The name of a character of the classes that the table names; empty for the others.
std::string TableName(char32_t code) {
  const auto runs = unicode_table::NamedRuns();
  const auto after = std::upper_bound(
      runs.begin(), runs.end(), code,
      [](char32_t wanted, const unicode_table::NamedRun& run) { return wanted < run.first; });
  if (after == runs.begin()) return {};
  const auto& run = *(after - 1);
  if (code - run.first >= run.count) return {};
  const std::string_view names = unicode_table::Names();
  const std::size_t end = after == runs.end() ? names.size() : after->name;
  std::string name(names.substr(run.name, end - run.name));
  if (run.number != 0) name += std::to_string(run.number + (code - run.first));
  return name;
}

// Where the tag sequence that begins at `pos` ends: one or more tags closed by CANCEL TAG;
// `pos` when there is none.
std::size_t TagSequenceEnd(std::string_view text, std::size_t pos) {
  std::size_t tags = 0;
  for (std::size_t end = pos; end < text.size(); ++tags) {
    const auto character = DecodeUtf8(text, end);
    if (!character || ClassOf(character->code) != kTag) break;
    end += character->length;
    if (character->code == kCancelTag) return tags > 0 ? end : pos;
  }
  return pos;
}

}  // namespace

std::optional<Utf8Char> DecodeUtf8(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t extra = 0;
  unsigned min_second = 0x80, max_second = 0xBF;
  char32_t code = lead;
  if (lead < 0x80) {
    return Utf8Char{code, 1};
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    code = lead & 0x0F;
    if (lead == 0xE0) min_second = 0xA0;
    if (lead == 0xED) max_second = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    code = lead & 0x07;
    if (lead == 0xF0) min_second = 0x90;
    if (lead == 0xF4) max_second = 0x8F;
  } else {
    return std::nullopt;
  }
  if (text.size() - pos <= extra) return std::nullopt;
  for (std::size_t k = 1; k <= extra; ++k) {
    const auto byte = static_cast<unsigned char>(text[pos + k]);
    if (byte < (k == 1 ? min_second : 0x80) || byte > (k == 1 ? max_second : 0xBF)) {
      return std::nullopt;
    }
    code = (code << 6) | (byte & 0x3F);
  }
  return Utf8Char{code, extra + 1};
}

bool IsUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto character = DecodeUtf8(text, pos);
    if (!character) return false;
    pos += character->length;
  }
  return true;
}

CharacterClass ClassOf(char32_t code) {
  constexpr std::uint32_t kClassMask = (1u << unicode_table::kClassBits) - 1;
  if (code > 0x10FFFF) return kUnassigned;
  const auto ranges = unicode_table::ClassRanges();
  // The last range that begins at or before `code`; the first begins at U+0000.
  const auto range = std::upper_bound(ranges.begin(), ranges.end(),
                                      code << unicode_table::kClassBits | kClassMask);
  return static_cast<CharacterClass>(*(range - 1) & kClassMask);
}

bool IsUnsafe(char32_t code) {
  const CharacterClass kind = ClassOf(code);
  return kind != kVisible && kind != kBlank;
}

std::string CharacterName(char32_t code) {
  const std::string code_point = CodePoint(code);
  switch (ClassOf(code)) {
    case kPrivateUse:
      return Tr("{1} (private use)", code_point);
    case kSurrogate:
      return Tr("{1} (surrogate)", code_point);
    case kNoncharacter:
      return Tr("{1} (noncharacter)", code_point);
    case kUnassigned:
      return Tr("{1} (unassigned)", code_point);
    default:
      break;
  }
  const std::string name = TableName(code);
  return name.empty() ? code_point : code_point + ' ' + name;
}

std::optional<char32_t> FirstRefusedCharacter(std::string_view text, bool tab_allowed) {
  char32_t before = 0;
  CharacterClass before_kind = kBlank;  // nothing before the first character
  for (std::size_t pos = 0; pos < text.size();) {
    const auto character = DecodeUtf8(text, pos);
    if (!character) {
      before_kind = kBlank;
      ++pos;
      continue;
    }
    const char32_t code = character->code;
    const CharacterClass kind = ClassOf(code);
    std::size_t next = pos + character->length;
    bool allowed = false;
    switch (kind) {
      case kVisible:
      case kBlank:
        allowed = true;
        break;
      case kControl:
        allowed = tab_allowed && code == '\t';
        break;
      case kJoiner: {
        const bool shows_before =
            before_kind == kVisible || before_kind == kVariationSelector || before_kind == kTag;
        const auto after = next < text.size() ? DecodeUtf8(text, next) : std::nullopt;
        allowed = shows_before && after && ClassOf(after->code) == kVisible;
        break;
      }
      case kVariationSelector:
        allowed = before_kind == kVisible;
        break;
      case kTag:
        next = before == kWavingBlackFlag ? TagSequenceEnd(text, pos) : pos;
        allowed = next != pos;
        break;
      default:
        break;
    }
    if (!allowed) return code;
    before = code;
    before_kind = kind;
    pos = next;
  }
  return std::nullopt;
}

bool ShowsSomething(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const auto character = DecodeUtf8(text, pos);
    if (character && ClassOf(character->code) == kVisible) return true;
    pos += character ? character->length : 1;
  }
  return false;
}

std::string Shown(std::string_view text, std::size_t max_characters) {
  std::string shown;
  std::size_t pos = 0;
  for (std::size_t count = 0; pos < text.size() && count < max_characters; ++count) {
    const auto character = DecodeUtf8(text, pos);
    const std::size_t length = character ? character->length : 1;
    const std::string_view bytes = text.substr(pos, length);
    shown += !character || IsUnsafe(character->code) ? Escaped(bytes) : std::string(bytes);
    pos += length;
  }
  if (pos < text.size()) shown += "...";
  return shown;
}

std::string Quoted(std::string_view text) { return '"' + Shown(text) + '"'; }

}  // namespace mandati::format
