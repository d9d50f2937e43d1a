#!/usr/bin/env bash
# The archive filer under wine64 and Xvfb: how soon its list of a ZIP of 10,000 small members
# and of an LZH of 2,000 is painted after the viewer opens the archive, and how long extracting
# every member (all checked, one run) takes, beside `zvcat --extract` of the same archive under
# the same Wine (its start-up, measured on a one-member archive, taken off).  Goals: the list in
# under 1 s; the extraction at least 0.8 times zvcat's speed.  Best of two runs for every figure.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=2
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zv32 plim32 zv32_archive_timing zvcat -j2 >/dev/null
"$here/scripts/wine-prefix" >&2
timing=$here/build/win64/zv32_archive_timing.exe
zvcat=$here/build/win64/utilities/zvcat/zvcat.exe
# Inside the Windows build folder, so that the viewer's folder chooser reaches the output.
work=$here/build/win64/bench-archive
winpath() { local p=${1//\//\\}; echo "Z:$p"; }
mkdir -p "$work"

# make_members DIR COUNT: COUNT text files of 200 to 2,200 bytes.
make_members() {
  mkdir -p "$1"
  awk -v dir="$1" -v n="$2" 'BEGIN {
    for (i = 0; i < n; i++) {
      file = sprintf("%s/M%05d.TXT", dir, i)
      lines = 5 + (i * 37) % 50
      for (j = 0; j < lines; j++) printf "member %d line %d of the benchmark archive\r\n", i, j > file
      close(file)
    }
  }'
}
if [ ! -s "$work/many.zip" ]; then
  rm -rf "$work/src-zip" && make_members "$work/src-zip" 10000
  (cd "$work/src-zip" && zip -q -X "$work/many.zip" ./*.TXT)
fi
if [ ! -s "$work/many.lzh" ]; then
  rm -rf "$work/src-lzh" && make_members "$work/src-lzh" 2000
  (cd "$work/src-lzh" && LANG=ja_JP.UTF-8 jlha c1q "$work/many.lzh" ./*.TXT >/dev/null)
fi
if [ ! -s "$work/one.zip" ]; then
  (cd "$work/src-zip" && zip -q -X "$work/one.zip" M00000.TXT)
fi

# timings ARCHIVE MEMBERS: the best value of each figure of zv32_archive_timing over the runs.
timings() {
  local archive=$1 members=$2 all=$work/timing.runs
  : >"$all"
  for _ in $(seq "$runs"); do
    rm -rf "$work/out-viewer"
    WINEPREFIX=$here/build/wineprefix /usr/lib/wine/wineserver -w || true
    xvfb-run -a -s "-screen 0 1280x1024x24" "$here/cmake/wine-run" "$timing" "$(winpath "$archive")" \
      "$(winpath "$work/out-viewer")" "$members" 2>/dev/null | tr -d '\r' >>"$all" || true
  done
  awk '{ seen[$1] = 1 }
       $2 != "n/a" && (!($1 in best) || $2 + 0 < best[$1] + 0) { best[$1] = $2 }
       END { for (k in seen) print k, ((k in best) ? best[k] : "n/a") }' "$all"
}
figure() { awk -v k="$2" '$1 == k { v = $2 } END { print (v == "" ? "n/a" : v) }' <<<"$1"; }

# zvcat_ms ARCHIVE: the best whole-process time of `zvcat.exe --extract` under Wine, in ms.
zvcat_ms() {
  local best=""
  for _ in $(seq "$runs"); do
    rm -rf "$work/out-zvcat"
    local start end
    start=$(date +%s%N)
    "$here/cmake/wine-run" "$zvcat" --extract "$(winpath "$1")" -o "$(winpath "$work/out-zvcat")" >"$work/zvcat.log" 2>&1 || true
    end=$(date +%s%N)
    local t=$(( (end - start) / 1000000 ))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$best"
}

startup=$(zvcat_ms "$work/one.zip")
printf 'archive filer bench (under Wine; zvcat start-up %d ms taken off its times)\n' "$startup"
printf '%-10s %8s %10s %12s %8s %12s %10s %s\n' archive members list_ms start_list extract_ms zvcat_ms speed goals
for kind in zip lzh; do
  archive=$work/many.$kind
  members=$([ $kind = zip ] && echo 10000 || echo 2000)
  result=$(timings "$archive" "$members")
  list=$(figure "$result" list_ms)
  start_list=$(figure "$result" start_list_ms)
  extract=$(figure "$result" extract_ms)
  files=$(figure "$result" files)
  zv=$(( $(zvcat_ms "$archive") - startup ))
  speed=$(awk -v a="$extract" -v z="$zv" 'BEGIN { if (a == "n/a" || a <= 0) print "n/a"; else printf "%.2f", z / a }')
  goals=$(awk -v l="$list" -v s="$speed" 'BEGIN {
    g = (l != "n/a" && l + 0 < 1000) ? "list met" : "list MISSED"
    g = g ((s != "n/a" && s + 0 >= 0.8) ? ", extraction met" : ", extraction MISSED")
    print g }')
  printf '%-10s %8s %10s %12s %8s %12s %10s %s (files %s)\n' "many.$kind" "$members" "$list" "$start_list" \
    "$extract" "$zv" "$speed" "$goals" "$files"
done
