// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace mandati::web {

// The compiled message catalogue of the language `code` ("bg"), built from po/<code>.po into
// the page at build time (po/embed.cmake), as the page's C library has no gettext to read the
// installed ones; empty for a language without one.
std::span<const unsigned char> EmbeddedCatalogue(std::string_view code);

}  // namespace mandati::web
