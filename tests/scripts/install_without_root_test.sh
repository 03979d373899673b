#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/run, scripts/run --web and scripts/test as a user who is not root: without sudo they
# print the one apt-get line that installs exactly the missing packages their part needs and
# stop with status 1 before building; with sudo they install through it. The user, the
# installed packages and sudo are played by small stand-ins on a PATH of their own: `id -u`
# says 1000, dpkg-query reports every package installed but those in $MISSING.
#
#   install_without_root_test.sh SOURCE_DIR
set -uo pipefail
ROOT="$1"
BIN="$(mktemp -d)"
trap 'rm -rf "$BIN"' EXIT
for tool in bash dirname grep awk env cat; do ln -s "$(command -v "$tool")" "$BIN/$tool"; done
printf '#!/bin/sh\necho 1000\n' >"$BIN/id"
printf '#!/bin/sh\ntrue\n' >"$BIN/npm"
cat >"$BIN/dpkg-query" <<'EOF'
#!/bin/sh
for pkg in $MISSING; do [ "$pkg" = "$3" ] && exit 1; done
echo "install ok installed"
EOF
chmod +x "$BIN/id" "$BIN/npm" "$BIN/dpkg-query"

failures=0
# Runs `$1` with `$2` missing, and sudo there when `$3` is 1 (it records the commands it is
# given and does nothing); compares the status and a line of what the script printed, or of
# what sudo was given, with what is expected.
check() {
  local command="$1" missing="$2" sudo="$3" status="$4" expected="$5" out got
  rm -f "$BIN/sudo" "$BIN/sudo.log"
  if [ "$sudo" = 1 ]; then
    printf '#!/bin/sh\necho "$*" >>"%s/sudo.log"\n' "$BIN" >"$BIN/sudo"
    chmod +x "$BIN/sudo"
  fi
  read -ra words <<<"$command"
  out="$(env -i PATH="$BIN" MISSING="$missing" MANDATI_BUILD_DIR="$BIN/build" \
    bash "$ROOT/${words[0]}" "${words[@]:1}" 2>&1)"
  got=$?
  [ "$sudo" = 1 ] && out="$(cat "$BIN/sudo.log")"
  if [ "$got" -ne "$status" ] || ! grep -qxF -- "$expected" <<<"$out"; then
    echo "FAILED: $command with '$missing' missing (sudo: $sudo): status $got, not $status;" \
      "expected the line '$expected' in:"
    echo "$out"
    failures=$((failures + 1))
  fi
}

# command             missing                                        sudo status expected line
check "scripts/run" "qt6-base-dev emscripten fonts-liberation2" 0 1 \
  "  apt-get install --no-install-recommends qt6-base-dev fonts-liberation2"
check "scripts/run --web" "qt6-base-dev emscripten libgtest-dev" 0 1 \
  "  apt-get install --no-install-recommends emscripten"
check "scripts/test" "cmake chromium libgtest-dev" 0 1 \
  "  apt-get install --no-install-recommends cmake libgtest-dev chromium"
# With sudo, the script installs and goes on to build (here without cmake: status 127).
check "scripts/run" "cmake" 1 127 \
  "env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends cmake"
[ "$failures" -eq 0 ] && echo "4 passed, 0 failed"
exit "$((failures > 0))"
