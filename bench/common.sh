# Helpers shared by the benchmark scripts (sourced).

# japanese_text FILE MIB: a UTF-8 text of at least MIB MiB made from Debian's Japanese manual
# pages (only characters every Japanese code can hold), repeated.  Convert it from UTF-8 to each
# code (converting Shift-JIS to JIS would turn every backslash into a yen sign escape).
japanese_text() {
  local out=$1 mib=$2
  [ -f "$out" ] && [ "$(stat -c %s "$out")" -ge $((mib << 20)) ] && return 0
  local base=$out.base
  find /usr/share/man/ja -name '*.gz' | LC_ALL=C sort | xargs zcat |
    iconv -c -f UTF-8 -t ISO-2022-JP | iconv -f ISO-2022-JP -t UTF-8 >"$base"
  : >"$out"
  while [ "$(stat -c %s "$out")" -lt $((mib << 20)) ]; do cat "$base" >>"$out"; done
  rm -f "$base"
}

# best_of N COMMAND...: the smallest wall time in seconds of N runs (output discarded).
best_of() {
  local n=$1 best=
  shift
  for _ in $(seq "$n"); do
    local t
    /usr/bin/time -o "$ZV_BENCH_DATA/.time" -f %e "$@" >/dev/null 2>&1 || true
    t=$(tail -n 1 "$ZV_BENCH_DATA/.time")
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
  done
  echo "$best"
}

# peak_kib COMMAND...: the peak resident memory of one run in KiB.
peak_kib() {
  /usr/bin/time -o "$ZV_BENCH_DATA/.time" -f %M "$@" >/dev/null 2>&1 || true
  tail -n 1 "$ZV_BENCH_DATA/.time"
}

# rate MIB SECONDS: MB/s (10^6 bytes per second).
rate() { awk -v b="$1" -v s="$2" 'BEGIN{ if (s <= 0) s = 0.001; printf "%.0f", b / s / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{ if (a <= 0) a = 0.001; printf "%.2f", b / a }'; }

# best_median: the smallest and the median of the numbers on standard input, one a line.
best_median() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) { print "0 0"; exit }
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%s %.4f\n", v[1], m }'
}

# timed_runs N OUT COMMAND...: best and median wall seconds of N runs, the output written to OUT
# (a file, as every peer's: never /dev/null).  Timed to the microsecond: runs of a few hundredths
# of a second are common here, and /usr/bin/time rounds to hundredths.
timed_runs() {
  local n=$1 out=$2
  shift 2
  for _ in $(seq "$n"); do
    local start end
    start=$(date +%s%N)
    "$@" >"$out" 2>/dev/null || true
    end=$(date +%s%N)
    awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", (b - a) / 1e9 }'
  done | best_median
}

# as_read_from_disk FILE...: drops the files' pages from the system's cache and reads them back,
# so that every tool meets them as files read from disk.  A file made by many small appends is
# cached in small pages, which the kernel's read and mapping then handle one by one (over a
# third of a plain search's time here); one read from disk is cached in the large pages
# read-ahead gives.  Each peer then meets the same cache.
as_read_from_disk() {
  local file
  for file in "$@"; do
    dd if="$file" iflag=nocache count=0 status=none
    cat "$file" >/dev/null
  done
}
