#!/usr/bin/env bash
# Search: every hit of plain patterns with zvcat --grep beside grep -F -c, and of regular
# expressions beside grep -E -c and Oniguruma (Shift_JIS, our driver), on a generated 64 MiB
# Shift-JIS text (the Japanese manual pages, converted with iconv and repeated).
# Rows are taken as whole lines (--line-max 1000; a row still ends after 256 bytes).  The file
# is cached as one read from disk (as_read_from_disk) before the runs; with CACHE=written, a
# copy written a page at a time is searched instead, cached as it was written.
# Figures: MB/s of the whole zvcat run and of the search alone (search_bench, loading
# excluded) against the peers on the same file; ratios > 1 mean we are faster.  For plain
# patterns also the streamed search zvcat runs, alone over pieces already read (search_bench
# stream).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/bench/common.sh"  # best_median (its rate and ratio are replaced below)
build=$here/build/host
work=$here/build/bench
input=$work/search-64m.sjis
size=$((64 * 1024 * 1024))
export LC_ALL=C

mkdir -p "$work"
if [ ! -s "$input" ] || [ "$(stat -c %s "$input")" -ne "$size" ]; then
  find /usr/share/man/ja -name '*.gz' | sort | xargs zcat | iconv -c -f UTF-8 -t CP932 >"$work/one.sjis"
  : >"$input.tmp"
  while [ "$(stat -c %s "$input.tmp")" -lt "$size" ]; do cat "$work/one.sjis" >>"$input.tmp"; done
  head -c "$size" "$input.tmp" >"$input"
  rm -f "$input.tmp" "$work/one.sjis"
fi
if [ "${CACHE:-read}" = written ]; then
  # A copy written a page at a time (as a log is), cached as it was written: in small pages.
  dd if="$input" of="$work/search-64m-written.sjis" bs=4096 status=none
  input=$work/search-64m-written.sjis
else
  as_read_from_disk "$input"
fi
zvcat=$build/utilities/zvcat/zvcat
for tool in "$zvcat" "$build/bench/search_bench" "$build/bench/onig_search_bench"; do
  [ -x "$tool" ] || { echo "search_bench: build the host preset first ($tool missing)"; exit 1; }
done
mb=$(awk -v s="$size" 'BEGIN { printf "%.1f", s / 1048576 }')

seconds() {  # seconds CMD...: wall time of one run, output discarded
  local start end status=0
  start=$(date +%s.%N)
  "$@" >"$work/out" || status=$?  # not /dev/null: grep stops at the first hit when it sees /dev/null
  end=$(date +%s.%N)
  # grep's status 1 says only that nothing was found; anything else is a failed run.
  [ "$status" -le 1 ] || { echo "search_bench: $* failed with status $status" >&2; return 1; }
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }'
}
rate() { awk -v m="$mb" -v t="$1" 'BEGIN { printf "%8.1f", (t > 0 ? m / t : 0) }'; }
ratio() { awk -v ours="$1" -v peer="$2" 'BEGIN { printf "%5.2f", (ours > 0 ? peer / ours : 0) }'; }
sjis() { printf '%s' "$1" | iconv -f UTF-8 -t CP932; }
runs=${RUNS:-5}

echo "search on $input ($mb MB, Shift-JIS)"
echo "(plain patterns: zvcat and grep run $runs times each, in turn; MB/s and ratios from the medians, best/median seconds after them)"
printf '%-22s %8s %8s %9s %9s %9s %9s %7s %7s %s\n' pattern hits grep-c "zvcat MB/s" "search MB/s" "stream MB/s" "grep MB/s" zvcat/g search/g "best/median"
plain() {  # plain LABEL PATTERN(UTF-8)
  local pattern hits lines tz ts tst tg zb zm gb gm
  pattern=$(sjis "$2")
  hits=$("$zvcat" --grep --line-max 1000 "$pattern" "$input" | wc -l)
  lines=$(grep -c -F -e "$pattern" "$input" || true)
  # In turn, so that both see the same load of a shared machine.
  : >"$work/times.zvcat"
  : >"$work/times.grep"
  for _ in $(seq "$runs"); do
    seconds "$zvcat" --grep --line-max 1000 "$pattern" "$input" >>"$work/times.zvcat"
    echo >>"$work/times.zvcat"
    seconds grep -c -F -e "$pattern" "$input" >>"$work/times.grep"
    echo >>"$work/times.grep"
  done
  read -r zb zm < <(best_median <"$work/times.zvcat")
  read -r gb gm < <(best_median <"$work/times.grep")
  ts=$("$build/bench/search_bench" plain "$pattern" "$input" | awk '{ print $2 }')
  tst=$("$build/bench/search_bench" stream "$pattern" "$input" | awk '{ print $2 }')
  tz=$zm tg=$gm
  printf '%-22s %8s %8s %9s %9s %9s %9s %7s %7s %s\n' "$1" "$hits" "$lines" "$(rate "$tz")" "$(rate "$ts")" \
    "$(rate "$tst")" "$(rate "$tg")" "$(ratio "$tz" "$tg")" "$(ratio "$ts" "$tg")" "zvcat $zb/$zm s, grep $gb/$gm s"
}
plain "ascii rare" "Linus"
plain "ascii frequent" "the"
plain "kanji rare" "鳩"
plain "kanji frequent" "ファイル"
plain "kanji phrase" "を指定する"

echo
printf '%-22s %8s %8s %8s %9s %9s %9s %9s %7s %7s\n' regex hits grep-c onig "zvcat MB/s" "search MB/s" \
  "grep MB/s" "onig MB/s" search/g search/o
regex() {  # regex LABEL PATTERN(UTF-8)
  local pattern hits lines onig tz ts tg to
  pattern=$(sjis "$2")
  hits=$("$zvcat" --grep -E --line-max 1000 "$pattern" "$input" | wc -l)
  lines=$(grep -c -E -e "$pattern" "$input" || true)
  read -r onig to < <("$build/bench/onig_search_bench" "$pattern" "$input")
  tz=$(seconds "$zvcat" --grep -E --line-max 1000 "$pattern" "$input")
  ts=$("$build/bench/search_bench" regex "$pattern" "$input" | awk '{ print $2 }')
  tg=$(seconds grep -c -E -e "$pattern" "$input")
  printf '%-22s %8s %8s %8s %9s %9s %9s %9s %7s %7s\n' "$1" "$hits" "$lines" "$onig" "$(rate "$tz")" \
    "$(rate "$ts")" "$(rate "$tg")" "$(rate "$to")" "$(ratio "$ts" "$tg")" "$(ratio "$ts" "$to")"
}
regex "digits+kanji" "[0-9]+年"
regex "alternation" "(する|した)場合"
regex "anchored" "^[A-Z][A-Z]+"
regex "dot-star" "ファイル.*指定"
regex "word" "\\<file\\>"
echo "(hits: rows with a hit; grep counts lines, the same here unless a line exceeds 256 bytes."
echo " zvcat MB/s is the whole run with loading; search MB/s the search alone, as onig's figure.)"
