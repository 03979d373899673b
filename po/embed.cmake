# SPDX-License-Identifier: GPL-3.0-or-later
# Writes compiled catalogues into a C++ source as bytes, for the page, whose C library has no
# gettext: cmake -DOUTPUT=catalogues.cpp -DCATALOGUES=bg=bg.mo,en=en.mo -P embed.cmake
string(REPLACE "," ";" catalogues "${CATALOGUES}")
string(REPEAT "0x..," 16 line)  # sixteen bytes a line
set(arrays "")
set(entries "")
foreach(catalogue IN LISTS catalogues)
  string(REGEX MATCH "^([a-z]+)=(.+)$" matched "${catalogue}")
  if(NOT matched)
    message(FATAL_ERROR "not <language>=<file.mo>: ${catalogue}")
  endif()
  set(code ${CMAKE_MATCH_1})
  file(READ "${CMAKE_MATCH_2}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const unsigned char catalogue_${code}[] = {\n    ${bytes}};\n")
  string(APPEND entries "    {\"${code}\", catalogue_${code}},\n")
endforeach()
file(WRITE "${OUTPUT}" "// Made by po/embed.cmake from the compiled message catalogues.
#include \"web/embedded_catalogues.h\"

namespace mandati::web {

namespace {

${arrays}
struct Embedded {
  std::string_view code;
  std::span<const unsigned char> bytes;
};

const Embedded embedded[] = {
${entries}};

}  // namespace

std::span<const unsigned char> EmbeddedCatalogue(std::string_view code) {
  for (const Embedded& catalogue : embedded) {
    if (catalogue.code == code) return catalogue.bytes;
  }
  return {};
}

}  // namespace mandati::web
")
