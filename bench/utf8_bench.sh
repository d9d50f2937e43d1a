#!/usr/bin/env bash
# A 64 MiB UTF-8 Japanese text through the core beside iconv -f UTF-8 -t CP932 on the same file:
# the viewer's full load (open, detect, convert, index every row; load_bench), and zvcat
# writing the converted text to a file where iconv writes its own.
set -euo pipefail
source "$(dirname "$0")/common.sh"
data=$ZV_BENCH_DATA
load=$ZV_BUILD/bench/load_bench
zvcat=$ZV_BUILD/utilities/zvcat/zvcat
japanese_text "$data/japanese-64m.utf8" 90
file=$data/japanese-utf8-64m.txt
# (whole lines only, so that iconv, which stops at a cut character, converts all of it)
[ -f "$file" ] || head -c $((64 << 20)) "$data/japanese-64m.utf8" | sed '$d' >"$file"
bytes=$(stat -c %s "$file")

# best_to_file N OUT COMMAND...: the smallest wall time of N runs, output written to OUT.
best_to_file() {
  local n=$1 out=$2 best=
  shift 2
  for _ in $(seq "$n"); do
    /usr/bin/time -o "$data/.time" -f %e "$@" >"$out" 2>/dev/null || true
    local t
    t=$(tail -n 1 "$data/.time")
    if [ -z "$best" ] || awk "BEGIN{exit !($t < $best)}"; then best=$t; fi
  done
  echo "$best"
}

code=$("$load" "$file" | awk '{print $2}')
[ "$code" = 3 ] || { echo "load_bench did not detect UTF-8 (code $code)" >&2; exit 1; }
load_s=$(best_to_file 3 "$data/utf8-load.out" "$load" "$file")
zvcat_s=$(best_to_file 3 "$data/utf8-zvcat.out" "$zvcat" --sjis "$file")
iconv_s=$(best_to_file 3 "$data/utf8-iconv.out" iconv -f UTF-8 -t CP932 "$file")
same=$(cmp -s "$data/utf8-zvcat.out" "$data/utf8-iconv.out" && echo yes || echo no)
printf '%-22s %10s %10s %10s\n' run seconds "MB/s" "vs iconv"
printf '%-22s %10s %10s %10s\n' "core full load" "$load_s" "$(rate "$bytes" "$load_s")" "$(ratio "$load_s" "$iconv_s")x"
printf '%-22s %10s %10s %10s\n' "zvcat > file" "$zvcat_s" "$(rate "$bytes" "$zvcat_s")" "$(ratio "$zvcat_s" "$iconv_s")x"
printf '%-22s %10s %10s %10s\n' "iconv > file" "$iconv_s" "$(rate "$bytes" "$iconv_s")" "1.00x"
echo "($bytes bytes of UTF-8; zvcat's output equals iconv's: $same)"
