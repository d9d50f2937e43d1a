#!/usr/bin/env bash
# zvcat's manual page: groff and man render it without a warning, it has the usual sections,
# and it names every option zvcat's command line knows (taken from the option parser), so a new
# option cannot go undocumented.
#   man_page_test.sh SOURCE
set -euo pipefail
source=$1
page=$source/release/zvcat.1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for device in ascii utf8 ps; do
  warnings=$(LC_ALL=C.UTF-8 groff -ww -z -man -T"$device" "$page" 2>&1)
  [ -z "$warnings" ] || fail "groff -ww -T$device: $warnings"
done
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E ascii -l "$page" 2>"$errors" || true)
warnings=$(cat "$errors")
[ -z "$warnings" ] || fail "man --warnings: $warnings"
for section in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" ENCODINGS EXAMPLES; do
  grep -q "^$section\$" <<<"$rendered" || fail "no section $section"
done

options=$(grep -o '"-[-a-zA-Z0-9]*"' "$source/utilities/zvcat/zvcat_options.cpp" | tr -d '"' | sort -u)
for option in $options --help --version; do
  [ "$option" = "--" ] && continue
  grep -qE -- "(^|[][ |])$option([] |,.]|\$)" <<<"$rendered" || fail "the page does not describe $option"
done
[ $failures -eq 0 ] && echo "man page: $(wc -l <<<"$rendered") lines, every option described"
exit $((failures > 0))
