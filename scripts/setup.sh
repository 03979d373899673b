# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run and scripts/test: installs the Debian packages the build needs
# (only those that are missing) and configures and builds the project in build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${MANDATI_BUILD_DIR:-$ROOT/build}"

# What ./scripts/run needs for the window: the compiler, CMake, Ninja, Qt and what the window
# shows (Qt's Bulgarian texts, the fonts). Every configure builds mandati-cli too, whose
# terminal widths come from utf8proc, found by pkg-config, and whose message catalogues
# msgfmt (gettext) compiles.
WINDOW_PACKAGES=(
  cmake ninja-build g++ pkg-config libutf8proc-dev gettext
  qt6-base-dev qt6-translations-l10n
  fonts-liberation2
)

# What ./scripts/run --web needs for the page: the same native build without Qt, and
# Debian's emscripten with the JavaScript parser its optimiser loads.
WEB_PACKAGES=(
  cmake ninja-build g++ pkg-config libutf8proc-dev gettext
  emscripten node-acorn
)

# What ./scripts/test needs: both of the above, the test and benchmark libraries, Qt's private
# headers for the accessibility tests, help2man for the manual page, xmllint for the charts,
# and the page's tests in chromium.
PACKAGES=(
  "${WINDOW_PACKAGES[@]}" "${WEB_PACKAGES[@]}"
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-private-dev
  help2man
  libxml2-utils
  unicode-data
  chromium chromium-driver python3-selenium
)

# Only for .ci/run: the fuzzing build, the static analysis, and packaging/ci-deb-check's
# Debian 12 for the package build (mmdebstrap) and checks (lintian, hardening-check from
# devscripts, appstreamcli from appstream, desktop-file-validate, the window under Xvfb found
# by xwininfo, man).
CI_PACKAGES=(
  clang-14 libclang-rt-14-dev clang-format clang-tidy cppcheck
  dpkg-dev mmdebstrap git
  lintian devscripts appstream desktop-file-utils file man-db xvfb xauth x11-utils
)

# The packages among the given ones that are not installed, each once.
missing_packages() {
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      printf '%s\n' "$pkg"
    fi
  done | awk '!seen[$0]++'
}

# The test tools of the web page that Debian does not package (axe-core), from the npm
# registry at the versions that tests/web/package-lock.json pins; while they are not there,
# ./scripts/test installs npm with its other packages if the system has none.
WEB_TEST_TOOLS="$ROOT/tests/web/node_modules/axe-core"
install_web_test_tools() {
  [ -d "$WEB_TEST_TOOLS" ] && return 0
  (cd "$ROOT/tests/web" && npm ci --ignore-scripts --no-audit --no-fund)
}

install_missing() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  install_packages "${missing[@]}"
}

# As root apt-get runs directly, as another user through sudo. Without either, the script
# cannot install anything: it prints the one command that installs exactly what is missing and
# stops with status 1, before it builds.
install_packages() {
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      local script="${0##*/}"
      echo "$script: missing Debian packages: $*" >&2
      echo "$script: installing them needs root, and there is no sudo; as root, run" >&2
      echo "  apt-get install --no-install-recommends $*" >&2
      echo "$script: and then run it again." >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  echo "Installing: $*"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "$@"
}

# Configures build/ and builds the given targets, or all. When everything ./scripts/test needs
# is installed, every part is on, so that running the window never switches the tests off for
# a later build by hand; otherwise only the part asked for ("ui" or "web"; "all" for every
# part), whose packages install_missing has just installed.
configure_and_build() {
  local part="$1" ui=OFF web=OFF rest=OFF
  shift
  if [ "$part" = all ] || [ -z "$(missing_packages "${PACKAGES[@]}")" ]; then
    ui=ON web=ON rest=ON
  elif [ "$part" = ui ]; then
    ui=ON
  elif [ "$part" = web ]; then
    web=ON
  fi
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMANDATI_WERROR=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DMANDATI_BUILD_UI=$ui \
    -DMANDATI_BUILD_TESTS=$rest -DMANDATI_BUILD_BENCH=$rest -DMANDATI_BUILD_WEB=$web
  local targets=()
  [ "$#" -gt 0 ] && targets=(--target "$@")
  cmake --build "$BUILD_DIR" -j2 "${targets[@]}"
}
