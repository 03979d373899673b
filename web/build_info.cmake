# SPDX-License-Identifier: GPL-3.0-or-later
# Run at each build of the page (cmake -P): writes HEADER, what the page tells of its build (the
# version, the git commit and whether the files differ from it, and the name of the source
# archive beside the page), and, when SOURCE_DIR is a git checkout and ARCHIVE is on, makes that
# archive in ARCHIVE_DIR: `git archive` of the files the page is built from, with the licence.
# Outside a git checkout (a Debian package build, an unpacked archive) there is no commit and no
# archive, and the page says where its source is instead. The header is rewritten only when it
# changes, so an unchanged build compiles nothing again.
set(commit "")
set(changed false)
set(archive "")
find_program(GIT git)
if(ARCHIVE AND GIT)
  execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse --show-toplevel
    OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed ERROR_QUIET)
  file(REAL_PATH "${SOURCE_DIR}" source)
  if(NOT failed)
    file(REAL_PATH "${top}" top)
  endif()
  if(NOT failed AND top STREQUAL source)
    execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse --short=12 HEAD
      OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    # Tracked files changed since the commit go into the archive through a commit object that
    # `git stash create` makes without touching the files or the stash.
    execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" stash create
      OUTPUT_VARIABLE stash OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(tree_ish HEAD)
    if(stash)
      set(changed true)
      set(tree_ish "${stash}")
    endif()
    execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse "${tree_ish}^{tree}"
      OUTPUT_VARIABLE tree OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(archive "mandati-${VERSION}-source.tar.gz")
    set(stamp "${ARCHIVE_DIR}/.${archive}.tree")
    set(made "")
    if(EXISTS "${stamp}" AND EXISTS "${ARCHIVE_DIR}/${archive}")
      file(READ "${stamp}" made)
    endif()
    if(NOT made STREQUAL tree)
      execute_process(COMMAND "${GIT}" -C "${SOURCE_DIR}" archive --format=tar.gz
        "--prefix=mandati-${VERSION}/" -o "${ARCHIVE_DIR}/${archive}" "${tree_ish}"
        COMMAND_ERROR_IS_FATAL ANY)
      file(WRITE "${stamp}" "${tree}")
    endif()
  endif()
endif()
file(WRITE "${HEADER}.new" "// Made by web/build_info.cmake at each build of the page.
#pragma once
namespace mandati::web {
inline constexpr char kBuildVersion[] = \"${VERSION}\";
inline constexpr char kBuildCommit[] = \"${commit}\";  // empty outside a git checkout
inline constexpr bool kBuildHasLocalChanges = ${changed};
inline constexpr char kBuildSourceArchive[] = \"${archive}\";  // empty when none is made
}  // namespace mandati::web
")
file(COPY_FILE "${HEADER}.new" "${HEADER}" ONLY_IF_DIFFERENT)
file(REMOVE "${HEADER}.new")
