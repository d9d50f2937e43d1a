#!/usr/bin/env bash
# Following a growing Japanese log: a writer appends 1 MiB a second of EUC-JP log lines for 20 s;
# `zvcat --follow` (converting to Shift-JIS on the way) beside `tail -f` (bytes as they are), each
# writing to a file.  Prints for each how many writes it showed within 1 s, its mean and worst
# lag, and its processor use in per cent of one core.
set -euo pipefail
source "$(dirname "$0")/common.sh"
data=$ZV_BENCH_DATA
zvcat=$ZV_BUILD/utilities/zvcat/zvcat
japanese_text "$data/japanese-64m.utf8" 90
lines=$data/follow-lines.euc
[ -f "$lines" ] || head -c $((4 << 20)) "$data/japanese-64m.utf8" | sed '$d' | grep -v '^$' |
  awk '{ printf "2026-12-08 12:00:%02d [info] %s\n", NR % 60, $0 }' | iconv -f UTF-8 -t EUC-JP >"$lines"
python3 "$(dirname "$0")/follow_bench.py" "$lines" "$data" "${FOLLOW_SECONDS:-20}" \
  "zvcat-follow=$zvcat --follow --sjis --code euc" "tail-f=tail -f"
"$zvcat" --sjis --code euc "$data/follow.log" >"$data/follow-whole.out"
same=$(cmp -s "$data/follow-zvcat-follow.out" "$data/follow-whole.out" && echo yes || echo no)
echo "(zvcat --follow's output equals zvcat's conversion of the finished log: $same)"
