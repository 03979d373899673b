// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/terminal_width.h"

#include <utf8proc.h>

#include <algorithm>

namespace mandati::cli {

namespace {

bool IsRegionalIndicator(utf8proc_int32_t code) { return code >= 0x1F1E6 && code <= 0x1F1FF; }

}  // namespace

std::size_t TerminalWidth(std::string_view text) {
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  const auto size = static_cast<utf8proc_ssize_t>(text.size());
  std::size_t width = 0;
  int cluster = 0;  // the width of the cluster so far
  utf8proc_int32_t previous = -1;
  utf8proc_int32_t state = 0;
  for (utf8proc_ssize_t pos = 0; pos < size;) {
    utf8proc_int32_t code = 0;
    const utf8proc_ssize_t length = utf8proc_iterate(bytes + pos, size - pos, &code);
    if (length < 0) {
      width += static_cast<std::size_t>(cluster) + 1;
      cluster = 0;
      previous = -1;
      state = 0;
      ++pos;
      continue;
    }
    if (previous < 0 || utf8proc_grapheme_break_stateful(previous, code, &state)) {
      width += static_cast<std::size_t>(cluster);
      cluster = 0;
    }
    cluster = std::max(cluster, utf8proc_charwidth(code));
    if (code == 0xFE0F || (IsRegionalIndicator(code) && IsRegionalIndicator(previous))) {
      cluster = 2;
    }
    previous = code;
    pos += length;
  }
  return width + static_cast<std::size_t>(cluster);
}

}  // namespace mandati::cli
