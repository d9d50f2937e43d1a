#!/usr/bin/env bash
# The search dialog's answer under wine64 and Xvfb: from the press of "↓検索(&N)" until the
# top row shows the hit, beside the repeat search (command 202) of the same word, on a small
# file and on the 64 MiB Shift-JIS text.  The word stands in rows 1000 and 2000 of each file
# (below the first screen), so both answers move the window.  Best of 5 rounds in each run of
# bench/zv32_dialog_timing_win.cpp, and the best of 3 runs.
set -euo pipefail
source "$(dirname "$0")/common.sh"
here=$(cd "$(dirname "$0")/.." && pwd)
data=$ZV_BENCH_DATA
runs=3
word=ZVDIALOGMARK

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zv32 plim32 zv32_dialog_timing -j2 >/dev/null
timing=$here/build/win64/zv32_dialog_timing.exe
"$here/scripts/wine-prefix" >&2

japanese_text "$data/japanese-64m.utf8" 90
[ -f "$data/japanese-64m.sjis" ] || iconv -f UTF-8 -t SHIFT_JIS "$data/japanese-64m.utf8" >"$data/japanese-64m.sjis"
marked() { LC_ALL=C awk -v w="$word" 'NR == 1000 || NR == 2000 { $0 = $0 " " w } { print }'; }
small=$data/dialog-small.sjis
big=$data/dialog-64m.sjis
[ -f "$small" ] || head -n 3000 "$data/japanese-64m.sjis" | marked >"$small"
[ -f "$big" ] || head -c $((64 << 20)) "$data/japanese-64m.sjis" | LC_ALL=C sed '$d' | marked >"$big"

for file in "$small" "$big"; do
  winfile="Z:${file//\//\\}"
  for _ in $(seq "$runs"); do
    WINEPREFIX=$here/build/wineprefix /usr/lib/wine/wineserver -w || true
    xvfb-run -a -s "-screen 0 1280x1024x24" "$here/cmake/wine-run" "$timing" "$winfile" "$word" 2>/dev/null |
      tr -d '\r' | while read -r name value; do echo "$file $name $value"; done
  done
done >"$data/search-dialog.runs"
# figure FILE NAME: the smallest value of NAME over the runs on FILE.
figure() {
  awk -v f="$1" -v k="$2" '$1 == f && $2 == k && $3 != "n/a" && (v == "" || $3 + 0 < v + 0) { v = $3 }
                          END { print (v == "" ? "n/a" : v) }' "$data/search-dialog.runs"
}
verdict() { [ "$1" = n/a ] && echo "-" || awk -v v="$1" -v g="$2" 'BEGIN { print (v + 0 < g + 0 ? "met" : "MISSED") }'; }
printf '%-52s %10s %8s %8s\n' "ms (best of $runs runs of 5 rounds)" "figure" "goal" ""
for file in "$small" "$big"; do
  size=$(du -h "$file" | cut -f1)
  d=$(figure "$file" dialog_ms)
  printf '%-52s %10s %8s %8s\n' "search dialog, press until the hit shows ($size)" "$d" 200 "$(verdict "$d" 200)"
  printf '%-52s %10s %8s %8s\n' "repeat search 202 until the next hit shows ($size)" "$(figure "$file" repeat_ms)" - -
done
