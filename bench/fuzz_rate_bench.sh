#!/usr/bin/env bash
# Inputs per second of the core's fuzz targets (document, regex, string_match, settings, the
# streamed search), so that the CI's short fuzz run is known to cover enough: each target runs
# SECONDS seconds (default 10) RUNS times (default 3) from its seed corpus, and libFuzzer's own
# average rate is reported, best and median.  Needs the fuzz preset built (cmake --build --preset fuzz).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/bench/common.sh"
seconds=${SECONDS_EACH:-10}
runs=${RUNS:-3}
work=$here/build/bench/fuzz-rate
printf '%-20s %10s %10s\n' target "best/s" "median/s"
for name in document_fuzz regex_fuzz string_match_fuzz settings_fuzz stream_grep_fuzz; do
  target=$here/build/fuzz/fuzz/$name
  # (bench/run builds only the host preset: without the fuzz build there is nothing to time)
  [ -x "$target" ] || { echo "fuzz_rate_bench: build the fuzz preset first ($target missing)"; exit 0; }
  rates=$(for _ in $(seq "$runs"); do
    rm -rf "$work" && mkdir -p "$work/corpus"
    [ -d "$here/fuzz/corpus/$name" ] && cp -r "$here/fuzz/corpus/$name/." "$work/corpus/"
    (cd "$work" && "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 corpus 2>&1) |
      awk '/stat::average_exec_per_sec/ { print $2 }'
  done)
  # best_median gives the smallest first; the best rate is the largest.
  read -r _ median < <(echo "$rates" | best_median)
  best=$(echo "$rates" | sort -g | tail -n 1)
  printf '%-20s %10s %10.0f\n' "$name" "$best" "$median"
done
