#!/usr/bin/env bash
# Following a growing Japanese log.
# zvcat: a writer appends 1 MiB a second of EUC-JP log lines for 20 s; `zvcat --follow`
# (converting to Shift-JIS on the way) beside `tail -f` (bytes as they are), each writing to a
# file.  For each: how many writes it showed within 1 s, its mean and worst lag, and its
# processor use in per cent of one core.
# The viewer: ZV32.EXE under wine64 following a Shift-JIS log that bench/zv32_follow_timing_win.cpp
# grows by 1 MiB a second for 20 s; the lag until the position text counts each write's rows,
# and the processor time of ZV32.EXE and of the prefix's wineserver over the writing; then the
# same writing with following off, whose server time is the writer's and the reader's own.
# FOLLOW_RUNS=N repeats the viewer's pair of runs.
set -euo pipefail
source "$(dirname "$0")/common.sh"
here=$(cd "$(dirname "$0")/.." && pwd)
data=$ZV_BENCH_DATA
zvcat=$ZV_BUILD/utilities/zvcat/zvcat
seconds=${FOLLOW_SECONDS:-20}
japanese_text "$data/japanese-64m.utf8" 90
lines=$data/follow-lines.euc
[ -f "$lines" ] || head -c $((4 << 20)) "$data/japanese-64m.utf8" | sed '$d' | grep -v '^$' |
  awk '{ printf "2026-12-08 12:00:%02d [info] %s\n", NR % 60, $0 }' | iconv -f UTF-8 -t EUC-JP >"$lines"

echo "-- zvcat --follow beside tail -f"
[ -n "${FOLLOW_SKIP_ZVCAT:-}" ] || python3 "$(dirname "$0")/follow_bench.py" "$lines" "$data" "$seconds" \
  "zvcat-follow=$zvcat --follow --sjis --code euc" "tail-f=tail -f"
"$zvcat" --sjis --code euc "$data/follow.log" >"$data/follow-whole.out"
same=$(cmp -s "$data/follow-zvcat-follow.out" "$data/follow-whole.out" && echo yes || echo no)
echo "(zvcat --follow's output equals zvcat's conversion of the finished log: $same)"

echo "-- ZV32.EXE under wine64"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zv32 plim32 zv32_follow_timing -j2 >/dev/null
"$here/scripts/wine-prefix" >&2
prefix=$here/build/wineprefix
log=$data/follow-viewer.log
ticks=$(getconf CLK_TCK)
# cpu_ticks PID: user and system ticks of a process so far (0 when it is gone).
cpu_ticks() {
  if [ -n "$1" ] && [ -r "/proc/$1/stat" ]; then awk '{ print $14 + $15 }' "/proc/$1/stat"; else echo 0; fi
}
# The Linux processes of the viewer (its command line names the log) and of the prefix's server.
viewer_pid() { ps -eo pid=,args= | awk 'index($0, "ZV32.EXE") && index($0, "follow-viewer.log") { print $1; exit }'; }
server_pid() {
  for pid in $(ps -eo pid=,comm= | awk '$2 ~ /^wineserver/ { print $1 }'); do
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$prefix" && { echo "$pid"; return; }
  done
  return 0
}
# The prefix's other Wine processes (its services and device drivers: a file's volume is asked
# of the mount manager there), neither the viewer, the timing program nor the server.
helper_pids() {
  for pid in $(ps -eo pid=,args= | awk 'index($0, ".exe") && !index($0, "ZV32.EXE") && !index($0, "zv32_follow_timing") { print $1 }'); do
    if tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qx "WINEPREFIX=$prefix"; then echo "$pid"; fi
  done
}
helper_ticks() {
  local sum=0 pid
  for pid in $1; do sum=$((sum + $(cpu_ticks "$pid"))); done
  echo "$sum"
}
# viewer_run [--no-follow]: one run of the timing program; its figures, then the processor use
# of the viewer and of the server over the writing, in per cent of one core.
viewer_run() {
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -w || true
  local marks=0 viewer= server= helpers= v0=0 s0=0 h0=0 v1 s1 h1 name value
  while read -r name value; do
    value=${value%$'\r'}
    if [ "$name" = mark ]; then
      marks=$((marks + 1))
      if [ $marks -eq 1 ]; then
        viewer=$(viewer_pid) server=$(server_pid) helpers=$(helper_pids)
        v0=$(cpu_ticks "$viewer") s0=$(cpu_ticks "$server") h0=$(helper_ticks "$helpers")
      else
        v1=$(cpu_ticks "$viewer") s1=$(cpu_ticks "$server") h1=$(helper_ticks "$helpers")
        awk -v v=$((v1 - v0)) -v s=$((s1 - s0)) -v h=$((h1 - h0)) -v t="$ticks" -v ms="$value" 'BEGIN {
          f = 100 / t / (ms / 1000)
          printf "cpu_viewer_percent %.1f\ncpu_wineserver_percent %.1f\ncpu_wine_helpers_percent %.1f\n", v * f, s * f, h * f }'
      fi
    else
      echo "$name $value"
    fi
  done < <(xvfb-run -a -s "-screen 0 1280x1024x24" "$here/cmake/wine-run" "$here/build/win64/zv32_follow_timing.exe" \
    "Z:${log//\//\\}" "$seconds" "$@" 2>/dev/null)
}
# The server also works for the writer (its opens and writes) and for the reading of the position
# text; a run with following off measures that share, and the server's figure less it is what
# the following costs the server.
runs=${FOLLOW_RUNS:-1}
for run in $(seq "$runs"); do
  echo "- following (run $run of $runs)"
  viewer_run | tee "$data/follow-viewer-on.txt"
  echo "- the same writing and reading, following off"
  viewer_run --no-follow | { grep '^cpu_' || echo "(the run without following gave no figures)"; } |
    sed 's/^cpu_/idle_cpu_/' | tee "$data/follow-viewer-off.txt"
  awk '$1 == "cpu_viewer_percent" { v = $2 } $1 == "cpu_wineserver_percent" { s = $2 }
       $1 == "cpu_wine_helpers_percent" { h = $2 } $1 == "idle_cpu_wineserver_percent" { b = $2 }
       $1 == "idle_cpu_wine_helpers_percent" { hb = $2 }
       END { printf "following_cost_percent %.1f (viewer %.1f + server %.1f - %.1f without following + helpers %.1f - %.1f)\n",
                    v + s - b + h - hb, v, s, b, h, hb }' \
    "$data/follow-viewer-on.txt" "$data/follow-viewer-off.txt"
done
echo "(the goal: every write shown within 1 s, under 10 % of one core on average)"
