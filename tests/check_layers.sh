#!/usr/bin/env bash
# Fails when a library includes a header that its layer may not see: core/ only the
# standard library and itself, commands/ also core/, cli/ only core/ and itself. The
# standard library's headers are the lower-case ones without a folder or an extension.
set -euo pipefail
root="${1:?usage: check_layers.sh REPOSITORY_ROOT}"
status=0
check() {
  local folder="$1" allowed="$2" file line header
  while IFS= read -r -d '' file; do
    while IFS= read -r line; do
      header="${line#*include }"
      case "$header" in
        \<*) [[ "$header" =~ ^\<[a-z_0-9]+\>$ ]] && continue ;;
        \"*) [[ "$header" =~ ^\"($allowed)/ ]] && continue ;;
      esac
      echo "$file: $folder/ may not include $header"
      status=1
    done < <(grep -E '^\s*#\s*include' "$file" || true)
  done < <(find "$root/$folder" \( -name '*.h' -o -name '*.cpp' \) -print0)
}
check core "core"
check commands "core|commands"
check cli "core|cli"
exit "$status"
