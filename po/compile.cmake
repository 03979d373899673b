# SPDX-License-Identifier: GPL-3.0-or-later
# Checks one catalogue and compiles it: cmake -DMSGFMT=msgfmt -DPO=bg.po -DMO=mandati.mo -P ...
# Every lookup, gettext's and the page's own (format/mo_catalogue.h), takes the first plural
# form for n == 1 and the second for every other n, the rule of English and Bulgarian. gettext
# reads the rule from the catalogue's header, so the header must say exactly that rule.
set(rule [["Plural-Forms: nplurals=2; plural=(n != 1);\n"]])
file(READ "${PO}" content)
string(REGEX MATCHALL "\"Plural-Forms:" plural_forms "${content}")
list(LENGTH plural_forms count)
string(FIND "${content}" "\n${rule}\n" at)
if(NOT count EQUAL 1 OR at EQUAL -1)
  message(FATAL_ERROR "${PO}: its header must say ${rule}")
endif()
cmake_path(GET MO PARENT_PATH folder)
file(MAKE_DIRECTORY "${folder}")
execute_process(COMMAND "${MSGFMT}" --check "--output-file=${MO}" "${PO}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE "${MO}")
  message(FATAL_ERROR "${PO}: msgfmt --check failed")
endif()
