#!/usr/bin/env bash
# zvcat --follow from outside, through a pipe: lines appended in Shift-JIS, EUC, JIS and UTF-8
# (characters cut between two writes) appear converted and once; --grep reports the hits of
# finished lines only; a rotated or truncated log is read again with a line on standard error;
# usage errors.
# Usage: zvcat_follow_test.sh WORK_DIR ZVCAT
set -uo pipefail
work=$1
shift
zvcat=("$@")
rm -rf "$work"
mkdir -p "$work"
source "$(dirname "$0")/contract_checks.sh"

pid=
# follow OUTPUT ARGS...: zvcat ARGS in the background, its output through a pipe into OUTPUT.
follow() {
  local output=$1
  shift
  rm -f "$work/pipe" && mkfifo "$work/pipe"
  cat "$work/pipe" >"$output" &
  "${zvcat[@]}" "$@" >"$work/pipe" 2>"$work/stderr" &
  pid=$!
}
stop() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; wait; }
# settled FILE TEXT: waits up to 5 s for FILE to hold exactly TEXT; prints what it holds.
settled() {
  for _ in $(seq 50); do
    [ "$(cat "$1")" = "$2" ] && break
    sleep 0.1
  done
  cat "$1"
}
append() { printf '%s' "$2" >>"$1"; }
# enc CODE TEXT: UTF-8 TEXT (a printf format) in CODE.
enc() { printf "$2" | iconv -f UTF-8 -t "$1"; }

for code in CP932 EUC-JP ISO-2022-JP UTF-8; do
  log="$work/$code.log"
  enc "$code" '一行目の記録\n' >"$log"
  case $code in CP932) name=sjis ;; EUC-JP) name=euc ;; ISO-2022-JP) name=jis ;; UTF-8) name=utf8 ;; esac
  follow "$work/out" --follow --utf8 --code "$name" "$log"
  check "$code: the text so far" "一行目の記録" "$(settled "$work/out" '一行目の記録')"
  # A line written in three parts, the second cutting a character in two.
  line=$(enc "$code" '二行目は漢字で終わる\n')
  half=$(( ${#line} / 2 + 1 ))
  LC_ALL=C
  append "$log" "${line:0:3}"; sleep 0.3
  append "$log" "${line:3:half}"; sleep 0.3
  append "$log" "${line:3+half}"
  LC_ALL=ja_JP.UTF-8
  check "$code: appended lines appear converted, once" "$(printf '一行目の記録\n二行目は漢字で終わる')" \
    "$(settled "$work/out" "$(printf '一行目の記録\n二行目は漢字で終わる')")"
  check "$code: nothing for the cut characters (no NUL, no '?')" "0" "$(tr -cd '\000?' <"$work/out" | wc -c)"
  stop
done

# --grep: the hits of what is appended; the row still being written waits for its line end.
log="$work/grep.log"
enc CP932 'エラーなし\n' >"$log"
follow "$work/hits" --follow --utf8 --grep 'エラー' "$log"
settled "$work/hits" "$(printf '0\t0\t6')" >/dev/null
append "$log" "$(enc CP932 'ok\n重大なエラー')"
sleep 0.5
check "grep: an unfinished line waits" "$(printf '0\t0\t6')" "$(cat "$work/hits")"
append "$log" "$(enc CP932 'です\nok\n')"
check "grep: the hit once its line ended" "$(printf '0\t0\t6\n2\t6\t6')" \
  "$(settled "$work/hits" "$(printf '0\t0\t6\n2\t6\t6')")"
stop

# Rotation: renamed away and created afresh, then truncated in place.
log="$work/rotated.log"
printf 'old 1\nold 2\n' >"$log"
follow "$work/out" -f "$log"
settled "$work/out" "$(printf 'old 1\nold 2')" >/dev/null
mv "$log" "$log.1"
sleep 0.3
printf 'new 1 is longer than the old text\n' >"$log"
check "rotated: the new file from its start" "$(printf 'old 1\nold 2\nnew 1 is longer than the old text')" \
  "$(settled "$work/out" "$(printf 'old 1\nold 2\nnew 1 is longer than the old text')")"
: >"$log"
sleep 0.3
printf 'after truncation\n' >>"$log"
check "truncated: read again" "$(printf 'old 1\nold 2\nnew 1 is longer than the old text\nafter truncation')" \
  "$(settled "$work/out" "$(printf 'old 1\nold 2\nnew 1 is longer than the old text\nafter truncation')")"
check "rotation noted on standard error" "2" "$(grep -c '先頭から読み込み直します' "$work/stderr")"
stop

# A reader that goes away ends zvcat.
printf 'x\n' >"$log"
"${zvcat[@]}" -f "$log" | head -c 1 >/dev/null &
sleep 0.5
printf 'y\n' >>"$log"
sleep 0.5
check "a closed pipe ends --follow" "" "$(jobs -r)"

"${zvcat[@]}" --follow --rows "$log" >/dev/null 2>"$work/stderr"
check "--follow with --rows is bad usage" "2" "$?"
zip="$work/a.zip"
(cd "$work" && printf 'z\n' >m.txt && zip -q a.zip m.txt 2>/dev/null) || true
if [ -f "$zip" ]; then
  "${zvcat[@]}" -f "$zip" >/dev/null 2>"$work/stderr"
  check "an archive member is not followed" "1" "$?"
fi
finish
