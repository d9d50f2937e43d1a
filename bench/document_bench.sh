#!/usr/bin/env bash
# Loading a 64 MiB Japanese text in Shift-JIS, EUC and JIS through the document core (open,
# convert, index every row), beside iconv's and nkf's conversion of the same files.
set -euo pipefail
source "$(dirname "$0")/common.sh"
data=$ZV_BENCH_DATA
load=$ZV_BUILD/bench/load_bench
japanese_text "$data/japanese-64m.utf8" 90
[ -f "$data/japanese-64m.sjis" ] || iconv -f UTF-8 -t SHIFT_JIS "$data/japanese-64m.utf8" >"$data/japanese-64m.sjis"
[ -f "$data/japanese-64m.euc" ] || iconv -f UTF-8 -t EUC-JP "$data/japanese-64m.utf8" >"$data/japanese-64m.euc"
[ -f "$data/japanese-64m.jis" ] || iconv -f UTF-8 -t ISO-2022-JP "$data/japanese-64m.utf8" >"$data/japanese-64m.jis"

printf '%-6s %10s %10s %10s %8s %8s %12s %12s\n' code bytes "core MB/s" "iconv MB/s" "vs iconv" "vs nkf" "peak MiB" "budget MiB"
for code in sjis euc jis; do
  file=$data/japanese-64m.$code
  bytes=$(stat -c %s "$file")
  rows=$("$load" "$file" | awk '{print $4}')
  core=$(best_of 3 "$load" "$file")
  case $code in sjis) from=SHIFT_JIS ;; euc) from=EUC-JP ;; jis) from=ISO-2022-JP ;; esac
  iconv_s=$(best_of 3 iconv -f "$from" -t CP932 "$file")
  nkf_s=$(best_of 3 nkf -s "$file")
  peak=$(peak_kib "$load" "$file")
  budget=$(( (bytes + 4 * rows + (16 << 20)) >> 10 ))
  printf '%-6s %10d %10s %10s %8s %8s %12d %12d\n' "$code" "$bytes" "$(rate "$bytes" "$core")" \
    "$(rate "$bytes" "$iconv_s")" "$(ratio "$core" "$iconv_s")x" "$(ratio "$core" "$nkf_s")x" \
    $((peak >> 10)) $((budget >> 10))
done
echo "(vs iconv / vs nkf: how many times faster the core's full load is than that tool's conversion alone)"
