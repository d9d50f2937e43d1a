# Helpers for zvcat's contract scripts (sourced): `check NAME EXPECTED ACTUAL` counts and
# reports, `run ARGS...` runs zvcat ("${zvcat[@]}") with standard error kept in $work/stderr,
# `finish` prints the totals and gives the script's status; `sjis TEXT` prints UTF-8 TEXT (a
# printf format) as Shift-JIS.  zvcat runs in the ja_JP.UTF-8 locale unless a check chooses
# another, so that its messages are the viewer's Japanese ones on Linux as on Windows.
export LC_ALL=ja_JP.UTF-8
failures=0 checks=0
check() {
  checks=$((checks + 1))
  if [ "$2" != "$3" ]; then
    failures=$((failures + 1))
    printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
  fi
}
run() { "${zvcat[@]}" "$@" 2>"$work/stderr" | tr -d '\r'; return "${PIPESTATUS[0]}"; }
finish() {
  echo "$((checks - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ]
}
sjis() { printf "$1" | iconv -f UTF-8 -t CP932; }
