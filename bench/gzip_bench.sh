#!/usr/bin/env bash
# gzip and tar benchmark.  A 64 MiB Japanese log (Shift-JIS lines with time stamps, made from
# the Japanese manual pages) compressed by gzip -6 and shown by `zvcat FILE.gz > out`, beside
# `gzip -dc` and `libdeflate-gunzip -c` writing to a file as well; and a .tar.gz of 10,000 files
# extracted by `zvcat --extract` beside `tar -xzf`.  Each is run several times; the best and
# the median wall time are printed with the ratios.  Inputs are generated under build/bench/gzip/;
# the outputs go to ZV_BENCH_SCRATCH (default: that folder), which may be a tmpfs such as
# /dev/shm, so that a busy disk does not drown the difference between the two programs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export ZV_BUILD=${ZV_BUILD:-$here/build/host} ZV_BENCH_DATA=${ZV_BENCH_DATA:-$here/build/bench}
source "$here/bench/common.sh"
zvcat=$ZV_BUILD/utilities/zvcat/zvcat
[ -x "$zvcat" ] || { echo "gzip_bench: build the host preset first ($zvcat missing)"; exit 1; }
work=$ZV_BENCH_DATA/gzip
runs=${ZV_BENCH_RUNS:-5}
scratch=${ZV_BENCH_SCRATCH:-$work}
mkdir -p "$work" "$scratch"
cd "$work"

size=$((64 * 1024 * 1024))
if [ ! -f log.gz ]; then
  japanese_text utf8.txt 100
  { iconv -f UTF-8 -t SHIFT_JIS utf8.txt || true; } |
    LC_ALL=C awk '{ printf "2026-12-08 %02d:%02d:%02d host app[%d]: %s\n", (NR / 3600) % 24, (NR / 60) % 60, NR % 60, 1000 + NR % 97, $0 }' |
    head -c "$size" >log.txt || true
  rm -f utf8.txt
  gzip -6 -c log.txt >log.gz
fi
if [ ! -f files.tar.gz ]; then
  rm -rf files && mkdir files
  head -c $((2 * 1024 * 1024)) log.txt >sample
  for d in $(seq -w 0 99); do
    mkdir "files/d$d"
    for f in $(seq -w 0 99); do
      { tail -c +$((10#$d * 10000 + 10#$f * 97 + 1)) sample || true; } | head -c $((200 + 10#$f * 40)) >"files/d$d/f$f.txt"
    done
  done
  tar -czf files.tar.gz files
  rm -rf files sample
fi

# times N SETUP COMMAND: the wall times of N runs of COMMAND (a shell command), SETUP before each.
times() {
  local n=$1 setup=$2 command=$3
  for _ in $(seq "$n"); do
    eval "$setup"
    /usr/bin/time -o .time -f %e bash -c "$command" >/dev/null 2>&1
    tail -n 1 .time
  done
}
report() {
  local label=$1 best=$2 median=$3 base=$4
  printf "  %-34s best %6.2f s  median %6.2f s  %7.1f MB/s  ratio to ours %.2f\n" "$label" "$best" "$median" \
    "$(awk -v b="$size" -v s="$best" 'BEGIN{ if (s <= 0) s = 0.001; print b / s / 1e6 }')" \
    "$(awk -v a="$base" -v b="$best" 'BEGIN{ if (b <= 0) b = 0.001; print a / b }')"
}

"$zvcat" log.gz >out.zvcat
cmp -s out.zvcat log.txt || { echo "gzip_bench: zvcat's text differs from the log"; exit 1; }
read -r zb zm < <(times "$runs" : "'$zvcat' log.gz >out.zvcat" | best_median)
read -r gb gm < <(times "$runs" : "gzip -dc log.gz >out.gzip" | best_median)
read -r lb lm < <(times "$runs" : "libdeflate-gunzip -c log.gz >out.libdeflate" | best_median)
rm -f out.zvcat out.gzip out.libdeflate
echo "gzip: a 64 MiB Japanese log ($(stat -c %s log.gz) bytes compressed), output to a file, $runs runs"
report "zvcat FILE.gz > out" "$zb" "$zm" "$zb"
report "gzip -dc" "$gb" "$gm" "$zb"
report "libdeflate-gunzip -c" "$lb" "$lm" "$zb"
awk -v z="$zb" -v g="$gb" -v l="$lb" 'BEGIN { printf "  best: speed against gzip -dc %.2f (goal >= 1), against libdeflate %.2f (goal >= 0.8)\n", g / z, l / z }'
awk -v z="$zm" -v g="$gm" -v l="$lm" 'BEGIN { printf "  median: speed against gzip -dc %.2f, against libdeflate %.2f\n", g / z, l / z }'

x=$scratch/out.x t=$scratch/out.t
read -r xb xm < <(times "$runs" "rm -rf '$x' && mkdir '$x'" "'$zvcat' --extract files.tar.gz -o '$x'" | best_median)
[ "$(find "$x" -type f | wc -l)" = 10000 ] || { echo "gzip_bench: zvcat did not extract 10,000 files"; exit 1; }
read -r tb tm < <(times "$runs" "rm -rf '$t' && mkdir '$t'" "tar -xzf files.tar.gz -C '$t'" | best_median)
diff -r "$x" "$t" >/dev/null || { echo "gzip_bench: the extracted trees differ"; exit 1; }
rm -rf "$x" "$t"
echo "tar.gz: 10,000 files ($(stat -c %s files.tar.gz) bytes) extracted into $scratch, $runs runs"
printf "  %-34s best %6.2f s  median %6.2f s\n" "zvcat --extract" "$xb" "$xm" "tar -xzf" "$tb" "$tm"
awk -v x="$xb" -v t="$tb" 'BEGIN { printf "  speed against tar -xzf %.2f\n", t / x }'
