#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A page of the html format is well-formed XML (so its inline SVG is too), and libxml2's HTML
# parser reads it without an error but for the elements it predates: it knows HTML 4, and
# calls HTML 5's and SVG's elements invalid (and exits 0 whatever it finds).
#   check_html.sh XMLLINT PAGE
set -eu
xmllint="$1"
page="$2"
"$xmllint" --noout "$page"
errors="$("$xmllint" --html --noout "$page" 2>&1 | grep 'error' |
  grep -v -E 'Tag (main|section|bdi|svg|rect|line|text|path|circle) invalid$' || true)"
if [ -n "$errors" ]; then
  printf '%s\n' "$errors"
  exit 1
fi
