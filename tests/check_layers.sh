#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a library includes a header that its layer may not see: core/ only the
# standard library and itself, commands/ also core/, form/ (the window's layout and texts,
# shared by the window and the web page) also core/ and no toolkit, format/ core/ and itself,
# cli/ core/, format/ and itself, and the system's C headers for its input and output and
# utf8proc, web/ the layers below the window and emscripten's binding headers. The standard
# library's headers are the# lower-case ones without a folder or an extension; the system's end in .h.
set -euo pipefail
root="${1:?usage: check_layers.sh REPOSITORY_ROOT}"
status=0
check() {
  local folder="$1" allowed="$2" system="${3:-}" file line header
  [ -d "$root/$folder" ] || return 0
  while IFS= read -r -d '' file; do
    while IFS= read -r line; do
      header="${line#*include }"
      case "$header" in
        \<*)
          [[ "$header" =~ ^\<[a-z_0-9]+\>$ ]] && continue
          [[ -n "$system" && "$header" =~ ^\<($system)\>$ ]] && continue ;;
        \"*) [[ "$header" =~ ^\"($allowed)/ ]] && continue ;;
      esac
      echo "$file: $folder/ may not include $header"
      status=1
    done < <(grep -E '^\s*#\s*include' "$file" || true)
  done < <(find "$root/$folder" \( -name '*.h' -o -name '*.cpp' \) -print0)
}
check core "core"
check commands "core|commands"
check form "core|form"
check format "core|format"
check cli "core|format|cli" '[a-z_0-9]+\.h'
check web "core|commands|form|format|web" 'emscripten/[a-z_0-9]+\.h'
exit "$status"
