#!/usr/bin/env bash
# Zelko Filer under wine64 and Xvfb on a folder of 20,000 files: the refresh (WM_ZV_REFRESH
# until the list has painted) sorted by name and by size, and how soon a file created on disk
# is listed (the change notification the main loop waits on).  Best of 3 runs of
# bench/zv32_filer_timing_win.cpp for every figure; goals: refresh under 500 ms, change under 1 s.
set -euo pipefail
source "$(dirname "$0")/common.sh"
here=$(cd "$(dirname "$0")/.." && pwd)
data=$ZV_BENCH_DATA
runs=3
count=20000

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zv32 plim32 zv32_filer_timing -j2 >/dev/null
timing=$here/build/win64/zv32_filer_timing.exe
"$here/scripts/wine-prefix" >&2

folder=$data/filer-20000
if [ "$(ls "$folder" 2>/dev/null | wc -l)" -ne "$count" ]; then
  rm -rf "$folder"
  mkdir -p "$folder"
  (cd "$folder" && seq -f 'file%05g.txt' 0 $((count - 1)) | xargs touch)
  # Sizes that differ, so the size sort has work to do.
  (cd "$folder" && for i in $(seq 0 97 $((count - 1))); do printf '%*s' $((i % 4096)) '' >"$(printf 'file%05d.txt' "$i")"; done)
fi

all=$data/filer.timing.runs
: >"$all"
for _ in $(seq "$runs"); do
  WINEPREFIX=$here/build/wineprefix /usr/lib/wine/wineserver -w || true
  xvfb-run -a -s "-screen 0 1280x1024x24" "$here/cmake/wine-run" "$timing" "Z:${folder//\//\\}" \
    2>/dev/null | tr -d '\r' >>"$all" || true
done
best() { awk -v k="$1" '$1 == k && $2 != "n/a" && (b == "" || $2 + 0 < b + 0) { b = $2 } END { print (b == "" ? "n/a" : b) }' "$all"; }
verdict() { [ "$1" = n/a ] && { echo "-"; return; }; awk -v v="$1" -v g="$2" 'BEGIN { print (v + 0 < g + 0 ? "met" : "MISSED") }'; }

printf '%-36s %10s %8s %8s\n' "Zelko Filer, $count files (best of $runs)" "ms" "goal" ""
for row in "refresh, sorted by name:refresh_name_ms:500" "refresh, sorted by size:refresh_size_ms:500" \
           "new file listed after:change_ms:1000"; do
  IFS=: read -r label name goal <<<"$row"
  v=$(best "$name")
  printf '%-36s %10s %8s %8s\n' "$label" "$v" "$goal" "$(verdict "$v" "$goal")"
done
echo "items listed: $(best items) (path items included)"
