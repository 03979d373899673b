# SPDX-License-Identifier: GPL-3.0-or-later
# Building message catalogues: each <language>.po is checked and compiled by msgfmt into
# <locale folder>/<language>/LC_MESSAGES/<domain>.mo, where gettext looks for it; for the page,
# whose C library has no gettext, the compiled files are also written into a C++ source.
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

# mandati_embed_catalogues(<library> <language>=<file.mo>...)
# A library that defines EmbeddedCatalogue (web/embedded_catalogues.h) over the bytes of the
# compiled catalogues, made in the same folder by mandati_compile_catalogues.
function(mandati_embed_catalogues library)
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${library}.cpp)
  set(files)
  foreach(catalogue IN LISTS ARGN)
    string(REGEX REPLACE "^[^=]*=" "" mo ${catalogue})
    list(APPEND files ${mo})
  endforeach()
  list(JOIN ARGN "," catalogues)
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DOUTPUT=${source} -DCATALOGUES=${catalogues}
      -P ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed.cmake
    DEPENDS ${files} ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/embed.cmake
    COMMENT "Embedding the compiled message catalogues"
    VERBATIM)
  add_library(${library} STATIC ${source})
  target_link_libraries(${library} PRIVATE mandati_options)
endfunction()
