# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the election files into a C++ source as bytes, so that mandati-cli and the page's
# bench have them without installation:
#   cmake -DOUTPUT=built_in_elections_data.cpp -DFILES=a.csv;b.csv -P embed.cmake
# Each is named by its file name without ".csv" (all in one folder); they are listed in the
# order of the names.
# Each byte is a string literal of its own, "\xd0" "\x95", so that no hex escape takes the
# digits after it; sixteen bytes a line.
string(REPEAT "\"\\\\x..\" " 16 line)
# By name, so that "na46" comes before "na46-all-lists".
set(names "")
foreach(file IN LISTS FILES)
  get_filename_component(name "${file}" NAME_WE)
  get_filename_component(folder "${file}" DIRECTORY)
  list(APPEND names "${name}")
endforeach()
list(SORT names)
set(arrays "")
set(entries "")
set(index 0)
foreach(name IN LISTS names)
  set(file "${folder}/${name}.csv")
  file(READ "${file}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "\"\\\\x\\1\" " bytes "${hex}")
  string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const char election_${index}[] =\n    ${bytes};\n")
  # The literal ends in a NUL that is not the file's.
  string(APPEND entries "    {\"${name}\", {election_${index}, sizeof election_${index} - 1}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE "${OUTPUT}.new" "// Made by elections/embed.cmake from the files in elections/.
#include \"format/built_in_elections.h\"

namespace mandati::format {

namespace {

${arrays}
const BuiltInElection elections[] = {
${entries}};

}  // namespace

std::span<const BuiltInElection> BuiltInElections() { return elections; }

}  // namespace mandati::format
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
