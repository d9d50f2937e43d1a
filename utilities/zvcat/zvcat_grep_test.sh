#!/usr/bin/env bash
# zvcat --grep from outside: hit lines, -i, -E, --utf8 patterns, layout options, binary
# files, and the messages and statuses of bad patterns and of matches that give up.
# Usage: zvcat_grep_test.sh WORK_DIR ZVCAT [EMULATOR...]
set -uo pipefail
work=$1
shift
zvcat=("$@")
mkdir -p "$work"
source "$(dirname "$0")/contract_checks.sh"

text="$work/grep.txt"
{ sjis 'abc ABC abc\n漢字の検索と漢字\nxaBc\n'; printf '%0100d\n' 0 | tr 0 q; } >"$text"
check "plain" "$(printf '0\t0\t3')" "$(run --grep abc "$text")"
check "ignore case: first hit of each row" "$(printf '0\t0\t3\n2\t1\t3')" "$(run --grep -i ABC "$text")"
# Raw Shift-JIS bytes on the command line only reach a Linux program unchanged (Wine converts
# arguments from the UTF-8 locale).
host=$([ "${#zvcat[@]}" -eq 1 ] && echo yes || echo no)
if [ "$host" = yes ]; then
  check "Shift-JIS pattern bytes" "$(printf '1\t6\t4')" "$(run --grep "$(sjis '検索')" "$text")"
fi
check "--utf8 pattern" "$(printf '1\t6\t4')" "$(run --utf8 --grep '検索' "$text")"
check "regex" "$(printf '1\t0\t14')" "$(run --utf8 --grep -E '漢.*漢' "$text")"
check "regex ignore case" "$(printf '0\t0\t3\n2\t1\t3')" "$(run --grep -E -i 'a[b]c' "$text")"
check "rows follow --line-max" "$(printf '3\t79\t1\n4\t19\t1')" "$(run --grep -E 'q$' "$text")"
check "rows --line-max 150" "$(printf '3\t99\t1')" "$(run --grep --line-max 150 -E 'q$' "$text")"
check "no hit" "" "$(run --grep zzz "$text")"
check "no hit status" "0" "$?"
check "a bad regex is a plain string without -E" "" "$(run --grep 'a(b' "$text")"
check "plain status" "0" "$?"

run --utf8 --grep -E 'a(b' "$text" >/dev/null  # (--utf8: messages in UTF-8 on Windows too)
check "bad regex status" "2" "$?"
check "bad regex message" "yes" "$(grep -q '正規表現が正しくありません' "$work/stderr" && echo yes)"
run --grep '' "$text" >/dev/null
check "empty pattern status" "2" "$?"
if [ "$host" = yes ]; then
  run --utf8 --grep $'\xff' "$text" >/dev/null
  check "pattern that is not UTF-8" "2" "$?"
fi

printf '%060d\nac\n' 0 | tr 0 a >"$work/explode.txt"
check "a match that gives up" "$(printf '1\t0\t2')" "$(run --grep -E '(a|aa)*(a|aa)*(a|aa)*c' "$work/explode.txt")"
run --utf8 --grep -E '(a|aa)*(a|aa)*(a|aa)*c' "$work/explode.txt" >/dev/null
check "give-up status" "1" "$?"
check "give-up message" "yes" "$(grep -q '1 行であきらめました' "$work/stderr" && echo yes)"

# Plain patterns are searched as the text streams past: the same hits in converted texts,
# archive members, compressed files, and texts longer than one piece of the stream.
sjis '漢字の検索と漢字\nxx検索\r\n' | iconv -f CP932 -t EUC-JP >"$work/grep.euc"
check "EUC text" "$(printf '0\t6\t4\n1\t2\t4')" "$(run --utf8 --grep '検索' "$work/grep.euc")"
mkdir -p "$work/zip" && rm -f "$work/grep.zip"
printf 'no hit here\n' >"$work/zip/a.txt"
{ printf 'first\r\n'; sjis 'ファイルの検索\r\n'; } >"$work/zip/readme.txt"
(cd "$work/zip" && zip -q ../grep.zip a.txt readme.txt)
check "member of a ZIP archive" "$(printf '1\t10\t4')" "$(run --utf8 --grep '検索' "$work/grep.zip")"
check "member chosen by number" "$(printf '0\t3\t3')" "$(run --grep --member 0 hit "$work/grep.zip")"
gzip -c "$text" >"$work/grep.txt.gz"
check "gzip file" "$(run --grep -i ABC "$text")" "$(run --grep -i ABC "$work/grep.txt.gz")"
# Lines of every ending, tabs that wrap, long lines cut at 256 bytes, over several pieces: the
# hits of a literal regular expression (searched in the loaded document) are the same.
for i in $(seq 1 6000); do
  case $((i % 5)) in
    0) printf 'x%.0s' $(seq $((i % 300))); printf 'abc\r\n' ;;
    1) printf '\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\tAbc %d\n' "$i" ;;
    2) sjis '漢字abc\r' ;;
    *) printf 'line %d aBC abc\n' "$i" ;;
  esac
done >"$work/long.txt"
streamed=$(run --grep abc "$work/long.txt")
check "long text: hits" "yes" "$([ "$(wc -l <<<"$streamed")" -gt 3000 ] && echo yes)"
check "long text: as the loaded search" "$(run --grep -E abc "$work/long.txt")" "$streamed"
check "long text, -i and --line-max 40" "$(run --grep -E -i --line-max 40 abc "$work/long.txt")" \
  "$(run --grep -i --line-max 40 abc "$work/long.txt")"
# Over a MiB: the file is searched where it lies, through a view of it on Linux.
cat "$work/long.txt" "$work/long.txt" "$work/long.txt" "$work/long.txt" "$work/long.txt" >"$work/large.txt"
check "large text is over a MiB" "yes" "$([ "$(wc -c <"$work/large.txt")" -gt 1048576 ] && echo yes)"
check "large text: as the loaded search" "$(run --grep -E abc "$work/large.txt")" "$(run --grep abc "$work/large.txt")"

# Hit lines are written a batch at a time: many of them, over several batches, in order, none
# lost or repeated at a batch's edge.
awk 'BEGIN { for (i = 0; i < 30000; ++i) print "abc" }' >"$work/many.txt"
awk 'BEGIN { for (i = 0; i < 30000; ++i) printf "%d\t0\t3\n", i }' >"$work/many.expected"
run --grep abc "$work/many.txt" >"$work/many.out"
check "many hits, streamed" "" "$(cmp "$work/many.expected" "$work/many.out" 2>&1)"
run --grep -E abc "$work/many.txt" >"$work/many.out"
check "many hits, loaded" "" "$(cmp "$work/many.expected" "$work/many.out" 2>&1)"

head -c 64 /dev/zero >"$work/zeros.bin"
check "binary mode searches dump lines" "$(printf '2\t0\t8')" "$(run --grep 00000020 "$work/zeros.bin")"
run --grep abc "$work/no-such-file.txt" >/dev/null
check "missing file status" "1" "$?"

finish
