# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run and scripts/test: installs the Debian packages the build needs
# (only those that are missing) and configures and builds the project in build/.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${MANDATI_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-private-dev libgl-dev qt6-translations-l10n
  fonts-liberation2
  help2man
  gettext
  libxml2-utils
  libutf8proc-dev
  unicode-data
  emscripten node-acorn chromium chromium-driver python3-selenium
)

# Only for .ci/run: the fuzzing build, the static analysis, and packaging/ci-deb-check's
# Debian package build (dpkg-buildpackage from dpkg-dev, dh from debhelper) and checks
# (lintian, hardening-check from devscripts, appstreamcli from appstream, desktop-file-validate,
# the window under Xvfb found by xwininfo, man).
CI_PACKAGES=(
  clang-14 libclang-rt-14-dev clang-format clang-tidy cppcheck
  build-essential dpkg-dev debhelper git
  lintian devscripts appstream desktop-file-utils file man-db xvfb xauth x11-utils
)

missing_packages() {
  local pkg
  for pkg in "${PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      printf '%s\n' "$pkg"
    fi
  done
}

# The test tools of the web page that Debian does not package (axe-core), from the npm
# registry at the versions that tests/web/package-lock.json pins.
install_web_test_tools() {
  local web="$ROOT/tests/web"
  [ -d "$web/node_modules/axe-core" ] && return 0
  if ! command -v npm >/dev/null; then install_packages npm; fi
  (cd "$web" && npm ci --ignore-scripts --no-audit --no-fund)
}

install_missing() {
  local missing
  mapfile -t missing < <(missing_packages "$@")
  [ "${#missing[@]}" -eq 0 ] && return 0
  install_packages "${missing[@]}"
}

install_packages() {
  echo "Installing: $*"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "$@"
}

# Configures build/ with every part on (so that running the window never leaves the tests
# switched off for the next ./scripts/test) and builds the given targets, or all.
configure_and_build() {
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMANDATI_WERROR=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DMANDATI_BUILD_UI=ON \
    -DMANDATI_BUILD_TESTS=ON -DMANDATI_BUILD_BENCH=ON -DMANDATI_BUILD_WEB=ON
  local targets=()
  [ "$#" -gt 0 ] && targets=(--target "$@")
  cmake --build "$BUILD_DIR" -j2 "${targets[@]}"
}
