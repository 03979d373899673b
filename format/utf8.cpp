// SPDX-License-Identifier: GPL-3.0-or-later
#include "format/utf8.h"

#include <cstdio>

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

bool IsControl(char32_t code) { return code < 0x20 || (code >= 0x7F && code <= 0x9F); }

bool IsUnsafe(char32_t code) {
  const bool noncharacter = (code >= 0xFDD0 && code <= 0xFDEF) || (code & 0xFFFE) == 0xFFFE;
  const bool invisible = (code >= 0x200B && code <= 0x200F) || (code >= 0x202A && code <= 0x202E) ||
                         (code >= 0x2060 && code <= 0x2069) || code == 0xFEFF;
  return IsControl(code) || noncharacter || invisible;
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
