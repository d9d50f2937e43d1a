#!/usr/bin/env bash
# LZH decoding speed: `zvcat --extract` beside `lhasa x` on the same archives of Japanese
# text (the manual pages of manpages-ja, concatenated to at least 32 MiB and converted to
# Shift-JIS), compressed by jlha in -lh5-, -lh6- and -lh7-.  Prints MB/s of output and the
# ratio; each figure is the best of three runs.  Inputs live under build/bench/lzh.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
zvcat=$here/build/host/utilities/zvcat/zvcat
work=$here/build/bench/lzh
if [ ! -x "$zvcat" ]; then
  cmake --preset host >/dev/null && cmake --build --preset host -j2 --target zvcat >/dev/null
fi
command -v jlha >/dev/null && command -v lhasa >/dev/null || { echo "lzh bench: needs jlha-utils and lhasa"; exit 1; }
mkdir -p "$work"
text=$work/japanese.txt
if [ ! -s "$text" ]; then
  find /usr/share/man/ja -type f -name '*.gz' | sort | xargs zcat | iconv -f UTF-8 -t CP932 -c >"$work/pages.sjis"
  : >"$text"
  while [ "$(stat -c %s "$text")" -lt $((32 * 1024 * 1024)) ]; do cat "$work/pages.sjis" >>"$text"; done
  rm -f "$work/pages.sjis"
fi
size=$(stat -c %s "$text")

seconds() {  # seconds COMMAND...: best wall time of three runs
  local best=""
  for _ in 1 2 3; do
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    best=$(awk -v s="$start" -v e="$end" -v b="$best" 'BEGIN { t = e - s; print (b == "" || t < b) ? t : b }')
  done
  echo "$best"
}

lhasa_extract() { (cd "$work/out-lhasa" && lhasa xqf "$1"); }

printf 'lzh bench: %d bytes of Shift-JIS text\n' "$size"
for method in 5 6 7; do
  archive=$work/japanese-lh$method.lzh
  if [ ! -s "$archive" ]; then
    (cd "$work" && rm -f "$archive" && jlha "ao$method" "$archive" japanese.txt >/dev/null 2>&1)
  fi
  rm -rf "$work/out-zvcat" "$work/out-lhasa"
  mkdir -p "$work/out-zvcat" "$work/out-lhasa"
  ours=$(seconds "$zvcat" --extract "$archive" -o "$work/out-zvcat")
  theirs=$(seconds lhasa_extract "$archive")
  cmp -s "$text" "$work/out-zvcat/japanese.txt" || { echo "lzh bench: -lh$method- output differs"; exit 1; }
  cmp -s "$text" "$work/out-lhasa/japanese.txt" || { echo "lzh bench: lhasa -lh$method- output differs"; exit 1; }
  awk -v m="$method" -v n="$size" -v a="$ours" -v b="$theirs" 'BEGIN {
    printf "  -lh%s-  zvcat %7.1f MB/s   lhasa %7.1f MB/s   ratio %.2fx\n", m, n / a / 1e6, n / b / 1e6, b / a }'
done
