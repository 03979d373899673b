// SPDX-License-Identifier: GPL-3.0-or-later
// The page's own words around the window and the bench: the bar's switches between the two
// views and the one that fits the window to the screen, and the panel about the program, its
// licence, version and source. Written in English as the keys of
// the message catalogues and shown in the page's language (format/messages.h); the window's own
// words are the window's (form/).
#pragma once

#include <string_view>

#include "format/messages.h"

namespace mandati::web {

struct PageText {
  std::string_view key;      // how the page finds the text
  std::string_view english;  // the catalogues' key
};

inline constexpr PageText kPageTexts[] = {
    {"windowView", format::NoTr("Calculator")},
    {"benchView", format::NoTr("Comparing methods")},
    {"views", format::NoTr("View of the page")},
    {"loadFailed", format::NoTr("The comparison cannot be loaded in this browser.")},
    {"fit", format::NoTr("Fit to the screen")},
    {"about", format::NoTr("About the program")},
    {"licence",
     format::NoTr("mandati is free software: you may use, copy, change and hand it on under "
                  "the GNU General Public License, version 3 or (at your option) any later "
                  "version (GPL-3.0-or-later). It comes with no warranty.")},
    {"source", format::NoTr("Its source code, with the licence's full text:")},
    {"noSource",
     format::NoTr("This page was built outside a git checkout, so its source is not beside it: "
                  "it is the source the page was built from, on Debian the source package "
                  "(apt-get source mandati).")},
};

// "Version 1.1.0, commit 283a314abcd" under the panel's heading.
inline constexpr std::string_view kVersionText = format::NoTr("Version {1}");
inline constexpr std::string_view kCommitText = format::NoTr("{1}, commit {2}");
inline constexpr std::string_view kChangedCommitText =
    format::NoTr("{1}, commit {2} with local changes");

}  // namespace mandati::web
