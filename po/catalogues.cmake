# SPDX-License-Identifier: GPL-3.0-or-later
# Building message catalogues: each <language>.po is checked and compiled by msgfmt into
# <locale folder>/<language>/LC_MESSAGES/<domain>.mo, where gettext looks for it.
find_program(MANDATI_MSGFMT msgfmt REQUIRED)

# mandati_compile_catalogues(<target> DOMAIN <domain> LOCALE_DIR <folder> PO <file.po>...)
# The target compiles every catalogue; <target>_COMPILED lists them as <language>=<file.mo>.
function(mandati_compile_catalogues target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "DOMAIN;LOCALE_DIR" "PO")
  set(scripts ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(outputs)
  set(compiled)
  foreach(po IN LISTS arg_PO)
    cmake_path(GET po STEM language)
    set(mo ${arg_LOCALE_DIR}/${language}/LC_MESSAGES/${arg_DOMAIN}.mo)
    add_custom_command(OUTPUT ${mo}
      COMMAND ${CMAKE_COMMAND} -DMSGFMT=${MANDATI_MSGFMT} -DPO=${po} -DMO=${mo}
        -P ${scripts}/compile.cmake
      DEPENDS ${po} ${scripts}/compile.cmake
      COMMENT "Compiling the message catalogue ${po}"
      VERBATIM)
    list(APPEND outputs ${mo})
    list(APPEND compiled ${language}=${mo})
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${outputs})
  set(${target}_COMPILED ${compiled} PARENT_SCOPE)
endfunction()
