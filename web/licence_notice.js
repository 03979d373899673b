// SPDX-License-Identifier: GPL-3.0-or-later
// mandati, a seat calculator for proportional representation by electoral quota: free software
// under the GNU General Public License, version 3 or (at your option) any later version, with
// NO WARRANTY. "About the program" in the page gives its version and where its source is. Built
// by emscripten, whose run-time code and libraries inside are under their own free licences
// (Expat, NCSA, Apache-2.0 with LLVM exception; see debian/copyright in the source).
