#!/usr/bin/env bash
# The viewer's batch search under wine64 and Xvfb: from the press of "一括検索(&A)" until the
# list of every row with a hit is complete, for a word on at least 100,000 rows of the 64 MiB
# Shift-JIS text; how soon "中止(&C)" stops a running batch search; how soon the list scrolls to
# its end; beside zvcat --grep listing the same hits (Linux, and the Windows build under
# wine64) in the same run.  Best of 3 runs of bench/zv32_search_timing_win.cpp for every figure.
set -euo pipefail
source "$(dirname "$0")/common.sh"
here=$(cd "$(dirname "$0")/.." && pwd)
data=$ZV_BENCH_DATA
runs=3
word=ファイル   # 102,462 rows of the text
cancel_word=の  # about 485,000 rows: still running when the cancel comes

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zv32 plim32 zv32_search_timing zvcat -j2 >/dev/null
timing=$here/build/win64/zv32_search_timing.exe
zvcat_win=$here/build/win64/utilities/zvcat/zvcat.exe
zvcat=$ZV_BUILD/utilities/zvcat/zvcat
"$here/scripts/wine-prefix" >&2

japanese_text "$data/japanese-64m.utf8" 90
[ -f "$data/japanese-64m.sjis" ] || iconv -f UTF-8 -t SHIFT_JIS "$data/japanese-64m.utf8" >"$data/japanese-64m.sjis"
big=$data/viewer-64m.sjis
[ -f "$big" ] || head -c $((64 << 20)) "$data/japanese-64m.sjis" | LC_ALL=C sed '$d' >"$big"
winbig="Z:${big//\//\\}"

all=$data/batch-search.runs
: >"$all"
for _ in $(seq "$runs"); do
  WINEPREFIX=$here/build/wineprefix /usr/lib/wine/wineserver -w || true
  xvfb-run -a -s "-screen 0 1280x1024x24" "$here/cmake/wine-run" "$timing" "$winbig" "$word" "$cancel_word" \
    2>/dev/null | tr -d '\r' >>"$all" || true
done
best=$data/batch-search.timing
awk '{ seen[$1] = 1 }
     $2 != "n/a" && (!($1 in best) || $2 + 0 < best[$1] + 0) { best[$1] = $2 }
     END { for (k in seen) print k, ((k in best) ? best[k] : "n/a") }' "$all" >"$best"
figure() { awk -v k="$1" '$1 == k { v = $2 } END { print (v == "" ? "n/a" : v) }' "$best"; }
verdict() {
  [ "$1" = n/a ] && { echo "-"; return; }
  awk -v v="$1" -v g="$2" 'BEGIN { print (v + 0 < g + 0 ? "met" : "MISSED") }'
}

# zvcat writes its hits to a file, as the viewer keeps them in its list.
grep_out=$data/batch-search.grep
grep_rows=$("$zvcat" --utf8 --grep "$word" "$big" | cut -f1 | uniq | wc -l)
linux_s=$(best_of "$runs" sh -c "'$zvcat' --utf8 --grep '$word' '$big' >'$grep_out'")
wine_ms=n/a
wine_s=$(best_of "$runs" sh -c "'$here/cmake/wine-run' '$zvcat_win' --grep '$word' '$winbig' >'$grep_out'")
[ -n "$wine_s" ] && wine_ms=$(awk -v s="$wine_s" 'BEGIN { printf "%.0f", s * 1000 }')
linux_ms=$(awk -v s="$linux_s" 'BEGIN { printf "%.0f", s * 1000 }')

whole() { awk -v v="$1" 'BEGIN { if (v == "n/a") print v; else printf "%d", v }'; }
printf 'batch search of "%s" in 64 MiB Shift-JIS: %s rows listed by ZV32.EXE, %s by zvcat --grep\n' \
  "$word" "$(whole "$(figure rows)")" "$grep_rows"
printf '%-44s %10s %8s %8s\n' "ms (best of $runs)" "figure" "goal" ""
printf '%-44s %10s %8s %8s\n' "ZV32.EXE: press 202 until the list is complete" "$(figure batch_ms)" 3000 "$(verdict "$(figure batch_ms)" 3000)"
printf '%-44s %10s %8s %8s\n' "ZV32.EXE: press 中止 until it has stopped" "$(figure cancel_ms)" 100 "$(verdict "$(figure cancel_ms)" 100)"
printf '%-44s %10s %8s %8s\n' "  (rows of \"$cancel_word\" listed by then)" "$(whole "$(figure cancel_rows)")" - -
printf '%-44s %10s %8s %8s\n' "  (last count the progress dialog showed)" "$(whole "$(figure shown_count)")" - -
printf '%-44s %10s %8s %8s\n' "list scrolled to its end and painted" "$(figure scroll_end_ms)" - -
printf '%-44s %10s %8s %8s\n' "list page down and painted (mean of 20)" "$(figure page_ms)" - -
printf '%-44s %10s %8s %8s\n' "zvcat --grep, Linux (whole process)" "$linux_ms" - -
printf '%-44s %10s %8s %8s\n' "zvcat.exe --grep, wine64 (whole process)" "$wine_ms" - -
