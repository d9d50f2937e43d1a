#!/usr/bin/env bash
# The viewer itself under wine64 and Xvfb: how soon ZV32.EXE shows a 64 MiB Shift-JIS text, how
# long its background loading and the jump to the end (which loads everything at once) take,
# how quickly it answers while it loads, and its own drawing-speed measurement; beside the
# document core's load time of the same file (load_bench), and the same figures for the small
# bundled sample.  Best of 3 runs of bench/zv32_timing_win.cpp for every figure.
# Under Wine every message-queue call is a round trip to wineserver.  When the viewer and the
# server run on different idle CPUs of a virtual machine, each trip waits for a CPU to wake up,
# which multiplies the background-loading time; the big file is therefore also timed with all
# processes held on one CPU (taskset), which is closer to what the viewer's own code costs.
set -euo pipefail
source "$(dirname "$0")/common.sh"
here=$(cd "$(dirname "$0")/.." && pwd)
data=$ZV_BENCH_DATA
load=$ZV_BUILD/bench/load_bench
runs=3

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zv32 plim32 zv32_timing -j2 >/dev/null
timing=$here/build/win64/zv32_timing.exe
"$here/scripts/wine-prefix" >&2

japanese_text "$data/japanese-64m.utf8" 90
[ -f "$data/japanese-64m.sjis" ] || iconv -f UTF-8 -t SHIFT_JIS "$data/japanese-64m.utf8" >"$data/japanese-64m.sjis"
big=$data/viewer-64m.sjis
# Exactly 64 MiB less the line cut off at the end (no double-byte character is split).
[ -f "$big" ] || head -c $((64 << 20)) "$data/japanese-64m.sjis" | LC_ALL=C sed '$d' >"$big"
small=$here/viewer/resources/sample/README.TXT

# best_timings FILE OUT [PREFIX...]: runs zv32_timing on FILE $runs times (under PREFIX, a
# command such as taskset) and writes "name best" lines to OUT: the smallest value of each
# figure over the runs, or n/a when no run had it.
best_timings() {
  local file=$1 out=$2 all=$2.runs
  shift 2
  : >"$all"
  for _ in $(seq "$runs"); do
    # A fresh wineserver for every run, so that it too runs under PREFIX.
    WINEPREFIX=$here/build/wineprefix /usr/lib/wine/wineserver -w || true
    "$@" xvfb-run -a -s "-screen 0 1280x1024x24" "$here/cmake/wine-run" "$timing" "Z:${file//\//\\}" \
      2>/dev/null | tr -d '\r' >>"$all" || true
  done
  awk '{ seen[$1] = 1 }
       $2 != "n/a" && (!($1 in best) || $2 + 0 < best[$1] + 0) { best[$1] = $2 }
       END { for (k in seen) print k, ((k in best) ? best[k] : "n/a") }' "$all" >"$out"
}

# figure OUT NAME: one figure of a best_timings result (n/a when missing).
figure() { awk -v k="$2" '$1 == k { v = $2 } END { print (v == "" ? "n/a" : v) }' "$1"; }

# verdict VALUE GOAL: whether a figure in ms meets its goal.
verdict() {
  [ "$1" = n/a ] && { echo "-"; return; }
  awk -v v="$1" -v g="$2" 'BEGIN { print (v + 0 < g + 0 ? "met" : "MISSED") }'
}

best_timings "$big" "$data/viewer-64m.timing"
best_timings "$big" "$data/viewer-64m-1cpu.timing" taskset -c 0
best_timings "$small" "$data/viewer-small.timing"
core_s=$(best_of 3 "$load" "$big")
core_rows=$("$load" "$big" | awk '{print $4}')

row() {  # row LABEL NAME [GOAL]
  local b p s goal=${3:-}
  b=$(figure "$data/viewer-64m.timing" "$2")
  p=$(figure "$data/viewer-64m-1cpu.timing" "$2")
  s=$(figure "$data/viewer-small.timing" "$2")
  printf '%-32s %11s %11s %11s %8s %8s\n' "$1" "$b" "$p" "$s" "${goal:--}" "$([ -n "$goal" ] && verdict "$b" "$goal" || echo -)"
}

printf '%-32s %11s %11s %11s %8s %8s\n' "ms (best of $runs)" "64 MiB SJIS" "on 1 CPU" README.TXT "goal" "64 MiB"
row "window appears (from start)" window_ms
row "first screen (after window)" first_screen_ms 1000
row "background load (after window)" loaded_ms 10000
row "command 301: all loaded" end_loaded_ms
row "command 301: at the end" end_ms 2000
row "answer while loading: max" respond_max_ms
row "answer while loading: median" respond_median_ms
row "command 422: full paint" paint_ms
row "command 422: scroll" scroll_ms
loaded_ms=$(figure "$data/viewer-64m.timing" loaded_ms)
pinned_ms=$(figure "$data/viewer-64m-1cpu.timing" loaded_ms)
times_core() { awk -v v="$1" -v s="$core_s" 'BEGIN { if (v == "n/a") print "?"; else printf "%.0f", v / (s * 1000) }'; }
printf '%-32s %11.0f   (background load: %sx that, %sx on 1 CPU)\n' "load_bench: core load, host" \
  "$(awk -v s="$core_s" 'BEGIN { print s * 1000 }')" "$(times_core "$loaded_ms")" "$(times_core "$pinned_ms")"
echo "rows: viewer $(figure "$data/viewer-64m.timing" rows), load_bench $core_rows"
echo "(n/a: the viewer did not carry the command out, or the figure could not be had; a file that fits one"
echo " screen never moves past its first row on command 301)"
